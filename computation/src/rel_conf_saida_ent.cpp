// `RelConfSaidaEnt`: the confrontation report of the work table a monthly computation handed over
// (vorel/shell/work_table_handover.h), on the caller's thread. The lines are gathered under the
// progress window "Progress..." and printed through the previewer step (caption "RelConfSaidaEnt",
// e-mail attachment "RelatorioEntradas.zip"). Called without a hand-over it does nothing.
#include "vorel/computation/calculo_produtos.h"
#include "vorel/computation/confronto_report.h"
#include "vorel/computation/procedures.h"
#include "vorel/report/report_run.h"
#include "vorel/shell/report_step.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/work_table_handover.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/progress_window.h"

namespace vorel::computation {

namespace {

class JanelaConfronto : public AvisosCalculo {
public:
    explicit JanelaConfronto(ui::ProcContext& ctx) : janela_(ctx, "Progress...") {}
    bool Progresso(const ProgressoCalculo& p) override { return janela_.Update(p.barra1, p.total1); }
    void Mensagem(std::string_view titulo, std::string_view texto) override {
        (void)ui::Message(std::string(texto), std::string(titulo), ui::Icon::Question);
    }

private:
    ui::ProgressWindow janela_;
};

}  // namespace

void RunRelConfSaidaEnt(ui::ProcContext& ctx) {
    const shell::TrabalhoEntregue* t = shell::TrabalhoEmEntrega();
    if (!t || !shell::GaranteEmpresa(ctx)) return;
    Confronto c;
    {
        JanelaConfronto janela(ctx);
        if (std::string erro = MontaConfronto(t->periodo, t->arquivo, "", c, janela); !erro.empty()) {
            (void)ui::Message(erro, "Atenção!!!", ui::Icon::Exclamation);
            return;
        }
    }
    report::ReportController r(PaginaConfronto());
    MontaPaginasConfronto(r, shell::RodapeRelatorio());
    std::size_t proxima = 0;
    report::RecordLoop loop;
    loop.total = c.linhas.size();
    loop.next = [&] { return proxima < c.linhas.size(); };
    loop.on_record = [&](report::ReportController& rc) { ImprimeLinhaConfronto(rc, c.linhas[proxima++]); };
    loop.on_end = [&](report::ReportController& rc) { ImprimeResumoConfronto(rc, c.resumo); };
    shell::OpcoesRelatorio o;
    o.nome = "RelConfSaidaEnt";
    o.anexo = "RelatorioEntradas.zip";
    o.gravaRViewer = true;
    o.email = shell::CapturaCamposEmail();
    ctx.response = shell::ExecutaRelatorio(ctx, r, loop, o);
}

}  // namespace vorel::computation
