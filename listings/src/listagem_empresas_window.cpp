// Window "ListagemEmpresas" ("Listagem de Empresas"): the e-mail options of the company listing and
// "&Imprimir", which runs `RelatorioEmpresas` on this window's thread: the page report `RelEmp`, or the
// text form `RelEmpresaM` in printing mode 2, then a pass over `Empresa` behind "Processing
// Records". Reads the working company's `Empresa` record for the e-mail defaults.
#include "estilo.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/listings/empresas.h"
#include "vorel/listings/procedures.h"
#include "vorel/shell/email_options.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/shell/report_options_window.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/progress_window.h"
#include "vorel/ui/window.h"

namespace vorel::listings {

namespace {

class ListagemEmpresas : public shell::JanelaOpcoesRelatorio {
public:
    enum : int { kImprimir = 1, kCancelar, kEmail };

    explicit ListagemEmpresas(ui::ProcContext& ctx)
        : JanelaOpcoesRelatorio(ctx, "ListagemEmpresas", "Listagem de Empresas", {kEmail, kImprimir, kCancelar}) {}

private:
    // Opens without a company too: the listing is of every company.
    bool AbreSemEmpresa() const override { return true; }

    ui::Level AdicionaOpcoes(ui::Window&) override {
        shell::PreencheEmail("Listagem de Empresas");
        // The listing is of every company: the text names the period only.
        const shell::EmpresaPeriodo p = shell::PeriodoDeTrabalho();
        shell::GLO_EMAIL_TEXTO.Set(estilo::W("Listagem de Empresas - Período: ") + text::zero_fill(p.mes, 2) + "/" +
                                   text::zero_fill(p.ano, 4) + ".");
        AdicionaEmail();
        return ui::Level::Benign;
    }

    void Imprime() override { RelatorioEmpresas(context()); }
};

// The pass over the register that follows the report, behind its progress window; "&Cancelar"
// stops it.
void PassaEmpresas(ui::ProcContext& ctx) {
    estilo::Leitura empresas(dictionary::Empresa(), "Empresa");
    if (!empresas.Abre(dictionary::keys::EMP_KEY_CODIGO)) return;
    const std::size_t total = empresas.Total();
    ui::ProgressWindow w(ctx, "Processing Records", "&Cancelar");
    w.window()[ui::ProgressWindow::kText].Text("0% Completed");
    for (std::size_t lidos = 1; empresas.Proximo(); ++lidos) {
        const long long pct = total > 0 ? static_cast<long long>(std::min<std::size_t>(100, lidos * 100 / total)) : 100;
        if (!w.Update(pct, 100, std::to_string(pct) + "% Completed")) break;
    }
    w.window().Close();
}

}  // namespace

void RelatorioEmpresas(ui::ProcContext& ctx) {
    // Printing mode 0 prints the page report as mode 1 does.
    if (shell::FormaDoRelatorio(shell::ModoImpressao.Get()) == shell::FormaRelatorio::Texto)
        RelEmpresaM(ctx);
    else
        RelEmp(ctx);
    PassaEmpresas(ctx);
}

void RunListagemEmpresas(ui::ProcContext& ctx) { ListagemEmpresas(ctx).Execute(); }

}  // namespace vorel::listings
