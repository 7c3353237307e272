// "PlanilhaExcelProdutos": the monthly computation's hand-over to the monthly sheet's `;` file
// (planilha_excel.h). The work table, its company and month and the summary option come from the
// run (`shell::TrabalhoEmEntrega()`), the file and the CFOP filter from what the export window
// wrote (`shell::LeOpcoesPlanMensal`). The progress window "Exportando Planilha Mensal de
// Produtos" follows the rows; its "&Cancela" ends the file with what was read.
#include "vorel/exports/planilha_excel.h"
#include "vorel/shell/program_settings.h"
#include "vorel/shell/work_table_handover.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/progress_window.h"
#include "vorel/ui/runtime.h"

namespace vorel::exports {

void PlanilhaExcelProdutos(ui::ProcContext& ctx) {
    const shell::TrabalhoEntregue* t = shell::TrabalhoEmEntrega();
    if (t == nullptr) {
        (void)ui::Message("A planilha mensal é exportada pelo cálculo mensal (Planilha Mensal -> Excel).", "Vorel",
                          ui::Icon::Exclamation);
        return;
    }
    const shell::OpcoesPlanMensal lidas = shell::LeOpcoesPlanMensal();
    const OpcoesPlanilhaExcel opcoes{
        .caminho = lidas.caminho, .cfo = lidas.cfo, .complemento = lidas.compCfo, .resumo = t->resumo};
    ResultadoPlanilhaExcel r;
    {
        const std::string texto = "Exportando Planilha Mensal de Produtos";
        ui::ProgressWindow janela(ctx, texto);
        r = GravaPlanilhaExcel(t->arquivo, t->periodo, opcoes, [&](long long lidos, long long total) {
            if (janela.Update(lidos, total, texto)) return PassoPlanilha::Segue;
            return ctx.StopRequested() ? PassoPlanilha::Interrompe : PassoPlanilha::Cancela;
        });
    }
    if (!r.saida.ok()) {
        (void)ui::Message("O arquivo não foi gerado.|" + r.saida.error, "Atenção", ui::Icon::Exclamation);
        return;
    }
    // Rows of an unregistered CFO were written blank and stayed out of the totals: each CFO named once.
    if (!r.cfosDesconhecidos.empty()) {
        std::string lista;
        for (const auto& [codigo, complemento] : r.cfosDesconhecidos)
            lista += "\n" + std::to_string(codigo) + " - " + std::to_string(complemento);
        (void)ui::Message("Atenção! Identificamos inconsistências nos CFO abaixo ou eles não existem. Favor verifica a "
                          "tabela de CFO." + lista,
                          "Alerta!", ui::Icon::Exclamation);
    }
}

}  // namespace vorel::exports
