// The options window of a printed report (report_options_window.h).
#include "vorel/shell/report_options_window.h"

#include "vorel/shell/working_context.h"

namespace vorel::shell {

JanelaOpcoesRelatorio::JanelaOpcoesRelatorio(ui::ProcContext& ctx, std::string procedureName, std::string caption,
                                             ControlesJanelaRelatorio controles)
    : ui::WindowController(ctx, std::move(procedureName), std::move(caption)),
      email_(controles.primeiroEmail),
      imprimir_(controles.imprimir),
      cancelar_(controles.cancelar) {}

void JanelaOpcoesRelatorio::AdicionaEmail() { shell::AdicionaEmail(window(), email_); }

ui::Level JanelaOpcoesRelatorio::Setup() {
    if (!GaranteEmpresa(context()) && !AbreSemEmpresa()) return ui::Level::Cancel;
    ui::Level l = ui::WindowController::Setup();
    if (l != ui::Level::Benign) return l;
    ui::Window& w = window();
    l = AdicionaOpcoes(w);
    if (l != ui::Level::Benign) return l;
    w.Button(imprimir_, "&Imprimir");
    w.Button(cancelar_, "&Cancelar");
    SetCancelButton(cancelar_);
    for (int b : {imprimir_, cancelar_}) navigator().ExcludeControl(b);
    return ui::Level::Benign;
}

ui::Level JanelaOpcoesRelatorio::OnWindowOpened() {
    ui::Level l = ui::WindowController::OnWindowOpened();
    AplicaModoEmail(window(), email_);
    return l;
}

ui::Level JanelaOpcoesRelatorio::OnOtherEvent(const ui::Event& e) {
    ui::Level l = ui::WindowController::OnOtherEvent(e);
    if (e.code == ui::event::GainFocus) AplicaModoEmail(window(), email_);
    return l;
}

ui::Level JanelaOpcoesRelatorio::OnAccepted(int feq) {
    ui::Level l = ui::WindowController::OnAccepted(feq);
    ui::Window& w = window();
    if (feq == email_.enviar) {
        AplicaModoEmail(w, email_);
    } else if (feq == imprimir_) {
        w.Update();
        Imprime();
        AplicaModoEmail(w, email_);  // the window has the focus again
        w.Select(cancelar_);
    } else if (feq == cancelar_) {
        CloseWith(ui::Response::Completed);
    } else {
        OnOption(feq);
    }
    return l;
}

}  // namespace vorel::shell
