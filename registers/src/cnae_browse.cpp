// Browse "CNAE": window "Consulta de C.N.A.E." over table CNAE, in code or description order by
// tab; the form is UCNAE. Every button stays in select mode. Codes show as "####-#/##".
#include "vorel/core/picture.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::registers {

namespace {

using dictionary::CNAERec;

class CnaeBrowse : public ui::RegisterBrowse {
public:
    enum : int {
        kSheet = 1, kTabCodigo, kPromptCodigo, kLocCodigo, kTabDescricao, kPromptDescricao, kLocDescricao,
        kList, kDescricaoAbaixo, kSelect, kInsert, kChange, kDelete, kClose, kHelp
    };

    explicit CnaeBrowse(ProcContext& ctx)
        : ui::RegisterBrowse(ctx, "CNAE", "Consulta de C.N.A.E.", dictionary::CNAE(), "UCNAE"),
          rec_(file().rec<CNAERec>()) {}

    Level Build(ui::Window& w) override {
        w.Sheet(kSheet);
        w.Tab(kTabCodigo, kSheet, "Pesquisa por Có&digo").Tip("Pesquisa C.N.A.E. por Código");
        w.Prompt(kPromptCodigo, "Pesquisa por Código..........").Parent(kTabCodigo);
        w.Entry(kLocCodigo, rec_.CODIGO, kCnaePicture).Parent(kTabCodigo).Immediate();
        w.Tab(kTabDescricao, kSheet, "Pesquisa por &Descrição").Tip("Pesquisa C.N.A.E. por Descrição");
        w.Prompt(kPromptDescricao, "Pesquisa por Descrição.....").Parent(kTabDescricao);
        w.Entry(kLocDescricao, ui::Use(rec_.DESCRICAO), "@s255").Parent(kTabDescricao).Immediate();
        w.List(kList).Tip("Visualização de CNAE Cadastrados");
        w.String(kDescricaoAbaixo, "").Tip("Descrição da atividade CNAE");
        w.Button(kSelect, "&Seleciona C.N.A.E.").Tip("Seleciona CNAE");
        w.Button(kInsert, "&Inclui Novo C.N.A.E.").Tip("Inclui Novo CNAE");
        w.Button(kChange, "&Altera C.N.A.E.").Tip("Altera Cadastro de CNAE");
        w.Button(kDelete, "&Exclui C.N.A.E.").Tip("Exclui Cadastro de CNAE");
        w.Button(kClose, "&Fecha").Tip("Cancela e Retorna a Tela Anterior");
        w.Button(kHelp, "Ajuda &On-Line");

        ui::BrowseManager& b = browse();
        b.SetList(kList);
        b.AddColumn({"Código", 44, 'L', [this] { return picture::format(kCnaePicture, rec_.CODIGO); }});
        b.AddColumn({"Descrição da atividade", 80, 'L', [this] { return text::to_utf8(rec_.DESCRICAO.clipped()); }});
        b.AddSortOrder({file().desc().key_index(dictionary::keys::CNAE_KEY_CODIGO), kLocCodigo, true, {}});
        b.AddSortOrder({file().desc().key_index(dictionary::keys::CNAE_KEY_DESCRICAO), kLocDescricao, true, {}});
        b.SetSheet(kSheet);
        SetButtons(b, kInsert, kChange, kDelete, kSelect);
        SetCloseButton(kClose);
        ShowBelowList(kList, kDescricaoAbaixo, 2);
        ExcludeFromNavigation({kSelect, kInsert, kChange, kDelete, kClose, kHelp});
        return Level::Benign;
    }

private:
    CNAERec& rec_;
};

}  // namespace

void RunCnaeBrowse(ProcContext& ctx) { CnaeBrowse(ctx).Execute(); }

}  // namespace vorel::registers
