// SelecionaPeriodo: the working month and year (heading "Selecione o Período"). Tables: none.
// The year and month go into GLO:ANO and GLO:MES when the window closes, which it does only with a
// year (both buttons and the close box close it the same way).
#include "vorel/shell/company_selection.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/period.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;

class JanelaPeriodo : public WindowController {
public:
    enum : int { kTitulo = 1, kPromptAno = 2, kAno = 3, kPromptMes = 4, kMes = 5, kSeleciona = 6, kCancela = 7, kAjuda = 8 };

    explicit JanelaPeriodo(ProcContext& ctx) : WindowController(ctx, "SelecionaPeriodo", "") {}

    Level Setup() override {
        WindowController::Setup();
        Periodo p = PeriodoPadrao(GLO_ANO.Get(), GLO_MES.Get(), DataHoje.Get());
        ano_ = p.ano;
        mes_ = p.mes;
        Window& w = window();
        w.String(kTitulo, "Selecione o Período");
        w.Prompt(kPromptAno, "01 Ano..");
        std::vector<std::string> anos;
        for (int a = 1998; a <= 2013; ++a) anos.push_back(std::to_string(a));
        w.Combo(kAno, Use(ano_), anos);
        w.Prompt(kPromptMes, "02 Mês...");
        w.DropList(kMes, Use(mes_),
                   {"1 Janeiro", "2 Fevereiro", "3 Março", "4 Abril", "5 Maio", "6 Junho", "7 Julho", "8 Agosto",
                    "9 Setembro", "10 Outubro", "11 Novembo", "12 Dezembro"},
                   {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"});
        w.Button(kSeleciona, "&Seleciona").Tip("Seleciona Período");
        w.Button(kCancela, "&Cancela");
        w.Button(kAjuda, "&Ajuda");
        w.SetDefaultButton(kSeleciona);
        for (int f : {kSeleciona, kCancela, kAjuda}) navigator().ExcludeControl(f);
        OnButton(kSeleciona, [this] { return PedeFechamento(); });
        OnButton(kCancela, [this] { return PedeFechamento(); });
        return Level::Benign;
    }

    Level OnNewSelection(int feq) override {
        if (feq == kAno || feq == kMes) window().Update(feq);  // a new choice is taken at once
        return WindowController::OnNewSelection(feq);
    }

    Level OnWindowEvent(const Event& e) override {
        if (e.code != event::CloseWindow) return WindowController::OnWindowEvent(e);
        // A typed year that is no number is refused by its control and leaves the old year in
        // `ano_`: it is refused here too, never closed on with the year the user typed over.
        const bool anoAceito = window().Update(kAno) && ano_ >= 1801 && ano_ <= 9999;
        const bool mesAceito = window().Update(kMes) && mes_ >= 1 && mes_ <= 12;
        if (!anoAceito || !mesAceito) {
            Message(anoAceito ? "É necessário informar o mês" : "É necessário informar o ano", "Atenção");
            window().Select(anoAceito ? kMes : kAno);
            return kHandled;
        }
        GLO_ANO.Set(ano_);
        GLO_MES.Set(mes_);
        CaminhosArquivosAno();
        LimitesPeriodo l = Limites(ano_, mes_);
        InicioPeriodo.Set(l.inicio);
        FimPeriodo.Set(l.fim);
        CloseWith(Response::Completed);
        return Level::Benign;
    }

private:
    Level PedeFechamento() {
        window().Post(event::CloseWindow);
        return Level::Benign;
    }

    int ano_ = 0;
    int mes_ = 0;
};

}  // namespace

void SelecionaPeriodo(ProcContext& ctx) { JanelaPeriodo(ctx).Execute(); }

}  // namespace vorel::shell
