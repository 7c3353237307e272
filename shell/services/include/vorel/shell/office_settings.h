// The office's settings files in `BComuns` under the data root, shared by every user:
// - `Vorel.ini` section `Parametros`: the licensed office's own data and the program-wide options
//   the parameters window edits. Every key of the section is named once, in office_settings.cpp; a
//   write puts the whole section in one locked step (keys padded to 20 characters, as the file has
//   always kept them);
// - `Folha.Ini` section `Parametros`, key `ErroVorel`: whether the error report prints.
//
//     OpcoesEscritorio o = LeOpcoesEscritorio(PastaRaiz.Get());
//     if (auto ec = GravaParametrosEscritorio(PastaRaiz.Get(), p, o)) ...say so...
#pragma once

#include <cstdint>
#include <string_view>
#include <system_error>

#include "vorel/shell/globals.h"

namespace vorel::shell {

// The office data (Nome .. ImprimeEscr; ImprimeData and ImprimeEscr 1 when missing).
ParametrosEscritorio LeParametrosEscritorio(std::string_view pastaRaiz);

// The program-wide options of the same section (each 0 when missing).
struct OpcoesEscritorio {
    int enderecoPlanilha = 0;  // Endereco_Planilha
    int integracaoForCli = 0;  // integracaoForCli
    int lote = 0;              // Lote: 1 when an exit's lot must be registered for its product
    int resulPlanilha = 0;     // ResulPlanilha
    int aliquotaProdutos = 0;  // AliquotaProdutos: the product's own rate history is used
};
OpcoesEscritorio LeOpcoesEscritorio(std::string_view pastaRaiz);

[[nodiscard]] std::error_code GravaParametrosEscritorio(std::string_view pastaRaiz, const ParametrosEscritorio& p,
                                                        const OpcoesEscritorio& o);

std::uint8_t LeUsaAliquotaProduto(std::string_view pastaRaiz);  // AliquotaProdutos
bool LeLoteObrigatorio(std::string_view pastaRaiz);             // Lote == 1

// Whether the error report prints its lines (ErroVorel reads 1; the data root is PastaRaiz).
bool ImprimeErros();
// Asks the error report to print: ErroVorel = 1 (what the imports' "&Imprime Erros" does).
[[nodiscard]] std::error_code PedeImpressaoErros();

}  // namespace vorel::shell
