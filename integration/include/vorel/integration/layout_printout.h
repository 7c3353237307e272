// The layout printouts: the documentation of a layout type (`TextosLayout`), the names the
// printouts give the fields (`NomesCamposImpressao`), the text form `RelLayoutsM` for dot-matrix
// printers and the page form `RelLayoutsW`. Both print the stored layout (type, code) through the
// alias tables, so the caller's record buffers stay as they are.
//
//     std::vector<std::string> linhas = LinhasRelLayoutsM(dados, codigos);   // the text file's lines
//     RelLayoutsM(ctx, 9, 3);                                               // write, view, delete
#pragma once

#include <array>
#include <string>
#include <vector>

#include "vorel/shell/globals.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::report {
class Document;
}

namespace vorel::integration {

struct TextoLayout {
    std::string titulo;                    // UTF-8; empty for a type without documentation
    std::array<std::string, 4> paragrafos;
};
TextoLayout TextosLayout(int tipo);

// The name of (type, code) in the "Campo" column; empty when there is none. `pagina`: the page
// form's wording (type 38 code 11 without its final period).
std::string NomeCampoImpressao(int tipo, int codigo, bool pagina);

// What both printouts read of a stored layout.
struct CampoImpresso {
    int codigo = 0;
    std::string descricao;  // CAMPARQ:DescCampo, Windows-1252
    std::string tipo;       // "N" or "X"
    int tamanho = 0;
    int posicao = 0;
};
struct DadosLayout {
    int tipo = 0;
    bool existe = false;    // no stored layout: no header and no rows
    std::string descricao;  // LAY0:Descricao, Windows-1252
    std::vector<CampoImpresso> campos;  // in field-code order
};
// Reads the layout through LayArquivos0 and LayCampArquivos0 of the calling thread.
DadosLayout LeDadosLayout(int tipo, int codigo);

// The lines of the text form (UTF-8 text with the printer's control strings), ending with the last
// page's footer and form feed.
std::vector<std::string> LinhasRelLayoutsM(const DadosLayout& dados, const shell::CodigosImpressoraRec& codigos);

// The page form's document (no pages when the layout is not stored).
report::Document DocumentoRelLayoutsW(const DadosLayout& dados);

// The procedures: the text form written, shown in the text viewer and deleted; the page form
// through the previewer step.
void RelLayoutsM(ui::ProcContext& ctx, int tipo, int codigo);
void RelLayoutsW(ui::ProcContext& ctx, int tipo, int codigo);

}  // namespace vorel::integration
