// The window of a batch repair of the "&Utilitários" menu: what every such window shares around its
// own fields. It asks for the working company first (no company: the window does not open), keeps
// its position under the procedure's name, shows the records read (picture "n13") and a progress
// bar, hidden until a run starts, and ends with the button that runs the repair and the one that
// closes the window (both kept out of key navigation).
//
// The repair itself is a library call that takes the company and year as a value and a progress
// callback; `Andamento()` is that callback for this window: it shows the count and the bar and
// answers false once the program is stopping, which rolls the run back.
//
//     class JanelaX : public shell::JanelaReparo {
//         JanelaX(ctx) : JanelaReparo(ctx, "X", "Caption", {kContador, kProgresso, kAjustar, kCancelar}) {}
//         void AdicionaCampos(ui::Window& w) override { ... }   // the run's own values, if any
//         void Executa() override {
//             if (!Confirma("Deseja ...?")) return;
//             ResultadoX r = X(shell::PeriodoDeTrabalho(), Andamento());
//             Conclui(r.erro, r.ok(), "Ajuste efetuado com sucesso!", "Concluído!", Depois::Fica);
//         }
//     };
#pragma once

#include <functional>
#include <string>

#include "vorel/ui/window_controller.h"

namespace vorel::shell {

// The control numbers of the window's skeleton.
struct ControlesJanelaReparo {
    int contador;
    int progresso;
    int executar;
    int fechar;
};

class JanelaReparo : public ui::WindowController {
public:
    // `executar` and `fechar` are the captions of the two buttons.
    JanelaReparo(ui::ProcContext& ctx, std::string procedureName, std::string caption, ControlesJanelaReparo controles,
                 std::string executar = "&Ajustar", std::string fechar = "&Cancelar");

    ui::Level Setup() override;
    ui::Level OnAccepted(int feq) override;

protected:
    // The window's own controls, above the counter.
    virtual void AdicionaCampos(ui::Window&) {}
    // The window's own buttons between the run button and the close button (another way to run).
    virtual void AdicionaBotoes(ui::Window&) {}
    // The run, when the run button is pressed.
    virtual void Executa() = 0;
    // Any other control accepted.
    virtual void OnCampo(int) {}

    // Asks `pergunta` (title "Atenção!!!") with "&Sim" and "&Não", "&Não" preselected; true on "&Sim".
    bool Confirma(const std::string& pergunta);
    // The progress callback of a run: shows the counter and the bar (made visible) and answers
    // false once the program is stopping.
    std::function<bool(long long, long long)> Andamento();
    // The counter and the bar back at 0 (hidden with `esconde`).
    void ZeraAndamento(bool esconde = false);

    // What the window does once a run ends: closes (after a complete run), stays as it is, or
    // stays with the counter and the bar back at 0.
    enum class Depois { Fecha, Fica, Zera };
    // Tells how the run ended: its failure `erro` (title "Atenção!!!"), else, when it ran to the
    // end (`completo`), `texto` under `titulo`; a run the program's end stopped says nothing.
    void Conclui(const std::string& erro, bool completo, const std::string& texto, const std::string& titulo,
                 Depois depois);

    const ControlesJanelaReparo& controles() const { return controles_; }

private:
    ControlesJanelaReparo controles_;
    std::string executar_, fechar_;
};

}  // namespace vorel::shell
