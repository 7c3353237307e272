// Window "WLegenda" ("Legenda dos funcionários"): the colours of the responsible-person browse's
// rows and what they mean. No tables; its place is kept under "WLegenda".
#include "vorel/registers/procedures.h"
#include "vorel/registers/responsible_persons.h"
#include "vorel/ui/window_controller.h"

namespace vorel::registers {

namespace {

constexpr long kBranco = 16777215;
constexpr long kAzulMarinho = 8388608;

class Legenda : public ui::WindowController {
public:
    enum : int {
        kHeadNormal = 1, kHeadSelecionado, kHeadSituacao, kAtivoNormal, kAtivoSelecionado, kAtivoSituacao,
        kPosteriorNormal, kPosteriorSelecionado, kPosteriorSituacao, kOk
    };

    explicit Legenda(ui::ProcContext& ctx) : ui::WindowController(ctx, "WLegenda", "Legenda dos funcionários") {
        RememberPosition();
    }

    ui::Level Setup() override {
        ui::Level l = ui::WindowController::Setup();
        ui::Window& w = window();
        w.String(kHeadNormal, "Cor - Normal");
        w.String(kHeadSelecionado, "Cor - Selecionado");
        w.String(kHeadSituacao, "Situação");
        w.String(kAtivoNormal, " Funcionário ").Background(kBranco);
        w.String(kAtivoSelecionado, " Funcionário ").Colour(kBranco, kAzulMarinho);
        w.String(kAtivoSituacao, "Ativo");
        w.String(kPosteriorNormal, " Funcionário ").Background(kFundoAdmitidoPosterior);
        w.String(kPosteriorSelecionado, " Funcionário ").Colour(kBranco, kFundoAdmitidoPosteriorSelecao);
        w.String(kPosteriorSituacao, "Admitido no mês posterior");
        w.Button(kOk, "&Ok");
        OnButton(kOk, [this] {
            CloseWith(ui::Response::Completed);
            return ui::Level::Benign;
        });
        return l;
    }
};

}  // namespace

void RunLegenda(ui::ProcContext& ctx) { Legenda(ctx).Execute(); }

}  // namespace vorel::registers
