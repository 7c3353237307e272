// Windows "JanErroForCli" ("Erros Clientes/Fornecedores") and "JanErroNotaForCli" ("Erros
// Clientes/Fornecedores por NF"): the options of the reports of invalid state registrations, the
// e-mail fields (GLO:EMAIL:*) preset from the working company (`Empresa`), and "&Imprimir", which
// runs the page report, or the text report in printing mode 2, on this window's thread.
#include "report_style.h"
#include "vorel/core/picture.h"
#include "vorel/movements/audit_reports.h"
#include "vorel/movements/procedures.h"
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

// A global text bound to an entry: UTF-8 on the screen, Windows-1252 cut to `largura` in the global.
ui::UsePtr UsaGlobal(shell::Global<std::string>& g, std::size_t largura) {
    return ui::UseFn([&g] { return text::to_utf8(g.Get()); },
                     [&g, largura](const std::string& s) {
                         g.Set(text::left(text::from_utf8(s), largura));
                         return true;
                     });
}

class JanelaErroForCli : public ui::WindowController {
public:
    enum : int {
        kEnviar = 1, kExplicacao, kGrupoEmail, kPromptNome, kNome, kPromptEmail, kEmail, kPromptAssunto, kAssunto,
        kPromptTexto, kTexto, kImprimir, kCancelar
    };

    JanelaErroForCli(ui::ProcContext& ctx, TextosJanela t) : ui::WindowController(ctx, t.procedimento, t.titulo), t_(t) {}

    ui::Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return ui::Level::Cancel;
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        PreencheEmail();
        ui::Window& w = window();
        w.Check(kEnviar, "Enviar e-mail", ui::UseFn([] { return std::string(shell::GLO_EMAIL_ENVIAR.Get() == 1 ? "1" : "0"); },
                                                    [](const std::string& s) {
                                                        shell::GLO_EMAIL_ENVIAR.Set(s == "1" ? 1 : 0);
                                                        return true;
                                                    }));
        w.Prompt(kExplicacao, t_.explicacao);
        w.Add(kGrupoEmail, ui::ControlType::Group, "");
        w.Prompt(kPromptNome, "Destinatário:").Parent(kGrupoEmail);
        w.Entry(kNome, UsaGlobal(shell::GLO_EMAIL_NOME, 40), "@s40").Parent(kGrupoEmail);
        w.Prompt(kPromptEmail, "E-mail:").Parent(kGrupoEmail);
        w.Entry(kEmail, UsaGlobal(shell::GLO_EMAIL_EMAIL, 100), "@s100").Parent(kGrupoEmail);
        w.Prompt(kPromptAssunto, "Assunto:").Parent(kGrupoEmail);
        w.Entry(kAssunto, UsaGlobal(shell::GLO_EMAIL_ASSUNTO, 50), "@s50").Parent(kGrupoEmail);
        w.Prompt(kPromptTexto, "Texto:").Parent(kGrupoEmail);
        w.TextBox(kTexto, UsaGlobal(shell::GLO_EMAIL_TEXTO, 255)).Parent(kGrupoEmail);
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
                if (shell::FormaDoRelatorio(shell::ModoImpressao.Get()) == shell::FormaRelatorio::Texto)
                    RelErroForCliM(context(), t_.porNota);
                else
                    RelErroForCli(context(), t_.porNota);
                AplicaModo();  // the window has the focus again
                w.Select(kCancelar);
                break;
            case kCancelar: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        return l;
    }

private:
    void PreencheEmail() {
        const estilo::EmpresaRelatorio e = estilo::LeEmpresa();
        const std::string titulo = text::from_utf8(t_.titulo);
        shell::GLO_EMAIL_ENVIAR.Set(0);
        shell::GLO_EMAIL_NOME.Set(std::string(text::clip(text::left(e.razao, 40))));
        shell::GLO_EMAIL_EMAIL.Set(std::string(text::clip(e.email)));
        const date::Day hoje = shell::DataHoje.Get();
        shell::GLO_EMAIL_ASSUNTO.Set(text::left(titulo + " - " + (hoje ? picture::format("@D06b", hoje) : std::string()), 50));
        shell::GLO_EMAIL_TEXTO.Set(text::left(titulo + " - Empresa: " + text::zero_fill(shell::GLO_EMPRESA_CODIGO.Get(), 5) +
                                                  " - " + std::string(text::clip(e.razao)) + estilo::W(" - Período: ") +
                                                  text::zero_fill(shell::GLO_MES.Get(), 2) + "/" +
                                                  picture::format("@n4", shell::GLO_ANO.Get()) + ".",
                                              255));
    }

    // In printing mode 2 nothing is e-mailed: the check and the e-mail fields hide.
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

    TextosJanela t_;
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
