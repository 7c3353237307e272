// The options window of a printed report: what every such window of the subsystems shares around
// its own options. It asks for the working company first (no company: the window does not open,
// unless it lists what needs none: `AbreSemEmpresa`),
// ends with the "&Imprimir" and "&Cancelar" buttons (kept out of key navigation, "&Cancelar" the
// cancel button), and keeps the e-mail options (email_options.h) under the printing-mode rule when
// it opens, each time it gains the focus (a printing mode changed meanwhile hides or shows them),
// when the "Enviar e-mail" check is pressed and after every print. "&Imprimir" updates the
// globals from the screen and runs the window's print step on its own thread; "&Cancelar" closes
// the window, which otherwise stays open for another run.
//
//     class JanelaX : public shell::JanelaOpcoesRelatorio {
//         JanelaX(ctx) : JanelaOpcoesRelatorio(ctx, "X", "Caption", {kEnviar, kImprimir, kCancelar}) {}
//         ui::Level AdicionaOpcoes(ui::Window& w) override {  // preset the e-mail, add the options
//             shell::PreencheEmail("Caption");
//             AdicionaEmail();                               // where the e-mail options go
//             ...
//         }
//         void Imprime() override { ... }                    // the report itself
//         void OnOption(int feq) override { ... }            // the window's other controls
//     };
#pragma once

#include <string>

#include "vorel/shell/email_options.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

// The control numbers the window's skeleton needs.
struct ControlesJanelaRelatorio {
    int primeiroEmail;  // the first of the ten e-mail controls (ControlesEmail)
    int imprimir;
    int cancelar;
};

class JanelaOpcoesRelatorio : public ui::WindowController {
public:
    JanelaOpcoesRelatorio(ui::ProcContext& ctx, std::string procedureName, std::string caption,
                          ControlesJanelaRelatorio controles);

    ui::Level Setup() override;
    ui::Level OnWindowOpened() override;
    ui::Level OnAccepted(int feq) override;
    ui::Level OnOtherEvent(const ui::Event& e) override;

protected:
    // Set-up of the window's own part, before the two buttons: preset the e-mail fields and add
    // the options, the e-mail options among them (`AdicionaEmail`). Anything but Benign stops the
    // window.
    virtual ui::Level AdicionaOpcoes(ui::Window& w) = 0;
    // "&Imprimir": the report with the options on the screen.
    virtual void Imprime() = 0;
    // Any other control accepted (after the window's own handling).
    virtual void OnOption(int /*feq*/) {}
    // True: the window opens even when the user left the company window without a company (its
    // reports then name a blank company).
    virtual bool AbreSemEmpresa() const { return false; }

    // Adds the "Enviar e-mail" check and its group at this point of the window.
    void AdicionaEmail();

private:
    ControlesEmail email_;
    int imprimir_;
    int cancelar_;
};

}  // namespace vorel::shell
