// Browse "Estados": window "Visualização da Tabela Unidade de Federação" over table Estados, opening
// on the "&Alfabética" tab (description order); the form is UEstados. Enter on the list changes
// the highlighted state, or selects it when the browse was called for selection. No resizer.
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"

namespace vorel::registers {

namespace {

using dictionary::EstadosRec;

class EstadosBrowse : public ui::RegisterBrowse {
public:
    enum : int {
        kSheet = 1, kTabSigla, kPromptSigla, kLocSigla, kTabAlfabetica, kPromptDescricao, kLocDescricao,
        kList, kInsert, kChange, kDelete, kSelect, kHelp, kClose
    };

    explicit EstadosBrowse(ProcContext& ctx)
        : ui::RegisterBrowse(ctx, "Estados", "Visualização da Tabela Unidade de Federação", dictionary::Estados(), "UEstados"),
          rec_(file().rec<EstadosRec>()) {
        NoResizer();
    }

    Level Build(ui::Window& w) override {
        w.Sheet(kSheet);
        AddSearchTab(kSheet, {kTabSigla, "&Sigla",
            kPromptSigla, "Sigla.............",
            kLocSigla, ui::Use(rec_.UF), "@s2",
            file().desc().key_index(dictionary::keys::EST_KEY_SIGLA)}).Tip("Ordem de Sigla (UF)");
        AddSearchTab(kSheet, {kTabAlfabetica, "&Alfabética",
            kPromptDescricao, "Descrição Estado...........",
            kLocDescricao, ui::Use(rec_.DESC), "@s20",
            file().desc().key_index(dictionary::keys::EST_KEY_DESCRICAO)});
        w.List(kList).Tip("Inclui ( Insert ) - Altera ( Enter ) - Exclui ( Delete )");
        w.Button(kInsert, "&Incluir").Tip("Inclui ou Pressione Insert");
        w.Button(kChange, "&Alterar").Tip("Altera ou Pressione Enter no Registro Selecionado");
        w.Button(kDelete, "&Excluir").Tip("Exclui ou Pressione Delete no Registro Selecionado");
        w.Button(kSelect, "&Selecionar").Tip("Seleciona ou Pressione Enter no Registro Selecionado");
        w.Button(kHelp, "&Ajuda").Tip("Ajuda");
        w.Button(kClose, "&Fecha").Tip("Fecha a Janela");
        w.SetDefaultButton(kChange);

        ui::BrowseManager& b = browse();
        b.SetList(kList);
        b.AddColumn({"UF", 15, 'L', [this] { return text::to_utf8(rec_.UF.clipped()); }});
        b.AddColumn({"Descrição", 80, 'L', [this] { return text::to_utf8(rec_.DESC.clipped()); }});
        b.SetSheet(kSheet);
        SetButtons(b, kInsert, kChange, kDelete, kSelect);
        SetCloseButton(kClose);
        ExcludeFromNavigation({kInsert, kChange, kDelete, kSelect, kHelp, kClose});
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Level l = ui::RegisterBrowse::OnWindowOpened();
        ui::Window& w = window();
        if (browse().selectMode()) {
            w.SetDefaultButton(kSelect);
            w[kChange].Tip("Altera Registro Selecionado").Msg("Altera Registro Selecionado");
        }
        // Every mode opens in description order.
        w[kSheet].Selected(2);
        browse().ChooseSortOrder();
        browse().ResetToTop();
        return l;
    }

private:
    EstadosRec& rec_;
};

}  // namespace

void RunEstadosBrowse(ProcContext& ctx) { EstadosBrowse(ctx).Execute(); }

}  // namespace vorel::registers
