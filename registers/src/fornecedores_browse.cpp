// Browse "Fornecedores": window "Janela de Fornecedores e Clientes Cadastrados" over table ForCli,
// by code, name or CNPJ (inactive records listed too); the form is UFornecedores. It asks for the
// working company first when none is chosen. Called for selection, it leaves the chosen record in
// the ForCli record buffer.
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/shell/company_register_browse.h"
#include "vorel/ui/runtime.h"

namespace vorel::registers {

namespace {

using dictionary::ForCliRec;

constexpr const char* kCnpjPicture = "@p##.###.###/####-##p";

class FornecedoresBrowse : public shell::CompanyRegisterBrowse {
public:
    enum : int {
        kSheet = 1, kTabCodigo, kPromptCodigo, kLocCodigo, kTabNome, kPromptNome, kLocNome, kTabCnpj, kPromptCnpj,
        kLocCnpj, kList, kPromptQuant, kQuant, kInsert, kChange, kDelete, kSelect, kClose, kHelp
    };

    explicit FornecedoresBrowse(ProcContext& ctx)
        : shell::CompanyRegisterBrowse(ctx, "Fornecedores", "Janela de Fornecedores e Clientes Cadastrados", dictionary::ForCli(),
                         "UFornecedores"),
          rec_(file().rec<ForCliRec>()) {}

    Level Build(ui::Window& w) override {
        w.Sheet(kSheet);
        AddSearchTab(kSheet, {kTabCodigo, "Pesquisa por Có&digo",
            kPromptCodigo, "Pesquisa por Código..........",
            kLocCodigo, ui::Use(rec_.Codigo), "@n13",
            file().desc().key_index(dictionary::keys::FOR_KEY_CODIGO)}).Tip("Pesquisa por Código do Fornecedor");
        AddSearchTab(kSheet, {kTabNome, "Pesquisa por &Nome",
            kPromptNome, "Pesquisa por Nome............",
            kLocNome, ui::Use(rec_.Nome), "@s40",
            file().desc().key_index(dictionary::keys::FOR_KEY_NOME)}).Tip("Pesquisa por Nome do Fornecedor");
        AddSearchTab(kSheet, {kTabCnpj, "Pesquisa por &CNPJ",
            kPromptCnpj, "Pesquisa por C.N.P.J.........",
            kLocCnpj, ui::Use(rec_.CGC), kCnpjPicture,
            file().desc().key_index(dictionary::keys::FOR_KEY_CGC)});
        w.List(kList).Tip("Janela de Fornecedores");
        w.Prompt(kPromptQuant, "Quantidade :");
        w.String(kQuant, "");
        w.Button(kInsert, "&Inclui Novo Cadastro").Tip("Inclui Novo Cadastro de Fornecedor");
        w.Button(kChange, "&Altera Cadastro").Tip("Altera Cadastro de Fornecedor");
        w.Button(kDelete, "&Exclui Cadastro").Tip("Altera Cadastro de Fornecedor");
        w.Button(kSelect, "&Seleciona Cadastro").Tip("Seleciona Forncedor");
        w.Button(kClose, "&Fecha").Tip("Cancela e Retorna a Tela Anterior");
        w.Button(kHelp, "Ajuda &On-Line").Tip("Ajuda On-Line");

        ui::BrowseManager& b = browse();
        b.SetList(kList);
        b.AddColumn({"Código", 51, 'R', [this] { return std::to_string(rec_.Codigo); }});
        b.AddColumn({"Nome", 157, 'L', [this] { return text::to_utf8(rec_.Nome.clipped()); }});
        b.AddColumn({"Endereço", 153, 'L', [this] { return text::to_utf8(rec_.Endereco.clipped()); }});
        b.AddColumn({"Número", 30, 'R', [this] { return std::to_string(rec_.Numero); }});
        b.AddColumn({"C.N.P.J.", 79, 'L', [this] { return ui::FormatText(kCnpjPicture, std::string(rec_.CGC.clipped())); }});
        b.AddColumn({"Inscrição Estadual", 80, 'L',
                     [this] { return text::to_utf8(rec_.InscricaoEstadual.clipped()); }});
        b.SetSheet(kSheet);
        SetButtons(b, kInsert, kChange, kDelete, kSelect);
        SetCloseButton(kClose);
        ShowCountIn(kQuant);  // inactive records too
        ExcludeFromNavigation({kInsert, kChange, kDelete, kSelect, kClose, kHelp});
        return Level::Benign;
    }

private:
    ForCliRec& rec_;
};

}  // namespace

void RunFornecedoresBrowse(ProcContext& ctx) { FornecedoresBrowse(ctx).Execute(); }

}  // namespace vorel::registers
