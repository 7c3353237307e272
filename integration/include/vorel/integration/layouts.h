// The stored import layouts as the windows and the imports use them: the layouts of a type, the
// field positions of one layout, the default layout a new layout starts with, and the check that
// the fields of a layout do not start inside one another.
//
// They read and write through the calling thread's `LayArquivos` and `LayCampArquivos` (opened and
// closed again by each call, so a caller may hold them open or not).
//
//     for (const LayoutListado& l : LayoutsDoTipo(17)) list.push_back(l.descricao);
//     Posicoes p = CarregaPosicoes(17, codigo, 20);   // p[3] = {17, 22}: columns of field 3
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "vorel/data/error.h"

namespace vorel::integration {

struct LayoutListado {
    int codigo = 0;
    std::string descricao;  // Windows-1252, without trailing blanks
};
// The layouts of a type in code order.
std::vector<LayoutListado> LayoutsDoTipo(int tipo);

// Columns of one field in a line: first and last, 1-based; {0, 0} when the layout lacks the field.
struct Posicao {
    int inicio = 0;
    int fim = 0;
};
// Index = field code; entries 1..capacidade (index 0 unused). A field whose code is above the
// room is ignored, as is one that starts before column 1.
using Posicoes = std::vector<Posicao>;
Posicoes CarregaPosicoes(int tipo, int codigo, int capacidade);

// Adds the default fields of the type to the layout (type, code), in one transaction; a field
// code the layout already holds is left as it is. The first failed write's code.
[[nodiscard]] data::Result AdicionaLayoutPadrao(int tipo, int codigo);

// One field of a layout for the position check, in field-code order.
struct CampoPosicao {
    int codigo = 0;
    int posicao = 0;
    int tamanho = 0;
};
// The position check: the message of each field that starts before the end of the field before
// it (field-code order), naming the start it should have; empty when the layout passes.
std::vector<std::string> VerificaPosicoes(int tipo, std::span<const CampoPosicao> campos);
// The fields of a stored layout for the check.
std::vector<CampoPosicao> CamposParaVerificacao(int tipo, int codigo);

}  // namespace vorel::integration
