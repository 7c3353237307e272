// Window "JRelSaldos" (caption "Caption"): the option " Imprimir somente produtos com Saldo" of the
// balance listing `RelSaldosW`, which "&Imprimir" runs through the previewer in every printing mode;
// the window stays open until "&Fecha". Opens no table of its own.
#include "janela_fecha.h"
#include "vorel/listings/procedures.h"
#include "vorel/listings/saldos.h"
#include "vorel/shell/email_options.h"
#include "vorel/shell/working_context.h"

namespace vorel::listings {

namespace {

class JRelSaldos : public JanelaComFecha {
public:
    enum : int { kSaldo = 1, kImprimir, kFecha, kEmail };

    explicit JRelSaldos(ui::ProcContext& ctx)
        : JanelaComFecha(ctx, "JRelSaldos", "Caption", {kEmail, kImprimir, kFecha}) {}

private:
    // Opens without a company too; "&Imprimir" asks for one again.
    bool AbreSemEmpresa() const override { return true; }

    ui::Level AdicionaOpcoes(ui::Window& w) override {
        shell::PreencheEmail("Relação de Saldos");
        w.Check(kSaldo, " Imprimir somente produtos com Saldo", ui::Use(somenteComSaldo_));
        AdicionaEmail();
        return ui::Level::Benign;
    }

    void Imprime() override {
        (void)shell::GaranteEmpresa(context());  // the listing runs whatever the answer
        RelSaldosW(context(), shell::PeriodoDeTrabalho(), somenteComSaldo_);
    }

    bool somenteComSaldo_ = false;
};

}  // namespace

void RunJRelSaldos(ui::ProcContext& ctx) { JRelSaldos(ctx).Execute(); }

}  // namespace vorel::listings
