// Window "RelatorioEntradas" ("Relatório de Entradas"): the entries listing's options (one supplier
// or all, model 01 or 02) and its e-mail. "&Imprimir" runs, on this window's thread, the model's page
// report through the previewer, or in printing mode 2 its text form; the mode is read at each print.
// Reads `ForCli` for the supplier chosen and the working company's `Empresa` record for the e-mail
// defaults.
#include "janela_parte.h"
#include "vorel/listings/procedures.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/shell/working_context.h"

namespace vorel::listings {

namespace {

class RelatorioEntradas : public JanelaParte {
public:
    explicit RelatorioEntradas(ui::ProcContext& ctx)
        : JanelaParte(ctx, "RelatorioEntradas", "Relatório de Entradas",
                      {"Filtro", "Modelo", "Relatório de Entradas", {" Modelo 01", " Modelo 02"}}) {}

private:
    void Imprime(const ParteEscolhida& fornecedor, int modelo) override {
        using Relatorio = void (*)(ui::ProcContext&, const shell::EmpresaPeriodo&, const ParteEscolhida&);
        const bool texto = shell::FormaDoRelatorio(shell::ModoImpressao.Get()) == shell::FormaRelatorio::Texto;
        const Relatorio r = modelo == 2 ? (texto ? RelEntradasM_Mod02 : RelEntradas_Mod02)
                                        : (texto ? RelEntradasM : RelEntradas);
        r(context(), shell::PeriodoDeTrabalho(), fornecedor);
    }
};

}  // namespace

void RunRelatorioEntradas(ui::ProcContext& ctx) { RelatorioEntradas(ctx).Execute(); }

}  // namespace vorel::listings
