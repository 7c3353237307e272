// Window "Planilha Anual" (`PlanilhaAnual`): the e-mail options (GLO:EMAIL:*, preset from the
// working company) and the first page number; "&Imprimir" sums the year by rate
// (`VerificaSaldosAnual`, under its process window "Preparando Relatório") and, unless the printing mode is 2, runs the sheet
// (`PlanilhaAnualProdutos`) on this window's thread. The window stays open between runs.
#include "vorel/computation/planilha_anual.h"
#include "vorel/computation/procedures.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/report/report_run.h"
#include "vorel/shell/email_options.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/report_options_window.h"
#include "vorel/shell/report_step.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/progress_window.h"
#include "vorel/ui/window_controller.h"

namespace vorel::computation {

namespace {

class JanelaPlanilhaAnual : public shell::JanelaOpcoesRelatorio {
public:
    enum : int {
        kEnviar = 1, kGrupoEmail, kPromptNome, kNome, kPromptEmail, kEmail, kPromptAssunto, kAssunto, kPromptTexto,
        kTexto, kPromptPagina, kPagina, kImprimir, kCancelar
    };

    explicit JanelaPlanilhaAnual(ui::ProcContext& ctx)
        : JanelaOpcoesRelatorio(ctx, "PlanilhaAnual", "Planilha Anual", {kEnviar, kImprimir, kCancelar}) {}

private:
    ui::Level AdicionaOpcoes(ui::Window& w) override {
        shell::PreencheEmail("Planilha Anual");
        AdicionaEmail();
        w.Prompt(kPromptPagina, "Página Inicial:");
        w.Entry(kPagina, ui::UsePattern(paginaInicial_, "@n6"));
        return ui::Level::Benign;
    }

    void Imprime() override { VerificaSaldosAnual(context(), paginaInicial_); }

    std::int32_t paginaInicial_ = 1;
};

}  // namespace

void VerificaSaldosAnual(ui::ProcContext& ctx, int paginaInicial) {
    std::vector<TaxaAnual> taxas;
    std::string erro;
    {
        // A process window without buttons: it shows the month records summed and closes.
        ui::ProgressWindow pw(ctx, "Preparando Relatório");
        pw.window()[ui::ProgressWindow::kCancel].Hide(true);
        erro = VerificaSaldosAnual(shell::PeriodoDeTrabalho(), taxas, [&pw](long long feito, long long total) { (void)pw.Update(feito, total); });
    }
    if (!erro.empty()) {
        ui::Message(erro, "Atenção!!!", ui::Icon::Exclamation);
        return;
    }
    if (shell::ModoImpressao.Get() != 2) PlanilhaAnualProdutos(ctx, taxas, paginaInicial);
}

void PlanilhaAnualProdutos(ui::ProcContext& ctx, const std::vector<TaxaAnual>& taxas, int paginaInicial) {
    report::ReportController r(PaginaPlanilhaAnual(paginaInicial));
    r.set_page_footer(RodapePlanilhaAnual(shell::RodapeRelatorio()));
    std::vector<report::Band> paginas;
    if (!taxas.empty()) paginas = PaginasPlanilhaAnual(ApuraMetodoAnual(taxas));
    std::size_t proxima = 0;
    report::RecordLoop loop;
    loop.total = paginas.size();
    loop.next = [&] { return proxima < paginas.size(); };
    loop.on_record = [&](report::ReportController& c) {
        if (proxima > 0) c.page_break();
        c.print(paginas[proxima++]);
    };
    shell::OpcoesRelatorio o;
    o.nome = "PlanilhaAnualProdutos";
    o.anexo = "PlanilhaAnual.zip";
    o.gravaRViewer = true;
    o.email = shell::CapturaCamposEmail();
    ctx.response = shell::ExecutaRelatorio(ctx, r, loop, o);
}

void RunPlanilhaAnual(ui::ProcContext& ctx) { JanelaPlanilhaAnual(ctx).Execute(); }

}  // namespace vorel::computation
