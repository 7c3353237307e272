// Windows "JanErroForCli" ("Erros Clientes/Fornecedores") and "JanErroNotaForCli" ("Erros
// Clientes/Fornecedores por NF"): the options of the reports of invalid state registrations, the
// e-mail fields (GLO:EMAIL:*) preset from the working company (`Empresa`), and "&Imprimir", which
// runs the page report, or the text report in printing mode 2, on this window's thread.
#include "vorel/core/picture.h"
#include "vorel/movements/audit_reports.h"
#include "vorel/movements/procedures.h"
#include "vorel/shell/email_options.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/shell/report_options_window.h"

namespace vorel::movements {

namespace {

struct TextosJanela {
    const char* procedimento;
    const char* titulo;      // the caption and the subject's and text's opening (UTF-8)
    const char* explicacao;  // UTF-8
    bool porNota;
};

class JanelaErroForCli : public shell::JanelaOpcoesRelatorio {
public:
    enum : int {
        kEnviar = 1, kGrupoEmail, kPromptNome, kNome, kPromptEmail, kEmail, kPromptAssunto, kAssunto, kPromptTexto,
        kTexto, kExplicacao, kImprimir, kCancelar
    };

    JanelaErroForCli(ui::ProcContext& ctx, TextosJanela t)
        : JanelaOpcoesRelatorio(ctx, t.procedimento, t.titulo, {kEnviar, kImprimir, kCancelar}), t_(t) {}

private:
    ui::Level AdicionaOpcoes(ui::Window& w) override {
        shell::PreencheEmail(t_.titulo);
        AdicionaEmail();
        w.Prompt(kExplicacao, t_.explicacao);
        return ui::Level::Benign;
    }

    void Imprime() override {
        if (shell::FormaDoRelatorio(shell::ModoImpressao.Get()) == shell::FormaRelatorio::Texto)
            RelErroForCliM(context(), shell::GLO_EMPRESA_CODIGO.Get(), t_.porNota);
        else
            RelErroForCli(context(), shell::GLO_EMPRESA_CODIGO.Get(), t_.porNota);
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
