// Config_Senhas ("Configuração de Senhas"): erases every user and re-creates the two built-in
// ones, or opens the users' browse on a thread of its own. Table: Senhas.
#include "users_table.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/core/text.h"
#include "vorel/data/transaction.h"
#include "vorel/shell/users.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;

class JanelaConfigSenhas : public WindowController {
public:
    enum : int { kExcluir = 1, kIncluir = 2, kFecha = 3 };
    explicit JanelaConfigSenhas(ProcContext& ctx) : WindowController(ctx, "Config_Senhas", "Configuração de Senhas") {}

    Level Setup() override {
        WindowController::Setup();
        if (TabelaSenhas().open() != data::kNoError) {
            Message("Não foi possível abrir o cadastro de usuários: " + text::to_utf8(data::last_error().text), "Aviso!");
            return Level::Fatal;
        }
        aberta_ = true;
        window().Button(kExcluir, "Excluir Senhas");
        window().Button(kIncluir, "Incluir/Alterar Usuários");
        window().Button(kFecha, "Fecha");
        SetCancelButton(kFecha);
        return Level::Benign;
    }

    Level OnAccepted(int feq) override {
        if (feq == kExcluir) {
            std::string u = text::to_utf8(kSegundoUsuario), s = text::to_utf8(kSenhaSegundoUsuario);
            std::string pergunta =
                "ATENÇÃO !!! O sistemas vai apagar todos os Usuários e senhas cadastrados. \r\n"
                "Ao Termino da exclusão, o sistema automáticamente cadastrará como usuário e senha\r\n"
                "Usuário : " + std::string(kSuperUsuario) + "\r\nSenha : " + kSuperUsuario + "\r\n Usuario : " + u +
                "\r\nSenha : " + s + " \r\nConfirma a exclusão ?";
            if (Ask(pergunta, "!!! ATENÇÃO !!!", Icon::Question, "&Sim|&Não") == "&Sim") Redefine();
            return Level::Benign;
        }
        if (feq == kIncluir) {
            try {
                ctx_.runtime().Start("UsuariosSenhas");
            } catch (const std::exception& e) {
                Message(std::string("Não foi possível abrir os usuários: ") + e.what(), "Aviso!");
            }
            return Level::Benign;
        }
        return WindowController::OnAccepted(feq);
    }

    Level Teardown() override {
        if (aberta_) (void)TabelaSenhas().close();
        return WindowController::Teardown();
    }

private:
    // Every user deleted and the two built-in ones added, as one change.
    void Redefine() {
        data::FileManager& sen = TabelaSenhas();
        data::Transaction t({&sen});
        data::Result rc = t.status();
        while (rc.ok() && sen.set(dictionary::keys::SEN_Key_Nome) == data::kNoError && sen.next() == data::kNoError) rc = sen.remove();
        if (rc.ok()) rc = AdicionaUsuario(kSuperUsuario, kSuperUsuario, 1);
        if (rc.ok()) rc = AdicionaUsuario(kSegundoUsuario, kSenhaSegundoUsuario, 1);
        if (rc.ok()) rc = t.commit();
        if (!rc.ok())
            Message("Os usuários não foram alterados: " + text::to_utf8(data::last_error().text), "Aviso!", Icon::Exclamation);
    }

    bool aberta_ = false;
};

}  // namespace

void Config_Senhas(ProcContext& ctx) { JanelaConfigSenhas(ctx).Execute(); }

}  // namespace vorel::shell
