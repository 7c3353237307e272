// UUsuariosSenhas ("Form Senhas"): a user's name, password and administrator flag; insert, change
// or delete as the request says. Table: Senhas (the thread's record buffer holds the user to
// change or delete).
#include "users_table.h"
#include "vorel/core/text.h"
#include "vorel/shell/users.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;

class FormSenhas : public WindowController {
public:
    enum : int { kPromptNome = 1, kNome = 2, kPromptSenha = 3, kSenha = 4, kAdm = 5, kOk = 6, kCancel = 7 };
    explicit FormSenhas(ProcContext& ctx) : WindowController(ctx, "UUsuariosSenhas", "Form Senhas") {}

    Level Setup() override {
        WindowController::Setup();
        if (TabelaSenhas().open() != data::kNoError) {
            Message("Não foi possível abrir o cadastro de usuários: " + text::to_utf8(data::last_error().text), "Aviso!");
            return Level::Fatal;
        }
        aberta_ = true;
        if (request() == Request::Insert) {
            TabelaSenhas().prime_record();
        } else {
            original_ = RegistroSenhas();
            posicao_ = TabelaSenhas().position();
        }
        auto& r = RegistroSenhas();
        Window& w = window();
        if (request() == Request::Insert) w.SetCaption("Incluir Usuário");
        else if (request() == Request::Change) w.SetCaption("Alterar Usuário");
        w.Prompt(kPromptNome, "Usuário:");
        w.Entry(kNome, Use(r.NOME), "@s20");
        w.Prompt(kPromptSenha, "Senha:");
        w.Entry(kSenha, Use(r.SENHA), "@s20").Password();
        w.Check(kAdm, "Administrador", Use(r.ADM));
        w.Button(kOk, "&OK").Tip("Accept data and close the window");
        w.Button(kCancel, "&Cancel").Tip("Cancel operation");
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        w.SetDefaultButton(kOk);
        if (request() == Request::View || request() == Request::Delete) {
            w[kNome].ReadOnly();
            w[kSenha].ReadOnly();
            w[kAdm].ReadOnly();
        }
        for (int f : {kNome, kSenha, kAdm}) LinkHistoryControl(f);
        return Level::Benign;
    }

    Level OnCompleted() override {
        auto& r = RegistroSenhas();
        if (request() == Request::Delete) {
            if (Ask("Confirma a exclusão do usuário " + text::to_utf8(r.NOME.clipped()) + "?", "Aviso!", Icon::Question,
                    "&Sim|&Não") != "&Sim")
                return Level::Benign;
            if (!TabelaSenhas().remove().ok()) {
                Message("Não foi possível gravar: " + text::to_utf8(data::last_error().text), "Aviso!", Icon::Exclamation);
                return Level::Benign;
            }
        } else {
            if (r.NOME.clipped().empty()) return Falta("Preencha o usuário!", kNome);
            if (r.SENHA.clipped().empty()) return Falta("Preencha a senha!", kSenha);
            const data::Outcome gravou = request() == Request::Insert ? TabelaSenhas().insert() : TabelaSenhas().update();
            if (!gravou.done()) return Level::Benign;  // the table said why (a duplicate name)
        }
        SaveHistory();
        return WindowController::OnCompleted();
    }

    Level Teardown() override {
        if (response() != Response::Completed && request() != Request::Insert) RegistroSenhas() = original_;
        if (aberta_) (void)TabelaSenhas().close();
        return WindowController::Teardown();
    }

private:
    Level Falta(const char* texto, int foco) {
        Message(texto, "Aviso!", Icon::Exclamation);
        window().Select(foco);
        return Level::Benign;
    }

    bool aberta_ = false;
    dictionary::SenhasRec original_{};
    data::Position posicao_;
};

}  // namespace

void UUsuariosSenhas(ProcContext& ctx) { FormSenhas(ctx).Execute(); }

}  // namespace vorel::shell
