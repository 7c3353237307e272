// Empresa: the company browse ("Visualização de Empresas Cadastradas"). Tables: Empresa.
//
// Two tabs (by code, by name) with a locator each; inactive companies drawn in red; tags by row
// (Space or "&Marca Individual"), all, none or reversed, and a filter over them ("sho&W tags").
// The tags belong to this opening of the browse. Selecting (request 4) leaves the chosen company
// in the thread's Empresa buffer.
#include <memory>

#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/company_register.h"
#include "vorel/ui/register_window.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;
using dictionary::EmpresaRec;

enum class Filtro { Todas, Selecionadas, NaoSelecionadas };

std::string Mascara(const char* picture, std::string_view digitos) {
    std::string_view d = text::clip(digitos);
    if (d.empty()) return {};
    return picture::format(picture, d);
}

class EmpresaManager : public BrowseManager {
public:
    EmpresaManager(WindowController& o, BrowseSource& s, EmpresaRec& rec, TagList& tags)
        : BrowseManager(o, s), rec_(rec), tags_(tags), source_(s) {}
    void FillRow(Row& row) override {
        const bool marcada = tags_.Has(source_.Current());
        row[0].text.assign(1, marcada ? '*' : ' ');
        row[0].icon = marcada ? 2 : 1;
        if (rec_.EMPRESAINATIVA == 1)
            for (std::size_t i = 1; i < row.size(); ++i) row[i].fg = row[i].selFg = 255;
    }

private:
    EmpresaRec& rec_;
    TagList& tags_;
    BrowseSource& source_;
};

class JanelaEmpresas : public RegisterBrowse {
public:
    enum : int {
        kSheet = 1, kTabCodigo = 2, kPromptLocCodigo = 3, kLocCodigo = 4, kRevTags = 5, kShowTags = 6,
        kTabRazao = 7, kPromptLocRazao = 8, kLocRazao = 9, kList = 10,
        kInclui = 20, kAltera = 21, kExclui = 22, kSeleciona = 23, kMarca = 24, kMarcaTodas = 25,
        kDesmarca = 26, kFecha = 27, kAjuda = 28
    };

    explicit JanelaEmpresas(ProcContext& ctx)
        : RegisterBrowse(ctx, "Empresa", "Visualização de Empresas Cadastradas", dictionary::Empresa(), "UEmpresa"),
          emp_(file()), rec_(emp_.rec<EmpresaRec>()) {
        SetBrowseManager(std::make_unique<EmpresaManager>(*this, tableSource(), rec_, tags_));
    }

    Level Build(Window& w) override {
        w.Sheet(kSheet);
        AddSearchTab(kSheet, {kTabCodigo, "Pesquisa por Có&digo",
            kPromptLocCodigo, "Pesquisa por Código..........",
            kLocCodigo, Use(rec_.Codigo), "@n6",
            dictionary::Empresa().key_index(dictionary::keys::EMP_KEY_CODIGO)}).Tip("Pesquisa Empresas por Código");
        w.Button(kRevTags, "&Rev tags").Parent(kTabCodigo);
        w.Button(kShowTags, "sho&W tags").Parent(kTabCodigo).Tip("Todas");
        AddSearchTab(kSheet, {kTabRazao, "Pesquia por &Razão Social",
            kPromptLocRazao, "Pesquisa por Nome............",
            kLocRazao, Use(rec_.RAZAOSOCIAL), "@s40",
            dictionary::Empresa().key_index(dictionary::keys::EMP_KEY_RAZAOSOCIAL)}).Tip("Pesquisa por Razão Social");
        w.List(kList).Tip("Janela de Empresas Cadastradas")
            .Alert(key::Space);
        w.Button(kInclui, "&Inclui Empresa").Tip("Inclui Novo Cadastro de Empresa");
        w.Button(kAltera, "&Altera Empresa").Tip("Altera Cadastro de Empresa");
        w.Button(kExclui, "&Exclui Empresa").Tip("Exclui Cadastro de Empresa");
        w.Button(kSeleciona, "&Seleciona Empresa").Tip("Seleciona Empresa");
        w.Button(kMarca, "&Marca Individual").Tip("Marca e Desmarca Empresa Individualmente");
        w.Button(kMarcaTodas, "Marca &Todas").Tip("Marca Todas as Empresas Cadastradas");
        w.Button(kDesmarca, "&Desmarca Todas").Tip("Desmarca Todas as Empresas Cadastradas");
        w.Button(kFecha, "&Fecha").Tip("Cancela e Retorna a Tela Principal");
        w.Button(kAjuda, "&Ajuda");

        BrowseManager& b = browse();
        b.SetList(kList, 12);
        b.AddColumn({"", 10, 'C', [] { return std::string(); }});
        b.AddColumn({"Código", 30, 'R', [this] { return std::to_string(rec_.Codigo); }});
        b.AddColumn({"Razão Social", 160, 'L', [this] { return text::to_utf8(rec_.RAZAOSOCIAL.clipped()); }});
        b.AddColumn({"Endereço", 160, 'L', [this] { return text::to_utf8(rec_.ENDERECO.clipped()); }});
        b.AddColumn({"Número", 30, 'R', [this] { return std::to_string(rec_.NUMERO); }});
        b.AddColumn({"C.N.P.J.", 80, 'L', [this] { return Mascara("@p##.###.###/####-##p", rec_.CGC.value()); }});
        b.AddColumn({"C.P.F.", 64, 'L', [this] { return Mascara("@p###.###.###-##p", rec_.CPF.value()); }});
        b.AddColumn({"Inscrição Estadual", 80, 'L', [this] { return text::to_utf8(rec_.INSCESTADUAL.clipped()); }});
        b.SetSheet(kSheet);
        SetButtons(b, kInclui, kAltera, kExclui, kSeleciona);
        b.SetFilter([this] { return Passa(); });
        SetCloseButton(kFecha);
        ExcludeFromNavigation({kInclui, kAltera, kExclui, kSeleciona, kMarca, kMarcaTodas, kDesmarca, kFecha});
        OnButton(kMarca, [this] { return MarcaIndividual(); });
        OnButton(kMarcaTodas, [this] { return Refaz([this](std::int64_t p) { tags_.Add(p); }, true); });
        OnButton(kDesmarca, [this] { return Refaz({}, true); });
        OnButton(kRevTags, [this] {
            TagList antes = tags_;
            return Refaz([this, antes](std::int64_t p) { if (!antes.Has(p)) tags_.Add(p); }, true);
        });
        OnButton(kShowTags, [this] { return TrocaFiltro(); });
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        if (!browse().selectMode()) {
            window()[kSeleciona].Hide();
        } else {
            window().Select(kSeleciona);
        }
        return RegisterBrowse::OnWindowOpened();
    }

    Level OnAlertKey(int feq, int keyCode) override {
        if (feq == kList && keyCode == key::Space) return MarcaIndividual();
        return RegisterBrowse::OnAlertKey(feq, keyCode);
    }

    Level Teardown() override {
        // The caller that selects finds the whole record of the highlighted company.
        std::uint16_t codigo = rec_.Codigo;
        if (browse().rowCount() > 0 && browse().FetchHighlighted()) codigo = rec_.Codigo;
        emp_.clear_record();
        rec_.Codigo = codigo;
        if (emp_.get(dictionary::keys::EMP_KEY_CODIGO) != data::kNoError) emp_.clear_record();
        return RegisterBrowse::Teardown();
    }

private:
    bool Passa() {
        if (filtro_ == Filtro::Todas) return true;
        const bool marcada = tags_.Has(emp_.position().id);
        return filtro_ == Filtro::Selecionadas ? marcada : !marcada;
    }

    Level MarcaIndividual() {
        const int linha = browse().highlighted();
        if (linha == 0) return kHandled;
        const std::int64_t p = browse().HighlightedPlace();
        tags_.Toggle(p);
        browse().FillPage();  // the same page, its rows drawn again
        // The highlight moves one row down (the page scrolls at its last row).
        if (linha < browse().rowCount()) window()[kList].Selected(linha + 1);
        else window().Post(event::ScrollDown, kList);
        return kHandled;
    }

    // Empties the tags, adds what `marca` adds for every company (read in the list's order), and
    // refills the list on the same record.
    Level Refaz(const std::function<void(std::int64_t)>& marca, bool limpa) {
        const std::int64_t manter = browse().HighlightedPlace();
        if (limpa) tags_.Clear();
        if (marca) {
            const auto& d = dictionary::Empresa();
            int key = browse().currentOrder() == 1 ? d.key_index(dictionary::keys::EMP_KEY_RAZAOSOCIAL) : d.key_index(dictionary::keys::EMP_KEY_CODIGO);
            (void)emp_.set(key);
            while (emp_.next() == data::kNoError) marca(emp_.position().id);
        }
        if (manter != 0) browse().ResetTo(manter);
        else browse().ResetToTop();
        return kHandled;
    }

    Level TrocaFiltro() {
        filtro_ = filtro_ == Filtro::Todas ? Filtro::Selecionadas
                  : filtro_ == Filtro::Selecionadas ? Filtro::NaoSelecionadas
                                                    : Filtro::Todas;
        const char* nome = filtro_ == Filtro::Todas ? "Todas" : filtro_ == Filtro::Selecionadas ? "Selecionadas" : "Não Selecionadas";
        window()[kShowTags].Text(nome).Tip(nome);
        browse().ResetToTop();
        return kHandled;
    }

    data::FileManager& emp_;
    EmpresaRec& rec_;
    TagList tags_;
    Filtro filtro_ = Filtro::Todas;
};

}  // namespace

void EmpresaBrowse(ProcContext& ctx) { JanelaEmpresas(ctx).Execute(); }

}  // namespace vorel::shell
