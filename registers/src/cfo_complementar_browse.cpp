// Browse "CFOComplementar": window "Janela de Código Complemtar" over table CodCFOComplementar, in
// code or description order by tab; the form is UCFOComplementar. Called for selection, it leaves
// the chosen code in the CodCFOComplementar record buffer.
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"

namespace vorel::registers {

namespace {

using dictionary::CodCFOComplementarRec;

class CfoComplementarBrowse : public ui::RegisterBrowse {
public:
    enum : int {
        kSheet = 1, kTabCodigo, kPromptCodigo, kLocCodigo, kTabDescricao, kPromptDescricao, kLocDescricao,
        kList, kDescricaoAbaixo, kSelect, kInsert, kChange, kDelete, kClose, kHelp
    };

    explicit CfoComplementarBrowse(ProcContext& ctx)
        : ui::RegisterBrowse(ctx, "CFOComplementar", "Janela de Código Complemtar", dictionary::CodCFOComplementar(),
                         "UCFOComplementar"),
          rec_(file().rec<CodCFOComplementarRec>()) {}

    Level Build(ui::Window& w) override {
        w.Sheet(kSheet);
        AddSearchTab(kSheet, {kTabCodigo, "Pesquisa por Có&digo",
            kPromptCodigo, "Pesquisa por Código..........",
            kLocCodigo, ui::Use(rec_.CODIGO), "@n6",
            file().desc().key_index(dictionary::keys::CCF_KEY_CODIGO)}).Tip("Pesquisa por Código Complementar");
        AddSearchTab(kSheet, {kTabDescricao, "Pesquisa por &Descrição",
            kPromptDescricao, "Pesquisa por Descrição.....",
            kLocDescricao, ui::Use(rec_.DESCRICAO), "@s200",
            file().desc().key_index(dictionary::keys::CCF_KEY_DESCRICAO)}).Tip("Pesquisa por Descrição do Complemento");
        w.List(kList).Tip("Browsing Records");
        w.String(kDescricaoAbaixo, "").Tip("Descrição do Código Complementar");
        w.Button(kSelect, "&Seleciona Código").Tip("Seleciona Código Complementar");
        w.Button(kInsert, "&Inclui Novo Código").Tip("Inclui Novo Código Complementar");
        w.Button(kChange, "&Altera Código ").Tip("Altera Cadastro do Código Complementar");
        w.Button(kDelete, "&Exclui Código").Tip("Exclui Código Complementar");
        w.Button(kClose, "&Fecha").Tip("Cancela e Retorna a Tela Anterior");
        w.Button(kHelp, "Ajuda &On-Line").Tip("Ajuda On-Line");

        ui::BrowseManager& b = browse();
        b.SetList(kList);
        b.AddColumn({"Codigo", 28, 'C', [this] { return std::to_string(rec_.CODIGO); }});
        b.AddColumn({"Descricao", 80, 'L', [this] { return text::to_utf8(rec_.DESCRICAO.clipped()); }});
        b.SetSheet(kSheet);
        SetButtons(b, kInsert, kChange, kDelete, kSelect);
        SetCloseButton(kClose);
        ShowBelowList(kList, kDescricaoAbaixo, 2);
        HideUpdateButtonsWhenSelecting(kInsert, kChange, kDelete, kSelect);
        ExcludeFromNavigation({kSelect, kInsert, kChange, kDelete, kClose, kHelp});
        return Level::Benign;
    }

private:
    CodCFOComplementarRec& rec_;
};

}  // namespace

void RunCfoComplementarBrowse(ProcContext& ctx) { CfoComplementarBrowse(ctx).Execute(); }

}  // namespace vorel::registers
