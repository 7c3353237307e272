// Browse "CFO": window "Janela de C.F.O.P. Cadastrados" over table CFO, in code order on both tabs;
// the form is UCFO. Called for selection, it leaves the chosen code in the CFO record buffer.
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"

namespace vorel::registers {

namespace {

using dictionary::CFORec;

class CfoBrowse : public ui::RegisterBrowse {
public:
    enum : int {
        kSheet = 1, kTabCodigo, kPromptCodigo, kLocCodigo, kTabDescricao, kPromptDescricao, kLocDescricao,
        kList, kDescricaoAbaixo, kInsert, kChange, kDelete, kSelect, kClose, kHelp
    };

    explicit CfoBrowse(ProcContext& ctx)
        : ui::RegisterBrowse(ctx, "CFO", "Janela de C.F.O.P. Cadastrados", dictionary::CFO(), "UCFO"),
          rec_(file().rec<CFORec>()) {}

    Level Build(ui::Window& w) override {
        w.Sheet(kSheet);
        const int byCode = file().desc().key_index(dictionary::keys::CFO_KEY_CFO);
        AddSearchTab(kSheet, {kTabCodigo, "Pesquisa por Có&digo",
            kPromptCodigo, "Pesquisa por Código..........",
            kLocCodigo, ui::Use(rec_.CODIGO), "@n4",
            byCode}).Tip("Pesquisa por Código do C.F.O.");
        w.Tab(kTabDescricao, kSheet, "Pesquisa por De&scrição").Tip("Pesquisa por Descrição do C.F.O.");
        w.Prompt(kPromptDescricao, "Pesquisa por Descrição.....").Parent(kTabDescricao);
        w.Entry(kLocDescricao, ui::Use(rec_.DESCRICAO), "@s100").Parent(kTabDescricao);
        w.List(kList).Tip("Janela de CFO Cadastrados");
        w.String(kDescricaoAbaixo, "");
        w.Button(kInsert, "&Inclui Novo C.F.O.").Tip("Inclui Novo Cadastro de C.F.O.");
        w.Button(kChange, "&Altera C.F.O.").Tip("Altera Cadastro de C.F.O.");
        w.Button(kDelete, "&Exclui C.F.O.").Tip("Exclui Cadastro de C.F.O.");
        w.Button(kSelect, "&Seleciona CFO").Tip("Seleciona C.F.O. Cadastrado");
        w.Button(kClose, "&Fecha").Tip("Cancela e Retorna a Janela Anterior");
        w.Button(kHelp, "&Ajuda").Tip("Ajuda On-Line");

        ui::BrowseManager& b = browse();
        b.SetList(kList);
        b.AddColumn({"Código", 28, 'C', [this] { return std::to_string(rec_.CODIGO); }});
        b.AddColumn({"Descrição", 257, 'L', [this] { return text::to_utf8(rec_.DESCRICAO.clipped()); }});
        b.AddColumn({"Compl.", 12, 'R', [this] { return std::to_string(rec_.COMPLEMENTO); }});
        // The description tab lists in code order too; its entry does not locate.
        b.AddSortOrder({byCode, 0, false, {}});
        b.SetSheet(kSheet);
        SetButtons(b, kInsert, kChange, kDelete, kSelect);
        SetCloseButton(kClose);
        ShowBelowList(kList, kDescricaoAbaixo, 2);
        HideUpdateButtonsWhenSelecting(kInsert, kChange, kDelete, kSelect);
        ExcludeFromNavigation({kInsert, kChange, kDelete, kSelect, kClose, kHelp});
        return Level::Benign;
    }

private:
    CFORec& rec_;
};

}  // namespace

void RunCfoBrowse(ProcContext& ctx) { CfoBrowse(ctx).Execute(); }

}  // namespace vorel::registers
