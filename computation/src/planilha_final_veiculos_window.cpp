// Window "PlanilhaFinalVeiculos" ("Planilha Final de Veículos"): the e-mail fields, the first page's
// number, and "&Imprimir", which works out the vehicle final summary of the working month on this
// window's thread; the window stays open for another run.
#include "veiculos_execucao.h"
#include "vorel/computation/vehicle_procedures.h"
#include "vorel/core/text.h"
#include "vorel/shell/email_options.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/window_controller.h"

namespace vorel::computation {

namespace {

class JanelaPlanilhaFinalVeiculos : public ui::WindowController {
public:
    enum : int {
        kEnviar = 1, kGrupoEmail, kPromptNome, kNome, kPromptEmail, kEmail, kPromptAssunto, kAssunto, kPromptTexto,
        kTexto, kPromptPagina, kPagina, kImprimir, kCancelar
    };

    explicit JanelaPlanilhaFinalVeiculos(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "PlanilhaFinalVeiculos", "Planilha Final de Veículos"), email_(kEnviar) {}

    ui::Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return ui::Level::Cancel;
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        PreencheEmailVeiculos("Planilha Final de Veículos", false);
        ui::Window& w = window();
        shell::AdicionaEmail(w, email_);
        w.Prompt(kPromptPagina, "Página Inicial:");
        w.Entry(kPagina, ui::UseInRange(paginaInicial_, 0, 99999), "@n5");
        w.Button(kImprimir, "&Imprimir");
        w.Button(kCancelar, "&Cancelar");
        SetCancelButton(kCancelar);
        for (int b : {kImprimir, kCancelar}) navigator().ExcludeControl(b);
        return ui::Level::Benign;
    }

    ui::Level OnWindowOpened() override {
        ui::Level l = ui::WindowController::OnWindowOpened();
        shell::AplicaModoEmail(window(), email_);
        return l;
    }

    ui::Level OnAccepted(int feq) override {
        ui::Level l = ui::WindowController::OnAccepted(feq);
        ui::Window& w = window();
        switch (feq) {
            case kEnviar: shell::AplicaModoEmail(w, email_); break;
            case kImprimir:
                w.Update();
                ExecutaResumoFinalVeiculo(context(), paginaInicial_);
                shell::AplicaModoEmail(w, email_);
                w.Select(kCancelar);
                break;
            case kCancelar: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        return l;
    }

private:
    shell::ControlesEmail email_;
    int paginaInicial_ = 1;
};

}  // namespace

void RunPlanilhaFinalVeiculos(ui::ProcContext& ctx) { JanelaPlanilhaFinalVeiculos(ctx).Execute(); }

}  // namespace vorel::computation
