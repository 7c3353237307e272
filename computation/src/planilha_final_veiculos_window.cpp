// Window "PlanilhaFinalVeiculos" ("Planilha Final de Veículos"): the e-mail fields, the first page's
// number, and "&Imprimir", which works out the vehicle final summary of the working month on this
// window's thread; the window stays open for another run.
#include "veiculos_execucao.h"
#include "vorel/computation/vehicle_procedures.h"
#include "vorel/core/text.h"
#include "vorel/shell/report_options_window.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/window_controller.h"

namespace vorel::computation {

namespace {

class JanelaPlanilhaFinalVeiculos : public shell::JanelaOpcoesRelatorio {
public:
    enum : int {
        kEnviar = 1, kGrupoEmail, kPromptNome, kNome, kPromptEmail, kEmail, kPromptAssunto, kAssunto, kPromptTexto,
        kTexto, kPromptPagina, kPagina, kImprimir, kCancelar
    };

    explicit JanelaPlanilhaFinalVeiculos(ui::ProcContext& ctx)
        : JanelaOpcoesRelatorio(ctx, "PlanilhaFinalVeiculos", "Planilha Final de Veículos",
                                {kEnviar, kImprimir, kCancelar}) {}

private:
    ui::Level AdicionaOpcoes(ui::Window& w) override {
        PreencheEmailVeiculos("Planilha Final de Veículos", false);
        AdicionaEmail();
        w.Prompt(kPromptPagina, "Página Inicial:");
        w.Entry(kPagina, ui::UseInRange(paginaInicial_, 0, 99999), "@n5");
        return ui::Level::Benign;
    }

    void Imprime() override { ExecutaResumoFinalVeiculo(context(), shell::PeriodoDeTrabalho(), paginaInicial_); }

    int paginaInicial_ = 1;
};

}  // namespace

void RunPlanilhaFinalVeiculos(ui::ProcContext& ctx) { JanelaPlanilhaFinalVeiculos(ctx).Execute(); }

}  // namespace vorel::computation
