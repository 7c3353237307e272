// UpdateFechamentoEscrita ("Update the FechamentoEscrita File"): closes (insert) or reopens
// (delete) one month for the user who confirmed, and logs the change once it is made. Tables:
// FechamentoEscrita, LogEscrita (month_closing.h). Position kept under the procedure's name.
#include "vorel/ui/pictured_use.h"
#include "update_fechamento.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/month_closing.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;

class FormFechamento : public WindowController {
public:
    enum : int { kGrupo = 1, kMes = 2, kOk = 3, kCancela = 4, kAjuda = 5 };

    FormFechamento(ProcContext& ctx, std::string usuario)
        : WindowController(ctx, "UpdateFechamentoEscrita", "Update the FechamentoEscrita File"), usuario_(std::move(usuario)) {}

    Level Setup() override {
        WindowController::Setup();
        RememberPosition();
        const auto& r = data::dictionary::file(dictionary::FechamentoEscrita()).rec<dictionary::FechamentoEscritaRec>();
        mes_ = request() == Request::Insert ? 0 : r.MESANO;
        Window& w = window();
        switch (request()) {
            case Request::Insert: w.SetCaption(" Inclui Mês / Ano"); break;
            case Request::Change: w.SetCaption(" Altera Mês / Ano"); break;
            case Request::Delete: w.SetCaption(" Exclui Mês / Ano"); break;
            default: w.SetCaption(" Analisa Mês / Ano"); break;
        }
        w.Add(kGrupo, ControlType::Group, " Mês / Ano ");
        w.Entry(kMes, ui::UseMesAno(mes_), "@d014b").Parent(kGrupo).Enable(request() == Request::Insert);
        w.Button(kOk, "&OK");
        w.Button(kCancela, "&Cancela");
        w.Button(kAjuda, "&Ajuda");
        w.SetDefaultButton(kOk);
        SetCancelButton(kCancela);
        LinkHistoryControl(kMes);
        OnButton(kOk, [this] { return Ok(); });
        return Level::Benign;
    }

private:
    Level Ok() {
        if (!window().Update()) return Level::Benign;
        const Autor autor{usuario_, date::today(), date::now()};
        Alteracao a;
        if (request() == Request::Insert) a = FechaMes(mes_, autor);
        else if (request() == Request::Delete) a = AbreMes(mes_, autor);
        // A change has nothing to change (the month cannot be edited), and a view only looks.
        if (!a.erro.empty()) {
            Message(a.erro, "Aviso!", Icon::Exclamation);
            window().Select(kMes);
            return Level::Benign;
        }
        SaveHistory();
        CloseWith(request() == Request::Insert || request() == Request::Delete ? Response::Completed : Response::Cancelled);
        return Level::Benign;
    }

    std::string usuario_;
    std::int32_t mes_ = 0;
};

}  // namespace

void UpdateFechamentoEscrita(ProcContext& ctx, const std::string& usuario) { FormFechamento(ctx, usuario).Execute(); }

}  // namespace vorel::shell
