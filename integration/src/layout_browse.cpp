// Browse "Layout": window "Janela de Layout", the layouts of the type the menu item wrote to
// Layout.ini, in code order, with the type's title; the form is ULayout. Table: LayArquivos.
#include "layout_type.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/integration/layout_catalogue.h"
#include "vorel/integration/procedures.h"
#include "vorel/shell/program_settings.h"
#include "vorel/ui/register_window.h"

namespace vorel::integration {

namespace {

thread_local int tipoDaJanela = 0;

using dictionary::LayArquivosRec;
using ui::Level;

class LayoutBrowse : public ui::RegisterBrowse {
public:
    enum : int {
        kSheet = 1, kTabCodigo, kPromptCodigo, kLocCodigo, kMensagem, kList, kSelect, kInsert, kChange, kDelete,
        kClose, kHelp
    };

    explicit LayoutBrowse(ui::ProcContext& ctx)
        : ui::RegisterBrowse(ctx, "Layout", "Janela de Layout", dictionary::LayArquivos(), "ULayout"),
          rec_(file().rec<LayArquivosRec>()) {}

    bool BeforeTables() override {
        tipo_ = static_cast<int>(shell::QelLayout());  // Loc:TipoLayout
        FixaTipoLayoutDaJanela(tipo_);
        return true;
    }

    Level Setup() override {
        Level l = ui::RegisterBrowse::Setup();
        if (l != Level::Benign) return l;
        ui::Window& w = window();
        w.Sheet(kSheet);
        AddSearchTab(kSheet, {kTabCodigo, "Código do Arquivo", kPromptCodigo, "", kLocCodigo, ui::Use(rec_.Codigo),
                              "@n03", file().desc().key_index(dictionary::keys::LAY_KEY_SCODIGO)});
        w.String(kMensagem, "");
        w.List(kList);
        w.Button(kSelect, "&Seleciona");
        w.Button(kInsert, "&Inclui");
        w.Button(kChange, "&Altera");
        w.Button(kDelete, "&Exclui");
        w.Button(kClose, "&Fecha");
        w.Button(kHelp, "&Ajuda");
        ui::BrowseManager& b = browse();
        b.SetList(kList);
        b.AddColumn({"Arquivo", 20, 'R', [this] { return text::zero_fill(rec_.Arquivo, 3); }});
        b.AddColumn({"Código", 20, 'R', [this] { return text::zero_fill(rec_.Codigo, 3); }});
        b.AddColumn({"Descrição", 160, 'L', [this] { return text::to_utf8(rec_.Descricao.clipped()); }});
        b.SetFilter([this] { return rec_.Arquivo == tipo_; });
        b.SetSheet(kSheet);
        SetButtons(b, kInsert, kChange, kDelete, kSelect);
        SetCloseButton(kClose);
        if (request() != ui::Request::Select) w[kSelect].Hide();
        ExcludeFromNavigation({kSelect, kInsert, kChange, kDelete, kClose, kHelp});
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Level l = ui::RegisterBrowse::OnWindowOpened();
        window()[kMensagem].Text(TituloTipoLayout(tipo_));  // LOC:MENSAGEM
        return l;
    }

private:
    LayArquivosRec& rec_;
    int tipo_ = 0;
};

}  // namespace

int TipoLayoutDaJanela() { return tipoDaJanela != 0 ? tipoDaJanela : static_cast<int>(shell::QelLayout()); }
void FixaTipoLayoutDaJanela(int tipo) { tipoDaJanela = tipo; }

void RunLayoutBrowse(ui::ProcContext& ctx) { LayoutBrowse(ctx).Execute(); }

}  // namespace vorel::integration
