// FechaVariosMeses (" Fecha Vários Meses") and AbreVariosMeses (" Abre Vários Meses"): close or
// reopen a range of months for the user who confirmed. Tables: FechamentoEscrita, LogEscrita
// (month_closing.h). Positions kept under the procedures' names.
#include "vorel/ui/pictured_use.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/month_closing.h"
#include "vorel/shell/shell_windows.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;

class JanelaVariosMeses : public WindowController {
public:
    enum : int { kGrupoInicial = 1, kInicial = 2, kGrupoFinal = 3, kFinal = 4, kOk = 5, kCancela = 6, kAjuda = 7 };

    JanelaVariosMeses(ProcContext& ctx, bool fecha, std::string usuario)
        : WindowController(ctx, fecha ? "FechaVariosMeses" : "AbreVariosMeses",
                           fecha ? " Fecha Vários Meses" : " Abre Vários Meses"),
          fecha_(fecha), usuario_(std::move(usuario)) {}

    Level Setup() override {
        WindowController::Setup();
        RememberPosition();
        Window& w = window();
        w.Add(kGrupoInicial, ControlType::Group, " Mês / Ano Inicial ");
        w.Entry(kInicial, ui::UseMesAno(inicial_), "@d014b").Parent(kGrupoInicial);
        w.Add(kGrupoFinal, ControlType::Group, " Mês / Ano Final ");
        w.Entry(kFinal, ui::UseMesAno(final_), "@d014b").Parent(kGrupoFinal);
        w.Button(kOk, "&OK");
        w.Button(kCancela, "&Cancela");
        w.Button(kAjuda, "&Ajuda");
        w.SetDefaultButton(kOk);
        for (int f : {kOk, kCancela, kAjuda}) navigator().ExcludeControl(f);
        OnButton(kOk, [this] { return Ok(); });
        OnButton(kCancela, [this] {
            inicial_ = final_ = 0;
            CloseWith(Response::Cancelled);
            return Level::Benign;
        });
        return Level::Benign;
    }

private:
    Level Ok() {
        if (!window().Update()) return Level::Benign;
        if (std::string e = ConfereIntervalo(inicial_, final_); !e.empty()) {
            Message(e, "Aviso!", Icon::Exclamation);
            window().Select(inicial_ == 0 ? kInicial : final_ == 0 || final_ >= inicial_ ? kFinal : kInicial);
            return Level::Benign;
        }
        const Autor autor{usuario_, date::today(), date::now()};
        const Parar parar = [&ctx = context()] { return ctx.StopRequested(); };
        Alteracao a = fecha_ ? FechaMeses(inicial_, final_, autor, parar) : AbreMeses(inicial_, final_, autor, parar);
        if (context().StopRequested()) return Level::Benign;  // the program is closing: no message
        if (!a.erro.empty()) {
            Message(a.erro, "Aviso!", Icon::Exclamation);
            return Level::Benign;
        }
        CloseWith(Response::Completed);
        return Level::Benign;
    }

    bool fecha_;
    std::string usuario_;
    std::int32_t inicial_ = 0, final_ = 0;
};

}  // namespace

void FechaVariosMeses(ProcContext& ctx, const std::string& usuario) { JanelaVariosMeses(ctx, true, usuario).Execute(); }
void AbreVariosMeses(ProcContext& ctx, const std::string& usuario) { JanelaVariosMeses(ctx, false, usuario).Execute(); }

}  // namespace vorel::shell
