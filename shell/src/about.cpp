// Sobre: the about window ("Sobre o  Sistema") with the program line and the version text.
#include "vorel/core/text.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/small_windows.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;

class JanelaSobre : public WindowController {
public:
    explicit JanelaSobre(ProcContext& ctx) : WindowController(ctx, "Sobre", "Sobre o  Sistema") {}

    Level Setup() override {
        WindowController::Setup();
        Window& w = window();
        w.SetPosition({140, 80, 250, 70});
        w.String(1, "Sistema de Substituição      Tributária - Vorel").At(10, 10, 230, 10).FontWeight(700);
        w.String(2, text::to_utf8(GLO_VERSAO.Get())).At(10, 26, 230, 10);
        w.Button(3, "&OK").At(102, 46, 45, 14);
        SetOkButton(3);
        w.SetDefaultButton(3);
        navigator().ExcludeControl(3);
        return Level::Benign;
    }
};

}  // namespace

void Sobre(ProcContext& ctx) { JanelaSobre(ctx).Execute(); }

}  // namespace vorel::shell
