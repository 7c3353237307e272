// Window "PlanilhaFinalVeiculos" ("Planilha Final de Veículos"): the e-mail fields, the first page's
// number, and "&Imprimir", which works out the vehicle final summary of the working month on this
// window's thread; the window stays open for another run.
#include "veiculos_execucao.h"
#include "vorel/computation/vehicle_procedures.h"
#include "vorel/core/text.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/window_controller.h"

namespace vorel::computation {

namespace {

ui::UsePtr UsaGlobal(shell::Global<std::string>& g, std::size_t largura) {
    return ui::UseFn([&g] { return text::to_utf8(g.Get()); },
                     [&g, largura](const std::string& s) {
                         g.Set(text::left(text::from_utf8(s), largura));
                         return true;
                     });
}

class JanelaPlanilhaFinalVeiculos : public ui::WindowController {
public:
    enum : int {
        kEnviar = 1, kGrupoEmail, kPromptNome, kNome, kPromptEmail, kEmail, kPromptAssunto, kAssunto, kPromptTexto,
        kTexto, kPromptPagina, kPagina, kImprimir, kCancelar
    };

    explicit JanelaPlanilhaFinalVeiculos(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "PlanilhaFinalVeiculos", "Planilha Final de Veículos") {}

    ui::Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return ui::Level::Cancel;
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        PreencheEmailVeiculos("Planilha Final de Veículos", false);
        ui::Window& w = window();
        w.Check(kEnviar, "Enviar e-mail", ui::UseFn([] { return std::string(shell::GLO_EMAIL_ENVIAR.Get() == 1 ? "1" : "0"); },
                                                    [](const std::string& s) {
                                                        shell::GLO_EMAIL_ENVIAR.Set(s == "1" ? 1 : 0);
                                                        return true;
                                                    }));
        w.Add(kGrupoEmail, ui::ControlType::Group, "");
        w.Prompt(kPromptNome, "Destinatário:").Parent(kGrupoEmail);
        w.Entry(kNome, UsaGlobal(shell::GLO_EMAIL_NOME, 40), "@s40").Parent(kGrupoEmail);
        w.Prompt(kPromptEmail, "E-mail:").Parent(kGrupoEmail);
        w.Entry(kEmail, UsaGlobal(shell::GLO_EMAIL_EMAIL, 100), "@s100").Parent(kGrupoEmail);
        w.Prompt(kPromptAssunto, "Assunto:").Parent(kGrupoEmail);
        w.Entry(kAssunto, UsaGlobal(shell::GLO_EMAIL_ASSUNTO, 50), "@s50").Parent(kGrupoEmail);
        w.Prompt(kPromptTexto, "Texto:").Parent(kGrupoEmail);
        w.TextBox(kTexto, UsaGlobal(shell::GLO_EMAIL_TEXTO, 255)).Parent(kGrupoEmail);
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
        AplicaModo();
        return l;
    }

    ui::Level OnAccepted(int feq) override {
        ui::Level l = ui::WindowController::OnAccepted(feq);
        ui::Window& w = window();
        switch (feq) {
            case kEnviar: w[kGrupoEmail].Hide(shell::GLO_EMAIL_ENVIAR.Get() != 1); break;
            case kImprimir:
                w.Update();
                ExecutaResumoFinalVeiculo(context(), paginaInicial_);
                AplicaModo();
                w.Select(kCancelar);
                break;
            case kCancelar: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        return l;
    }

private:
    void AplicaModo() {
        ui::Window& w = window();
        if (shell::FormaDoRelatorio(shell::ModoImpressao.Get()) == shell::FormaRelatorio::Texto) {
            shell::GLO_EMAIL_ENVIAR.Set(0);
            w[kEnviar].Hide();
        } else {
            w[kEnviar].Unhide();
        }
        w[kGrupoEmail].Hide(shell::GLO_EMAIL_ENVIAR.Get() != 1);
        w.Display();
    }

    int paginaInicial_ = 1;
};

}  // namespace

void RunPlanilhaFinalVeiculos(ui::ProcContext& ctx) { JanelaPlanilhaFinalVeiculos(ctx).Execute(); }

}  // namespace vorel::computation
