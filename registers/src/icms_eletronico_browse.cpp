// Browse "ICMSEletronico": window "Janela de Máquina de Apuração" over table ICMSEletronica (the
// working company's cash-register machines), by name or by code; the form is UICMSEletronico. It
// asks for the working company first when none is chosen. Called for selection, it leaves the
// chosen machine in the ICMSEletronica record buffer.
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"
#include "vorel/shell/company_register_browse.h"
#include "vorel/ui/runtime.h"

namespace vorel::registers {

namespace {

using dictionary::ICMSEletronicaRec;

class IcmsEletronicoBrowse : public shell::CompanyRegisterBrowse {
public:
    enum : int {
        kSheet = 1, kTabNome, kPromptNome, kLocNome, kTabCodigo, kPromptCodigo, kLocCodigo, kList, kInsert, kChange,
        kDelete, kSelect, kClose, kHelp
    };

    explicit IcmsEletronicoBrowse(ProcContext& ctx)
        : shell::CompanyRegisterBrowse(ctx, "ICMSEletronico", "Janela de Máquina de Apuração", dictionary::ICMSEletronica(),
                         "UICMSEletronico"),
          rec_(file().rec<ICMSEletronicaRec>()) {}

    Level Build(ui::Window& w) override {
        w.Sheet(kSheet);
        AddSearchTab(kSheet, {kTabNome, "Pesquisa por &Nome",
            kPromptNome, "Pesquisa por Nome............",
            kLocNome, ui::Use(rec_.Nome), "@s30",
            file().desc().key_index(dictionary::keys::ICM_KEY_NOME)}).Tip("Pesquisa por Nome da Máquina");
        AddSearchTab(kSheet, {kTabCodigo, "Pesquisa por &Máquina",
            kPromptCodigo, "Pesquisa por Número.........",
            kLocCodigo, ui::Use(rec_.Codigo), "@n-4",
            file().desc().key_index(dictionary::keys::ICM_KEY_NUMERO)}).Tip("Pesquisa por Código da Máquina");
        w.List(kList).Tip("Janela de Máquina Registradora Cadastradas");
        w.Button(kInsert, "&Inclui Nova Máquina").Tip("Inclui Nova Máquina de Apuração de ICMS");
        w.Button(kChange, "&Alteraca Cadastro").Tip("Altera Cadastro de Máquina De Apuração");
        w.Button(kDelete, "&Exclui Cadastro").Tip("Exclui Máquina de Apuração Eletrônica");
        w.Button(kSelect, "&Seleciona Máquina").Tip("Seleciona Máquina de Apuração");
        w.Button(kClose, "&Fecha").Tip("Cancela e Retorna a Tela Anterior");
        w.Button(kHelp, "Ajuda &On-Line").Tip("Ajuda On-Line");

        ui::BrowseManager& b = browse();
        b.SetList(kList);
        b.AddColumn({"Nome", 127, 'L', [this] { return text::to_utf8(rec_.Nome.clipped()); }});
        b.AddColumn({"Código", 28, 'R', [this] { return std::to_string(rec_.Codigo); }});
        b.AddColumn({"Série", 64, 'L', [this] { return text::to_utf8(rec_.Serie.clipped()); }});
        b.SetSheet(kSheet);
        SetButtons(b, kInsert, kChange, kDelete, kSelect);
        SetCloseButton(kClose);
        ExcludeFromNavigation({kInsert, kChange, kDelete, kSelect, kClose, kHelp});
        return Level::Benign;
    }

private:
    ICMSEletronicaRec& rec_;
};

}  // namespace

void RunIcmsEletronicoBrowse(ProcContext& ctx) { IcmsEletronicoBrowse(ctx).Execute(); }

}  // namespace vorel::registers
