// VerificaUsuario (" Verifica Usuário") and VerificaSuper (" Verifica Administrador"): one window
// that checks a user and password against the users table before a protected action. Tables:
// Senhas, LogEscrita (opened for the caller's log).
#include "users_table.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/users.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;

class JanelaVerifica : public WindowController {
public:
    enum : int { kGrupoUsuario = 1, kUsuario = 2, kGrupoSenha = 3, kSenha = 4, kOk = 5, kCancela = 6 };

    JanelaVerifica(ProcContext& ctx, bool administrador)
        : WindowController(ctx, administrador ? "VerificaSuper" : "VerificaUsuario",
                           administrador ? " Verifica Administrador" : " Verifica Usuário"),
          administrador_(administrador) {}

    UsuarioVerificado resultado;

    Level Setup() override {
        WindowController::Setup();
        if (TabelaSenhas().open() != data::kNoError) {
            Message("Não foi possível abrir o cadastro de usuários: " + text::to_utf8(data::last_error().text), "Aviso!");
            return Level::Fatal;
        }
        abertas_.push_back(&TabelaSenhas());
        if (!administrador_) {
            data::FileManager& log = data::dictionary::file(dictionary::LogEscrita());
            if (log.open() == data::kNoError) abertas_.push_back(&log);
            RememberPosition();
        }
        Window& w = window();
        w.Add(kGrupoUsuario, ControlType::Group, " Usuário ");
        w.Entry(kUsuario, Use(usuario_), "@s20").Parent(kGrupoUsuario);
        w.Add(kGrupoSenha, ControlType::Group, " Senha ");
        w.Entry(kSenha, Use(senha_), "@s20").Password().Parent(kGrupoSenha);
        w.Button(kOk, "&OK");
        w.Button(kCancela, "&Cancela");
        w.SetDefaultButton(kOk);
        SetCancelButton(kCancela);
        navigator().ExcludeControl(kOk);
        navigator().ExcludeControl(kCancela);
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        if (!administrador_ && !GaranteSuperUsuario().ok())
            Message("Não foi possível cadastrar o usuário inicial: " + text::to_utf8(data::last_error().text), "Aviso!");
        usuario_ = text::to_utf8(GLO_LOGIN.Get());
        window().Display();
        return Level::Benign;
    }

    Level OnAccepted(int feq) override {
        if (feq != kOk) return WindowController::OnAccepted(feq);
        window().Update();
        std::string nome = Campo20Cp(text::upper(text::from_utf8(usuario_)));
        std::string digitada = Campo20Cp(text::from_utf8(senha_));
        auto u = ProcuraUsuario(nome);
        if (!u) return Recusa("Usuário não cadastrado!", kUsuario);
        // The upper-cased password as the built-in users are stored, or as typed, for passwords
        // kept in lower case.
        std::string guardada(u->SENHA.clipped());
        if (text::compare(guardada, text::upper(digitada)) != 0 && text::compare(guardada, digitada) != 0)
            return Recusa("Senha Inválida!", kSenha);
        if (administrador_ && u->ADM != 1) return Recusa("Usuário não tem acesso!", kUsuario);
        resultado.ok = true;
        CloseWith(Response::Completed);
        return Level::Benign;
    }

    Level Teardown() override {
        resultado.usuario = Campo20Cp(text::from_utf8(usuario_));
        for (data::FileManager* f : abertas_) (void)f->close();
        return WindowController::Teardown();
    }

private:
    Level Recusa(const char* texto, int foco) {
        resultado.ok = false;
        Message(texto, "Aviso!", Icon::Exclamation);
        window().Select(foco);
        return Level::Benign;
    }

    bool administrador_;
    std::string usuario_, senha_;
    std::vector<data::FileManager*> abertas_;
};

UsuarioVerificado Verifica(ProcContext& ctx, bool administrador) {
    JanelaVerifica janela(ctx, administrador);
    janela.Execute();
    return janela.resultado;
}

}  // namespace

UsuarioVerificado VerificaUsuario(ProcContext& ctx) { return Verifica(ctx, false); }
UsuarioVerificado VerificaSuper(ProcContext& ctx) { return Verifica(ctx, true); }

}  // namespace vorel::shell
