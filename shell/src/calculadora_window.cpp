// Calculadora: the desk calculator's window ("Calculadora"). Tables: none. Settings: Escrita.Ini
// [Calculadora] CasasDecimais (the decimal places, default 2); the window's place under "Calcula".
// The arithmetic is CalculadoraModelo's (calculator.h); this file maps buttons and keys onto it.
#include <map>

#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"
#include "vorel/shell/calculator.h"
#include "vorel/shell/clipboard.h"
#include "vorel/shell/shell_windows.h"
#include "vorel/shell/program_settings.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;

class JanelaCalculadora : public WindowController {
public:
    enum : int {
        kB0 = 1,  // 1..10: the digits 0..9
        kDecimal = 11, kDelete, kCancela, kMais, kMenos, kMultiplica, kDividir, kPercentual, kTotal, kMR, kMC, kMMais,
        kMMenos, kLimpaFita, kSobeFita, kTransporta, kFecha, kDecimais, kResultado, kMemoria, kValor, kFita,
        kPromptResultado, kPromptMemoria, kPromptValor, kPromptDecimais
    };

    explicit JanelaCalculadora(ProcContext& ctx)
        : WindowController(ctx, "Calcula", "Calculadora"), modelo_(vorel::shell::CasasDecimaisCalculadora(), LeAreaTransferencia()) {}

    Level Setup() override {
        WindowController::Setup();
        RememberPosition();
        decimais_ = modelo_.decimais();
        Window& w = window();
        w.Prompt(kPromptResultado, "Resultado");
        w.Entry(kResultado, UseFn([this] { return Mostra(modelo_.resultado()); }, {})).ReadOnly();
        w.Prompt(kPromptMemoria, "Memória");
        w.Entry(kMemoria, UseFn([this] { return Mostra(modelo_.memoria()); }, {})).ReadOnly();
        w.Prompt(kPromptValor, "Valor");
        w.Entry(kValor, UseFn([this] { return Mostra(modelo_.valor()); }, {})).ReadOnly();
        // The decimal places stand with the display, so Tab goes display, keypad row by row, buttons.
        w.Prompt(kPromptDecimais, "Casas decimais");
        w.Spin(kDecimais, Use(decimais_), "@n1").Range(0, 9).Tip("Quantidade de casas decimais");
        w.List(kFita, {{"", 120, 'R'}, {"", 10, 'L'}});
        for (int d = 0; d <= 9; ++d) w.Button(kB0 + d, std::to_string(d));
        w.Button(kDecimal, ".");
        w.Button(kDelete, "<-");
        w.Button(kCancela, "C");
        w.Button(kMais, "+");
        w.Button(kMenos, "-");
        w.Button(kMultiplica, "*");
        w.Button(kDividir, "/");
        w.Button(kPercentual, "%");
        w.Button(kTotal, "=");
        w.Button(kMR, "MR").Tip("Restaura o valor que esta na memória");
        w.Button(kMC, "MC").Tip("Zera o valor que esta na memoria");
        w.Button(kMMais, "M+").Tip("Soma o resultado atual na memória");
        w.Button(kMMenos, "M-").Tip("Diminui o resultado atual da memória");
        w.Button(kLimpaFita, "").Icon("LimpaFita.ico").Tip("Limpa a fita");
        w.Button(kSobeFita, "^").Tip("Avança a fita");
        w.Button(kTransporta, "").Icon("Transporta.ico").Tip("Copia o resultado e fecha");
        w.Button(kFecha, "Off");

        for (int d = 0; d <= 9; ++d) {
            Tecla('0' + d, kB0 + d);
            Tecla(96 + d, kB0 + d);  // the numeric keypad
        }
        for (int k : {190, 188, 110}) Tecla(k, kDecimal);  // point, comma, the keypad's decimal key
        for (int k : {8, key::Delete}) Tecla(k, kDelete);
        for (int k : {107, 187, key::Shift | 187}) Tecla(k, kMais);
        for (int k : {109, 189}) Tecla(k, kMenos);
        for (int k : {106, key::Shift | '8'}) Tecla(k, kMultiplica);
        for (int k : {111, 191}) Tecla(k, kDividir);
        Tecla(key::Shift | '5', kPercentual);
        Tecla(key::Enter, kTotal);  // Enter gives "=", on the main keys and the keypad
        // The keys act as the buttons do whatever has the focus (the read-only numbers too), but
        // for the decimal places, which take their digits; the navigator leaves Enter to them.
        for (Control* c : w.Controls()) {
            if (c->feq() == kDecimais) continue;
            navigator().ExcludeControl(c->feq());
            for (const auto& [k, feq] : teclas_) c->Alert(k);
        }

        for (int d = 0; d <= 9; ++d) OnButton(kB0 + d, [this, d] { return Faz(modelo_.Digita(static_cast<char>('0' + d))); });
        OnButton(kDecimal, [this] { return Faz(modelo_.Digita('.')); });
        OnButton(kDelete, [this] { modelo_.ApagaUltimo(); return Faz({}); });
        OnButton(kCancela, [this] { modelo_.Cancela(); return Faz({}); });
        OnButton(kMais, [this] { return Faz(modelo_.Soma()); });
        OnButton(kMenos, [this] { return Faz(modelo_.Subtrai()); });
        OnButton(kMultiplica, [this] { return Faz(modelo_.Multiplica()); });
        OnButton(kDividir, [this] { return Faz(modelo_.Divide()); });
        OnButton(kPercentual, [this] { return Faz(modelo_.Percentual()); });
        OnButton(kTotal, [this] { return Faz(modelo_.Total()); });
        OnButton(kMR, [this] { modelo_.RecuperaMemoria(); return Faz({}); });
        OnButton(kMC, [this] { modelo_.ZeraMemoria(); return Faz({}); });
        OnButton(kMMais, [this] { return Faz(modelo_.SomaMemoria()); });
        OnButton(kMMenos, [this] { return Faz(modelo_.SubtraiMemoria()); });
        OnButton(kLimpaFita, [this] { modelo_.LimpaFita(); return Faz({}); });
        OnButton(kSobeFita, [this] { modelo_.SobeFita(); return Faz({}); });
        OnButton(kTransporta, [this] {
            GravaAreaTransferencia(modelo_.TextoTransporte());
            CloseWith(Response::Completed);
            return Level::Benign;
        });
        OnButton(kFecha, [this] {
            CloseWith(Response::Completed);
            return Level::Benign;
        });
        OnButton(kDecimais, [this] {
            window().Update(kDecimais);
            modelo_.DefineDecimais(decimais_);
            return Faz({});
        });
        return Level::Benign;
    }

    Level OnWindowOpened() override { return Faz({}); }

    Level OnAlertKey(int feq, int keyCode) override {
        if (auto it = teclas_.find(keyCode); it != teclas_.end()) return OnAccepted(it->second);
        return WindowController::OnAlertKey(feq, keyCode);
    }

    Level Teardown() override {
        (void)vorel::shell::GravaCasasDecimaisCalculadora(modelo_.decimais());
        return WindowController::Teardown();
    }

private:
    void Tecla(int codigo, int feq) { teclas_[codigo] = feq; }

    std::string Mostra(const Decimal& v) const { return text::to_utf8(modelo_.Mostra(v)); }

    // After an operation: its message, if any, and the numbers and the tape shown again.
    Level Faz(const std::string& erro) {
        if (!erro.empty()) Message(erro, "Calculadora", Icon::Exclamation);
        std::vector<Row> linhas;
        for (const auto& l : modelo_.fita()) linhas.push_back({Cell{text::to_utf8(l.texto)}, Cell{std::string(1, l.marca)}});
        const int n = static_cast<int>(linhas.size());
        window()[kFita].Rows(std::move(linhas)).Selected(n);
        window().Display();
        return Level::Benign;
    }

    CalculadoraModelo modelo_;
    int decimais_ = 2;
    std::map<int, int> teclas_;
};

}  // namespace

void Calculadora(ProcContext& ctx) { JanelaCalculadora(ctx).Execute(); }

}  // namespace vorel::shell
