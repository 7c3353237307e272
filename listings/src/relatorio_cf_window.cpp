// Window "RelatorioCF" ("Relatório de Cupons Fiscais"): the choice of the cash-register report of the
// working month (" Tipo Lançamentos ": master, analytic, daily, or the three together) and its
// e-mail, whose subject and text follow the choice. "&Imprimir" runs the chosen report through the
// previewer on this window's thread, in every printing mode; the window stays open until
// "&Cancelar". Reads the working company's `Empresa` record for the e-mail defaults.
#include "vorel/listings/cupons.h"
#include "vorel/listings/procedures.h"
#include "vorel/shell/email_options.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/report_options_window.h"
#include "vorel/shell/working_context.h"

namespace vorel::listings {

namespace {

// The subject's and text's opening of each choice (UTF-8).
constexpr const char* kTitulos[] = {
    "Relatório de Lançamentos Mestres", "Relatório de Lançamentos Analíticos", "Relatório de Lançamentos Diários",
    "Relatório de Lançamentos Mestre/Analítico/Diário"};

class RelatorioCF : public shell::JanelaOpcoesRelatorio {
public:
    enum : int {
        kGrupoTipo = 1, kMestres, kAnaliticos, kDiarios, kCompleto, kBanner, kImprimir, kCancelar, kAjuda, kEmail
    };

    explicit RelatorioCF(ui::ProcContext& ctx)
        : JanelaOpcoesRelatorio(ctx, "RelatorioCF", "Relatório de Cupons Fiscais", {kEmail, kImprimir, kCancelar}) {}

    ui::Level Setup() override {
        ui::Level l = JanelaOpcoesRelatorio::Setup();
        if (l != ui::Level::Benign) return l;
        window().Button(kAjuda, "  &Ajuda");  // no help file: the button does nothing
        navigator().ExcludeControl(kAjuda);
        return l;
    }

private:
    // Opens without a company too: the reports then name a blank company.
    bool AbreSemEmpresa() const override { return true; }

    ui::Level AdicionaOpcoes(ui::Window& w) override {
        shell::PreencheEmail(kTitulos[0]);
        w.Add(kGrupoTipo, ui::ControlType::Group, " Tipo Lançamentos ");
        const char* escolhas[] = {"Lançamentos Mestres", "Lançamentos Analíticos", "Lançamentos Diários",
                                  "Lançamentos Mestre/Analítico/Diário"};
        for (int i = 0; i < 4; ++i)
            w.Radio(kMestres + i, escolhas[i],
                    ui::UseFn([this, i] { return std::string(tipo_ == i ? "1" : "0"); },
                              [this, i](const std::string& s) {
                                  if (s == "1") tipo_ = i;
                                  return true;
                              }))
                .Parent(kGrupoTipo);
        AdicionaEmail();
        w.String(kBanner, "Relatório PDV").Font("Arial", 16).FontWeight(700);
        return ui::Level::Benign;
    }

    void Imprime() override {
        using Relatorio = void (*)(ui::ProcContext&, const shell::EmpresaPeriodo&);
        static constexpr Relatorio kRelatorios[] = {RelPDVMestre, RelPDVAnalitico, RelPDVDiario, RelPDVCompleto};
        kRelatorios[tipo_](context(), shell::PeriodoDeTrabalho());
    }

    // A choice rewrites the subject and the text for it, whatever was typed there.
    void OnOption(int feq) override {
        if (feq < kMestres || feq > kCompleto) return;
        ui::Window& w = window();
        w.Update();
        const std::uint8_t enviar = shell::GLO_EMAIL_ENVIAR.Get();
        const std::string nome = shell::GLO_EMAIL_NOME.Get(), email = shell::GLO_EMAIL_EMAIL.Get();
        shell::PreencheEmail(kTitulos[tipo_]);
        shell::GLO_EMAIL_ENVIAR.Set(enviar);
        shell::GLO_EMAIL_NOME.Set(nome);
        shell::GLO_EMAIL_EMAIL.Set(email);
        w.Display();
    }

    int tipo_ = 0;
};

}  // namespace

void RunRelatorioCF(ui::ProcContext& ctx) { RelatorioCF(ctx).Execute(); }

}  // namespace vorel::listings
