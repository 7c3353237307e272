// The error report of imports and audits, `Rel_Erro_ECF_W`: the error lines under the working
// company's heading, printed through the previewer step when `BComuns\Folha.Ini` asks for it.
//
//   if (FormaDoRelatorio(ModoImpressao.Get()) == FormaRelatorio::Pagina) Rel_Erro_ECF_W(ctx, erros);
#pragma once

#include <string>
#include <system_error>
#include <vector>

#include "vorel/shell/office_settings.h"  // ImprimeErros, PedeImpressaoErros
#include "vorel/shell/report_step.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::shell {


// The error report of imports and audits: the lines (Windows-1252, up to 500 characters each)
// under the working company's heading, through the previewer step. Returns the Response
// (1 printed; 2 when nothing was shown: `ErroVorel` not 1, no lines, or no working company).
// `servicos` may replace the previewer, printer and mailer (tests); its texts are the report's own.
ui::Response Rel_Erro_ECF_W(ui::ProcContext& ctx, const std::vector<std::string>& erros,
                            const OpcoesRelatorio* servicos = nullptr);

}  // namespace vorel::shell
