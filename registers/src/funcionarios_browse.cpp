// Browse "BFuncionarios": window "Tabela de responsáveis" over the working company's Funcionarios,
// by code, by name, or filtered by part of the name; rows of persons admitted after the working
// month are orange. Asks for the company when none is chosen; reads it into the Empresa buffer when
// the window opens. The form is UFuncionarios; "&Legenda" shows WLegenda.
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/payroll_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"
#include "vorel/registers/responsible_persons.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/shell/working_context.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/query.h"

namespace vorel::registers {

namespace {

using dictionary::EmpresaRec;
using dictionary::FuncionariosRec;

std::string Trimmed(std::string s) {
    std::size_t b = s.find_first_not_of(' ');
    return b == std::string::npos ? std::string() : s.substr(b);
}

// Colours every cell of a person admitted after the working month.
class PersonRows : public ui::BrowseManager {
public:
    PersonRows(ui::WindowController& owner, ui::BrowseSource& source, FuncionariosRec& rec)
        : ui::BrowseManager(owner, source), rec_(rec) {}
    void FillRow(ui::Row& row) override {
        if (!AdmitidoAposPeriodo(rec_, shell::PeriodoDeTrabalho())) return;
        for (ui::Cell& c : row) {
            c.bg = kFundoAdmitidoPosterior;
            c.selBg = kFundoAdmitidoPosteriorSelecao;
        }
    }

private:
    FuncionariosRec& rec_;
};

class FuncionariosBrowse : public ui::RegisterBrowse {
public:
    enum : int {
        kSheet = 1, kTabCodigo, kPromptCodigo, kLocCodigo, kTabNome, kPromptNome, kLocNome, kTabParte, kPromptParte,
        kParteNome, kList, kSelect, kInsert, kChange, kDelete, kFiltrar, kLegenda, kClose, kHelp
    };

    explicit FuncionariosBrowse(ProcContext& ctx)
        : ui::RegisterBrowse(ctx, "BFuncionarios", "Tabela de responsáveis", dictionary::Funcionarios(), "UFuncionarios"),
          rec_(file().rec<FuncionariosRec>()),
          empresa_(ui::ThreadFile(dictionary::Empresa())) {
        RememberPosition();
    }

    Level Build(ui::Window& w) override {
        w.Sheet(kSheet);
        AddSearchTab(kSheet, {kTabCodigo, "Código",
            kPromptCodigo, "Código:",
            kLocCodigo, ui::Use(rec_.CODIGO), "@n13",
            file().desc().key_index(dictionary::keys::FUN_Key_Codigo)});
        AddSearchTab(kSheet, {kTabNome, "Nome",
            kPromptNome, "Nome:",
            kLocNome, ui::Use(rec_.Nome), "@s40",
            file().desc().key_index(dictionary::keys::FUN_Key_Nome)});
        w.Tab(kTabParte, kSheet, "Parte Nome");
        w.Prompt(kPromptParte, "Parte nome:").Parent(kTabParte);
        w.Entry(kParteNome, ui::Use(parteNome_), "@s40").Parent(kTabParte).Tip("Nome do funcionário");
        w.List(kList).Tip("Browsing Records");
        w.Button(kSelect, "&Seleciona").Tip("Seleciona o funcionário");
        w.Button(kInsert, "&Inclui").Tip("Inclui um novo funcionário");
        w.Button(kChange, "&Altera").Tip("Altera um funcionário");
        w.Button(kDelete, "&Exclui").Tip("Exclui um funcionário");
        w.Button(kFiltrar, "   &Filtrar");
        w.Button(kLegenda, "&Legenda");
        w.Button(kClose, "&Fecha").Tip("Fecha a janela");
        w.Button(kHelp, "&Ajuda");

        ui::BrowseManager& b = browse();
        b.SetList(kList);
        auto text = [](const auto& field) { return text::to_utf8(field.clipped()); };
        b.AddColumn({"Codigo", 56, 'R', [this] { return Trimmed(ui::FormatNumber("@n13", rec_.CODIGO)); }});
        b.AddColumn({"Nome", 166, 'L', [this, text] { return text(rec_.Nome); }});
        b.AddColumn({"Endereco", 165, 'L', [this, text] { return text(rec_.ENDERECO); }});
        b.AddColumn({"Número", 30, 'R', [this] { return Trimmed(ui::FormatNumber("@n6", rec_.NUMERO)); }});
        b.AddColumn({"Complemento", 106, 'L', [this, text] { return text(rec_.COMPLEMENTO); }});
        b.AddColumn({"Bairro", 105, 'L', [this, text] { return text(rec_.BAIRRO); }});
        b.AddColumn({"CEP", 48, 'L', [this] { return ui::FormatNumber("@p##.###-###p", rec_.CEP); }});
        b.AddColumn({"UF", 16, 'L', [this, text] { return text(rec_.UF); }});
        b.AddColumn({"RG", 64, 'L', [this, text] { return text(rec_.RG); }});
        b.AddColumn({"Status", 12, 'L', [this] { return AdmitidoAposPeriodo(rec_, shell::PeriodoDeTrabalho()) ? "1" : "0"; }});
        const auto& d = file().desc();
        b.AddSortOrder({d.key_index(dictionary::keys::FUN_Key_Nome), 0, false, [this] { return NameHasPart(); }});
        b.SetSheet(kSheet);
        SetButtons(b, kInsert, kChange, kDelete, kSelect);
        b.AttachQuery(query_, kFiltrar);
        SetCloseButton(kClose);
        OnButton(kLegenda, [this] {
            window().Update();
            context().Call("WLegenda");
            window().Display();
            return Level::Benign;
        });
        ExcludeFromNavigation({kSelect, kInsert, kChange, kDelete, kFiltrar, kLegenda, kClose, kHelp});
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Level l = ui::RegisterBrowse::OnWindowOpened();
        empresa_.clear_record();
        empresa_.rec<EmpresaRec>().Codigo = static_cast<std::uint16_t>(empresaCodigo_);
        empresaLida_ = empresa_.get(dictionary::keys::EMP_KEY_CODIGO).ok();  // a missing company is not reported
        return l;
    }

    Level DispatchEvent(const ui::Event& e) override {
        // Once the part-name entry has had the focus, Enter acts as Tab on every control.
        if (enterAsTab_ && e.code == ui::event::AlertKey && e.key == ui::key::Enter) {
            window().PressKey(ui::key::Tab);
            return ui::kHandled;
        }
        return ui::RegisterBrowse::DispatchEvent(e);
    }

    Level OnSelected(int feq) override {
        if (feq == kParteNome) {
            if (!enterAsTab_) {
                enterAsTab_ = true;
                for (ui::Control* c : window().Controls()) c->Alert(ui::key::Enter);
            }
            window()[kParteNome].Touched();  // leaving it always accepts it
        }
        return ui::RegisterBrowse::OnSelected(feq);
    }

    Level OnAccepted(int feq) override {
        if (feq == kParteNome) {
            window().Select(kList);
            browse().ResetToTop();  // read again through the part-name filter
            return Level::Benign;
        }
        return ui::RegisterBrowse::OnAccepted(feq);
    }

    Level Teardown() override {
        Level l = ui::RegisterBrowse::Teardown();
        // The company's table names are set again for the working company.
        if (empresaLida_) {
            const EmpresaRec& e = empresa_.rec<EmpresaRec>();
            dictionary::AplicaCaminhos(
                dictionary::CaminhosArquivosEmpresa(shell::PastaRaiz.Get(), empresaCodigo_, e.TIPONBM, e.TIPOFORNECEDOR));
        }
        if (empresaAberta_) (void)data::dictionary::relation(dictionary::Empresa()).close();
        empresaAberta_ = false;
        return l;
    }

protected:
    bool BeforeTables() override {
        if (!shell::GaranteEmpresa(context())) return false;
        empresaCodigo_ = shell::GLO_EMPRESA_CODIGO.Get();
        empresaAberta_ = data::dictionary::relation(dictionary::Empresa()).open() == data::kNoError;
        return true;
    }

private:
    // The part-name filter: names containing the typed text (trailing blanks cut), case counting.
    bool NameHasPart() const {
        std::string part = text::from_utf8(parteNome_);
        while (!part.empty() && part.back() == ' ') part.pop_back();
        if (part.empty()) return true;
        return std::string_view(rec_.Nome.clipped()).find(part) != std::string_view::npos;
    }

    FuncionariosRec& rec_;
    data::FileManager& empresa_;
    std::string parteNome_;
    std::uint32_t empresaCodigo_ = 0;
    bool empresaAberta_ = false, empresaLida_ = false, enterAsTab_ = false;
    ui::Query query_{"BFuncionarios"};
};

}  // namespace

void RunFuncionariosBrowse(ProcContext& ctx) {
    data::FileManager& file = ui::ThreadFile(dictionary::Funcionarios());
    FuncionariosBrowse b(ctx);
    b.SetBrowseManager(std::make_unique<PersonRows>(b, b.tableSource(), file.rec<FuncionariosRec>()));
    b.Execute();
}

}  // namespace vorel::registers
