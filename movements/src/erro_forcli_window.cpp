// Windows "JanErroForCli" ("Erros Clientes/Fornecedores") and "JanErroNotaForCli" ("Erros
// Clientes/Fornecedores por NF"): the options of the reports of invalid state registrations, the
// e-mail fields (GLO:EMAIL:*) preset from the working company (`Empresa`), and "&Imprimir", which
// runs the page report, or the text report in printing mode 2, on this window's thread.
#include "report_style.h"
#include "vorel/core/picture.h"
#include "vorel/movements/audit_reports.h"
#include "vorel/movements/procedures.h"
#include "vorel/shell/email_options.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/window_controller.h"

namespace vorel::movements {

namespace {

struct TextosJanela {
    const char* procedimento;
    const char* titulo;      // the caption and the subject's and text's opening (UTF-8)
    const char* explicacao;  // UTF-8
    bool porNota;
};

class JanelaErroForCli : public ui::WindowController {
public:
    enum : int {
        kEnviar = 1, kGrupoEmail, kPromptNome, kNome, kPromptEmail, kEmail, kPromptAssunto, kAssunto, kPromptTexto,
        kTexto, kExplicacao, kImprimir, kCancelar
    };

    JanelaErroForCli(ui::ProcContext& ctx, TextosJanela t) : ui::WindowController(ctx, t.procedimento, t.titulo), t_(t), email_(kEnviar) {}

    ui::Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return ui::Level::Cancel;
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        shell::PreencheEmail(t_.titulo);
        ui::Window& w = window();
        shell::AdicionaEmail(w, email_);
        w.Prompt(kExplicacao, t_.explicacao);
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
                if (shell::FormaDoRelatorio(shell::ModoImpressao.Get()) == shell::FormaRelatorio::Texto)
                    RelErroForCliM(context(), t_.porNota);
                else
                    RelErroForCli(context(), t_.porNota);
                shell::AplicaModoEmail(w, email_);  // the window has the focus again
                w.Select(kCancelar);
                break;
            case kCancelar: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        return l;
    }

private:
    TextosJanela t_;
    shell::ControlesEmail email_;
};

}  // namespace

void RunJanErroForCli(ui::ProcContext& ctx) {
    JanelaErroForCli(ctx, {"JanErroForCli", "Erros Clientes/Fornecedores",
                           "Esta opção verifica o cadastro de Clientes/ Fornecedores, e executa  a  impressão dos "
                           "cadastro  que  possuem Inscrição Estadual Inválidos.",
                           false})
        .Execute();
}

void RunJanErroNotaForCli(ui::ProcContext& ctx) {
    JanelaErroForCli(ctx, {"JanErroNotaForCli", "Erros Clientes/Fornecedores por NF",
                           "Esta opção verifica o cadastro de Clientes/ Fornecedores , inclusive  suas  res"  // one word in two pieces
                           "pectivas NFs , e executa  a  impressão dos cadastro que possuem Inscrição Estadual Inválidos.",
                           true})
        .Execute();
}

}  // namespace vorel::movements
