// Window "RelatorioSaidas" ("Relatório de Saídas"): the exits listing's options (one customer or
// all, the one model) and its e-mail. "    &Imprimir" runs, on this window's thread, the page report
// `RelSaidas` through the previewer, or in printing mode 2 the text form `RelSaidasM`; the mode is
// read at each print. The "Filtrar" box decides: cleared, every customer is listed. Reads `ForCli`
// for the customer chosen and the working company's `Empresa` record for the e-mail defaults.
#include "janela_parte.h"
#include "vorel/listings/procedures.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/window.h"

namespace vorel::listings {

namespace {

class RelatorioSaidas : public JanelaParte {
public:
    explicit RelatorioSaidas(ui::ProcContext& ctx)
        : JanelaParte(ctx, "RelatorioSaidas", "Relatório de Saídas",
                      {"Filtrar", "Modelo de Relatórios", "Relatório de Saídas", {"Modelo 01"}}) {}

    ui::Level Setup() override {
        ui::Level l = JanelaParte::Setup();
        if (l != ui::Level::Benign) return l;
        window()[kImprimir].Text("    &Imprimir");
        window()[kCancelar].Text("   &Cancelar");
        return l;
    }

private:
    void Imprime(const ParteEscolhida& cliente, int /*modelo*/) override {
        if (shell::FormaDoRelatorio(shell::ModoImpressao.Get()) == shell::FormaRelatorio::Texto)
            RelSaidasM(context(), shell::PeriodoDeTrabalho(), cliente);
        else
            RelSaidas(context(), shell::PeriodoDeTrabalho(), cliente);
    }
};

}  // namespace

void RunRelatorioSaidas(ui::ProcContext& ctx) { RelatorioSaidas(ctx).Execute(); }

}  // namespace vorel::listings
