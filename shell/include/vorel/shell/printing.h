// The shell's printing procedures: the printing mode window `Configura_Impressora` (toolbar F4
// and the menu), the error report `Rel_Erro_ECF_W` of imports and audits, and their registration
// by name (`RegisterPrintingProcedures`, called by the shell's own registration).
//
//   ctx.Call("Configura_Impressora");                 // the frame, on its own thread
//   if (FormaDoRelatorio(ModoImpressao.Get()) == FormaRelatorio::Pagina) Rel_Erro_ECF_W(ctx, erros);
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vorel/shell/printer_codes.h"
#include "vorel/shell/report_step.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::shell {

// Window "Seleciona Impressora".
void Configura_Impressora(ui::ProcContext& ctx);
// The picture of a mode: 1 Video.jpg, 0 Impresso.jpg, otherwise Matri.jpg (folder \Trabalho\Imagens).
std::string ImagemDoModo(std::uint8_t modo);
// Stores the mode and the printer (Vorel.ini section Impressora, keys "Configuração" and
// "Impressora"), sets `ModoImpressao` and `GLO:CODIMPRESSORA` and loads the printer's codes.
// Returns an error text for the user (UTF-8), empty on success; nothing changes on failure.
std::string GravaModoImpressao(std::uint8_t modo, std::uint8_t impressora);

namespace configura {
inline constexpr int kGrupoImpressao = 1, kWindows = 2, kJatoTinta = 3, kDos = 4, kImagem = 5, kGrupoMatricial = 6,
                     kImpressora = 7, kNome = 8, kOk = 9, kCancela = 10, kAjuda = 11;
}

// Whether the error report prints its lines: `ErroVorel` of section Parametros of
// PastaRaiz & "BComuns\Folha.Ini" reads 1.
bool ImprimeErros();

// The error report of imports and audits: the lines (Windows-1252, up to 500 characters each)
// under the working company's heading, through the previewer step. Returns the Response
// (1 printed; 2 when nothing was shown: `ErroVorel` not 1, no lines, or no working company).
// `servicos` may replace the previewer, printer and mailer (tests); its texts are the report's own.
ui::Response Rel_Erro_ECF_W(ui::ProcContext& ctx, const std::vector<std::string>& erros,
                            const OpcoesRelatorio* servicos = nullptr);

// Adds Configura_Impressora, CarregaCodigosImpressora and the other printing procedures to the
// procedure registry.
void RegisterPrintingProcedures();

}  // namespace vorel::shell
