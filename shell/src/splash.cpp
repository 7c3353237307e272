// Abertura: the splash window (no caption) with the program line and the version; it closes after
// five seconds, on a click, or when another window becomes the active one. On closing it
// runs the one-time file conversion when the marker "Tem.Atu" lies in the data root.
#include <cstdio>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/main_frame.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;

// The runtime's mouse key codes: left button, left double click, right button.
constexpr int kMouseLeft = 1, kMouseLeft2 = 5, kMouseRight = 2;

class JanelaAbertura : public WindowController {
public:
    JanelaAbertura(ProcContext& ctx, std::shared_ptr<std::atomic<int>> janela)
        : WindowController(ctx, "Abertura", ""), janela_(std::move(janela)) {}

    Level Setup() override {
        WindowController::Setup();
        Window& w = window();
        w.SetCaptionBar(false);
        w.String(1, "Sistema de Substituição        Tributária - Vorel.");
        w.String(2, text::to_utf8(GLO_VERSAO.Get()));
        w.Add(3, ControlType::Region).Alert(kMouseLeft).Alert(kMouseLeft2).Alert(kMouseRight);
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        window().SetTimer(500);
        if (janela_) janela_->store(window().id());
        return Level::Benign;
    }

    Level OnWindowEvent(const Event& e) override {
        if (e.code == event::Timer || e.code == event::LoseFocus) {
            window().Post(event::CloseWindow);
            return Level::Benign;
        }
        return WindowController::OnWindowEvent(e);
    }

    Level OnAlertKey(int, int) override {
        window().Post(event::CloseWindow);
        return Level::Benign;
    }

    Level Teardown() override {
        if (janela_) janela_->store(0);
        return WindowController::Teardown();
    }

private:
    std::shared_ptr<std::atomic<int>> janela_;
};

}  // namespace

void Abertura(ProcContext& ctx, const std::function<std::optional<ProcedureFn>(std::string_view)>& procura,
              std::shared_ptr<std::atomic<int>> janela) {
    {
        JanelaAbertura splash(ctx, janela);
        splash.Execute();
    }
    // The conversion runs once: the marker goes when it has run, whatever it did. When the
    // conversion is not in the program yet, the marker stays for the next start.
    std::string marcador = PastaRaiz.Get() + "Tem.Atu";
    if (!files::exists(marcador) || ctx.StopRequested()) return;
    auto atualiza = procura ? procura("AtualizaArquivos") : ProcedureRegistry::Find("AtualizaArquivos");
    if (!atualiza) return;
    ctx.Call(*atualiza);
    if (auto ec = files::remove_file(marcador))
        std::fprintf(stderr, "vorel: %s not deleted: %s\n", marcador.c_str(), ec.message().c_str());
}

}  // namespace vorel::shell
