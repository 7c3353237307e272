// UsuariosSenhas ("Usuários / Senhas"): the list of users for an administrator, in name order with
// a locator on the name (typing moves the list to the first name at or after the text typed), with
// insert, change and delete through the form UUsuariosSenhas. Table: Senhas.
#include "users_table.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/core/text.h"
#include "vorel/shell/users.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;

class JanelaUsuarios : public WindowController {
public:
    enum : int { kLista = 1, kIncluir = 2, kAlterar = 3, kExcluir = 4, kFechar = 5, kAjuda = 6, kPromptLocaliza = 7,
                 kLocaliza = 8 };
    explicit JanelaUsuarios(ProcContext& ctx) : WindowController(ctx, "UsuariosSenhas", "Usuários / Senhas") {}

    Level Setup() override {
        WindowController::Setup();
        if (TabelaSenhas().open() != data::kNoError) {
            Message("Não foi possível abrir o cadastro de usuários: " + text::to_utf8(data::last_error().text), "Aviso!");
            return Level::Fatal;
        }
        aberta_ = true;
        if (!VerificaSuper(ctx_).ok) return Level::Fatal;
        Window& w = window();
        w.Prompt(kPromptLocaliza, "Usuário:");
        w.Entry(kLocaliza, Use(localiza_), "@s20").Immediate().Tip("Localiza o usuário pelo nome");
        w.List(kLista, {{"Usuário", 80, 'L'}, {"Adm.", 20, 'L'}}).Tip("Browsing the Senhas file");
        w.Button(kIncluir, "    &Incluir").Tip("Insert a Record");
        w.Button(kAlterar, "   &Alterar").Tip("Change the Record");
        w.Button(kExcluir, "   &Excluir").Tip("Delete the Record");
        w.Button(kFechar, "   &Fechar").Tip("Close Window");
        w.Button(kAjuda, "    &Ajuda").Tip("See Help Window");
        SetCancelButton(kFechar);
        for (int b : {kIncluir, kAlterar, kExcluir, kFechar, kAjuda}) navigator().ExcludeControl(b);
        Carrega();
        return Level::Benign;
    }

    Level OnNewSelection(int feq) override {
        if (feq != kLocaliza) return WindowController::OnNewSelection(feq);
        // The first user whose name is at or after the text typed, without regard to case.
        const std::string procura = text::upper(text::clip(text::from_utf8(localiza_)));
        int linha = static_cast<int>(usuarios_.size());
        for (std::size_t i = 0; i < usuarios_.size(); ++i)
            if (text::upper(usuarios_[i].NOME.clipped()) >= procura) {
                linha = static_cast<int>(i) + 1;
                break;
            }
        if (linha > 0) window()[kLista].Selected(linha);
        return Level::Benign;
    }

    Level OnAccepted(int feq) override {
        Request r = feq == kIncluir ? Request::Insert : feq == kAlterar ? Request::Change
                  : feq == kExcluir ? Request::Delete : Request::None;
        if (r == Request::None) return WindowController::OnAccepted(feq);
        if (r != Request::Insert) {
            int row = window()[kLista].selected();
            if (row < 1 || row > static_cast<int>(usuarios_.size())) return Level::Benign;
            TabelaSenhas().clear_record();
            RegistroSenhas().NOME = usuarios_[static_cast<std::size_t>(row - 1)].NOME;
            if (TabelaSenhas().get(dictionary::keys::SEN_Key_Nome) != data::kNoError) return Level::Benign;
        }
        ctx_.Call([](ProcContext& c) { UUsuariosSenhas(c); }, r);
        Carrega();
        return Level::Benign;
    }

    Level Teardown() override {
        if (aberta_) (void)TabelaSenhas().close();
        return WindowController::Teardown();
    }

private:
    void Carrega() {
        usuarios_ = TodosUsuarios();
        std::vector<Row> rows;
        for (const auto& u : usuarios_)
            rows.push_back({Cell{.text = text::to_utf8(u.NOME.clipped())}, Cell{.text = u.ADM == 1 ? "Sim" : "Não"}});
        Control& lista = window()[kLista];
        lista.Rows(rows);
        if (!rows.empty() && (lista.selected() < 1 || lista.selected() > static_cast<int>(rows.size()))) lista.Selected(1);
    }

    bool aberta_ = false;
    std::string localiza_;  // the locator's text (UTF-8)
    std::vector<dictionary::SenhasRec> usuarios_;
};

}  // namespace

void UsuariosSenhas(ProcContext& ctx) { JanelaUsuarios(ctx).Execute(); }

}  // namespace vorel::shell
