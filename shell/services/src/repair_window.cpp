// The window of a batch repair (repair_window.h).
#include "vorel/shell/repair_window.h"

#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"

namespace vorel::shell {

JanelaReparo::JanelaReparo(ui::ProcContext& ctx, std::string procedureName, std::string caption,
                           ControlesJanelaReparo controles, std::string executar, std::string fechar)
    : ui::WindowController(ctx, std::move(procedureName), std::move(caption)),
      controles_(controles),
      executar_(std::move(executar)),
      fechar_(std::move(fechar)) {
    RememberPosition();
}

ui::Level JanelaReparo::Setup() {
    if (!GaranteEmpresa(context())) return ui::Level::Cancel;
    ui::Level l = ui::WindowController::Setup();
    if (l != ui::Level::Benign) return l;
    ui::Window& w = window();
    AdicionaCampos(w);
    w.String(controles_.contador, "").Hide();
    w.Progress(controles_.progresso).Hide();
    w.Button(controles_.executar, executar_);
    AdicionaBotoes(w);
    w.Button(controles_.fechar, fechar_);
    SetCancelButton(controles_.fechar);
    for (int b : {controles_.executar, controles_.fechar}) navigator().ExcludeControl(b);
    return ui::Level::Benign;
}

ui::Level JanelaReparo::OnAccepted(int feq) {
    ui::Level l = ui::WindowController::OnAccepted(feq);
    if (feq == controles_.executar) {
        window().Update();
        Executa();
    } else if (feq == controles_.fechar) {
        CloseWith(ui::Response::Completed);
    } else {
        OnCampo(feq);
    }
    return l;
}

bool JanelaReparo::Confirma(const std::string& pergunta) {
    return ui::Message(pergunta, "Atenção!!!", ui::Icon::Question, "&Sim|&Não", 2) == 1;
}

std::function<bool(long long, long long)> JanelaReparo::Andamento() {
    ui::Window& w = window();
    w[controles_.contador].Unhide().Text("0");
    w[controles_.progresso].Unhide().Range(0, 0).Progress(0);
    return [this, &w, c = controles_](long long feitos, long long total) {
        w[c.progresso].Range(0, static_cast<int>(total)).Progress(static_cast<int>(feitos));
        w[c.contador].Text(text::to_utf8(picture::format("@n13", feitos)));
        w.Display();
        return !context().StopRequested();
    };
}

void JanelaReparo::ZeraAndamento(bool esconde) {
    ui::Window& w = window();
    w[controles_.contador].Text(text::to_utf8(picture::format("@n13", 0))).Hide(esconde);
    w[controles_.progresso].Range(0, 0).Progress(0).Hide(esconde);
    w.Display();
}

void JanelaReparo::Conclui(const std::string& erro, bool completo, const std::string& texto,
                           const std::string& titulo, Depois depois) {
    if (!erro.empty()) ui::Message(erro, "Atenção!!!", ui::Icon::Exclamation);
    else if (completo) ui::Message(texto, titulo);
    if (depois == Depois::Fecha && completo) CloseWith(ui::Response::Completed);
    else if (depois == Depois::Zera) ZeraAndamento();
}

}  // namespace vorel::shell
