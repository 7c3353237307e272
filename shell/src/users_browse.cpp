// UsuariosSenhas ("Usuários / Senhas"): the list of users for an administrator, in name order with
// a locator on the name (typing moves the list to the first name at or after the text typed), with
// insert, change and delete through the form UUsuariosSenhas. Table: Senhas.
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/users.h"
#include "vorel/ui/register_window.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;
using dictionary::SenhasRec;

class JanelaUsuarios : public RegisterBrowse {
public:
    enum : int { kLista = 1, kIncluir = 2, kAlterar = 3, kExcluir = 4, kFechar = 5, kAjuda = 6, kPromptLocaliza = 7,
                 kLocaliza = 8 };
    explicit JanelaUsuarios(ProcContext& ctx)
        : RegisterBrowse(ctx, "UsuariosSenhas", "Usuários / Senhas", dictionary::Senhas(), "UUsuariosSenhas"),
          rec_(file().rec<SenhasRec>()) {}

    Level Build(Window& w) override {
        if (!VerificaSuper(context()).ok) return Level::Fatal;
        w.Prompt(kPromptLocaliza, "Usuário:");
        w.Entry(kLocaliza, Use(rec_.NOME), "@s20").Immediate().Tip("Localiza o usuário pelo nome");
        w.List(kLista).Tip("Browsing the Senhas file");
        w.Button(kIncluir, "    &Incluir").Tip("Insert a Record");
        w.Button(kAlterar, "   &Alterar").Tip("Change the Record");
        w.Button(kExcluir, "   &Excluir").Tip("Delete the Record");
        w.Button(kFechar, "   &Fechar").Tip("Close Window");
        w.Button(kAjuda, "    &Ajuda").Tip("See Help Window");
        BrowseManager& b = browse();
        b.SetList(kLista);
        b.AddColumn({"Usuário", 80, 'L', [this] { return text::to_utf8(rec_.NOME.clipped()); }});
        b.AddColumn({"Adm.", 20, 'L', [this] { return std::string(rec_.ADM == 1 ? "Sim" : "Não"); }});
        SortOrder porNome;
        porNome.key = file().desc().key_index(dictionary::keys::SEN_Key_Nome);
        porNome.locator = kLocaliza;
        b.AddSortOrder(std::move(porNome));
        SetButtons(b, kIncluir, kAlterar, kExcluir, 0);
        SetCloseButton(kFechar);
        ExcludeFromNavigation({kIncluir, kAlterar, kExcluir, kFechar, kAjuda});
        return Level::Benign;
    }

private:
    SenhasRec& rec_;
};

}  // namespace

void UsuariosSenhas(ProcContext& ctx) { JanelaUsuarios(ctx).Execute(); }

}  // namespace vorel::shell
