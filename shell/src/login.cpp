// Login: the window "Login de Usuário" of the start. Table: Senhas (users). Settings: UsuVorel.ini
// section UltimoUsuario, key Usuario (the last user who logged in).
#include <cstdio>

#include "users_table.h"
#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"
#include "vorel/data/error.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/users.h"
#include "vorel/shell/program_settings.h"
#include "vorel/ui/focus_highlighter.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;

std::string Campo20(const std::string& utf8) { return Campo20Cp(text::from_utf8(utf8)); }

class JanelaLogin : public WindowController {
public:
    enum : int { kIcone = 1, kNome = 2, kTextoVersao = 3, kGrupoUsuario = 4, kUsuario = 5, kGrupoSenha = 6, kSenha = 7,
                 kConfigurar = 8, kOk = 9, kCancela = 10 };

    explicit JanelaLogin(ProcContext& ctx) : WindowController(ctx, "Login", "Login de Usuário") {}

    Level Setup() override {
        CorFoco.Set(std::to_string(kCorFoco));
        StandardHighlightColour().Set(kCorFoco);
        GLO_VERSAO.Set(kVersao);
        WindowController::Setup();
        if (TabelaSenhas().open() != data::kNoError) {
            Message("Não foi possível abrir o cadastro de usuários: " + text::to_utf8(data::last_error().text) + " (" +
                        text::to_utf8(data::last_error().file) + ")",
                    "Acesso Negado!", Icon::Hand);
            return Level::Fatal;
        }
        aberta_ = true;
        Window& w = window();
        w.SetPosition({120, 60, 200, 124});
        w.Add(kIcone, ControlType::Image).Text("Vorel.ico").At(8, 8, 24, 24);
        w.String(kNome, "Vorel").At(40, 8, 150, 10).FontWeight(700);
        w.String(kTextoVersao, text::to_utf8(GLO_VERSAO.Get())).At(40, 20, 150, 10);
        w.Add(kGrupoUsuario, ControlType::Group, "Usuário").At(8, 36, 184, 28);
        w.Combo(kUsuario, Use(usuario_)).Columns({{"Nome", 80, 'L'}}).DropCount(10).At(16, 47, 168, 12);
        w.Add(kGrupoSenha, ControlType::Group, "Senha").At(8, 68, 184, 28);
        w.Entry(kSenha, Use(senha_), "@s20").Password().At(16, 79, 168, 12);
        w.String(kConfigurar, "Configurar Senhas").Icon("hand").At(8, 105, 80, 10).Colour(0xFF0000);
        w.Button(kOk, "&Ok").At(96, 102, 45, 14);
        w.Button(kCancela, "&Cancela").At(147, 102, 45, 14);
        w.SetDefaultButton(kOk);
        SetCancelButton(kCancela);
        navigator().ExcludeControl(kOk);
        navigator().ExcludeControl(kCancela);
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        if (!GaranteSuperUsuario().ok())
            Message("Não foi possível cadastrar o usuário inicial: " + text::to_utf8(data::last_error().text), "Aviso!");
        ListaUsuarios();
        usuario_ = text::to_utf8(UltimoUsuario());
        window().Display();
        window().Select(usuario_.empty() ? kUsuario : kSenha);
        return Level::Benign;
    }

    Level OnAccepted(int feq) override {
        if (feq == kOk) return Entra();
        if (feq == kConfigurar) {
            ctx_.Call([](ProcContext& c) { Config_Senhas(c); });
            ListaUsuarios();
            return Level::Benign;
        }
        return WindowController::OnAccepted(feq);
    }

    Level Teardown() override {
        if (aberta_) (void)TabelaSenhas().close();
        return WindowController::Teardown();
    }

private:
    void ListaUsuarios() {
        std::vector<std::string> nomes;
        for (const auto& u : TodosUsuarios()) nomes.push_back(text::to_utf8(u.NOME.clipped()));
        window()[kUsuario].Items(nomes);
    }

    Level Entra() {
        window().Update();
        std::string nome = Campo20(usuario_);
        std::string senha = Campo20(senha_);
        auto u = ProcuraUsuario(nome);
        if (!u) {
            Message("Usuário inválido!", "Acesso Negado!", Icon::Exclamation);
            window().Select(kUsuario);
            return Level::Benign;
        }
        if (text::compare(u->SENHA.clipped(), senha) != 0) {
            Message("Senha inválida!", "Acesso Negado!", Icon::Exclamation);
            window().Select(kSenha);
            return Level::Benign;
        }
        GLO_LOGIN.Set(nome);
        GLO_PASSWORD.Set(senha);
        if (auto ec = GravaUltimoUsuario(nome))
            std::fprintf(stderr, "vorel: UsuVorel.ini not written: %s\n", ec.message().c_str());
        CloseWith(Response::Completed);
        return Level::Benign;
    }

    std::string usuario_, senha_;
    bool aberta_ = false;
};

}  // namespace

void Login(ProcContext& ctx) {
    JanelaLogin janela(ctx);
    ctx.response = janela.Execute();
}

}  // namespace vorel::shell
