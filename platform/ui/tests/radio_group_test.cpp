// Radios without a parent control (an option of the window itself, as the text viewer's " Acima"
// and " Abaixo") form one group as well: Tab stops at the chosen one and the arrow keys choose.
#include <gtest/gtest.h>

#include "vorel/ui/headless.h"
#include "vorel/ui/window_controller.h"

using namespace vorel::ui;

namespace {

enum : int { kBusca = 1, kAcima = 2, kAbaixo = 3, kPesquisar = 4 };

class Busca : public WindowController {
public:
    Busca(ProcContext& ctx, int& direcao) : WindowController(ctx, "Busca", "Busca"), direcao_(direcao) {}
    Level Setup() override {
        WindowController::Setup();
        Window& w = window();
        w.Entry(kBusca, Use(texto_));
        w.Radio(kAcima, " Acima", Direcao(1));
        w.Radio(kAbaixo, " Abaixo", Direcao(0));
        w.Button(kPesquisar, "&Pesquisar");
        return Level::Benign;
    }
    Level TakeEvent(const Event& e) override {
        const Level l = WindowController::TakeEvent(e);
        window().Display();  // both radios show the choice
        return l;
    }

private:
    UsePtr Direcao(int valor) {
        return UseFn([this, valor] { return std::string(direcao_ == valor ? "1" : "0"); },
                     [this, valor](const std::string& s) {
                         if (s == "1") direcao_ = valor;
                         return true;
                     });
    }
    int& direcao_;
    std::string texto_;
};

TEST(RadioGroup, RadiosWithoutAParentAreOneGroupOfTheWindow) {
    Runtime rt;
    HeadlessDriver ui{rt};
    int direcao = 0;
    rt.Start("Busca", [&direcao](ProcContext& ctx) { Busca(ctx, direcao).Execute(); });
    const int w = ui.WindowByCaption("Busca");
    ui.FocusOn(ui.Control(w, kBusca));
    ui.Key(w, key::Tab);
    EXPECT_EQ(ui.Focus(w), kAbaixo) << "Tab enters at the chosen radio";
    ui.Key(w, key::Up);
    EXPECT_EQ(ui.Focus(w), kAcima);
    EXPECT_EQ(direcao, 1) << "Up chose the radio before";
    ui.Key(w, key::Tab);
    EXPECT_EQ(ui.Focus(w), kPesquisar) << "Tab leaves the group";
    ui.Key(w, key::ShiftTab);
    EXPECT_EQ(ui.Focus(w), kAcima) << "back at the chosen radio";
}

}  // namespace
