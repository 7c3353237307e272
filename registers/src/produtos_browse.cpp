// Browse "Produtos": window "Cadastro de Produtos" over table Produtos, by description, code or user
// code, with the number of products shown when it opens and after every completed form; the form is
// UProdutos. It asks
// for the working company first when none is chosen (the table may lie in the company's folder).
// Called for selection, it leaves the chosen product in the Produtos record buffer.
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"
#include "vorel/shell/company_register_browse.h"
#include "vorel/ui/runtime.h"

namespace vorel::registers {

namespace {

using dictionary::ProdutosRec;

class ProdutosBrowse : public shell::CompanyRegisterBrowse {
public:
    enum : int {
        kSheet = 1, kTabNome, kPromptNome, kLocNome, kTabCodigo, kPromptCodigo, kLocCodigo, kTabApelido,
        kPromptApelido, kLocApelido, kList, kPromptQtde, kQtde, kDescricao, kInsert, kChange, kDelete, kSelect,
        kClose, kHelp
    };

    explicit ProdutosBrowse(ProcContext& ctx)
        : shell::CompanyRegisterBrowse(ctx, "Produtos", "Cadastro de Produtos", dictionary::Produtos(), "UProdutos"),
          rec_(file().rec<ProdutosRec>()) {}

    Level Build(ui::Window& w) override {
        w.Sheet(kSheet);
        AddSearchTab(kSheet, {kTabNome, "Pesquisa por Nome do &Produto",
            kPromptNome, "Pesquisa por Descrição.....",
            kLocNome, ui::Use(rec_.Produtos), "@s100",
            file().desc().key_index(dictionary::keys::PRO_KEY_PRODUTO)}).Tip("Pesquisa Produtos por Código");
        AddSearchTab(kSheet, {kTabCodigo, "Pesquisa por Có&digo do Produto",
            kPromptCodigo, "Pesquisa por Código........",
            kLocCodigo, ui::UseDecimal(rec_.Codigo, 0), "@N-19.",
            file().desc().key_index(dictionary::keys::PRO_KEY_CODIGO)}).Tip("Pesquisa por Nome do Produto");
        AddSearchTab(kSheet, {kTabApelido, "Pesquisa por &Apelido",
            kPromptApelido, "Pesquisa por Apelido.......",
            kLocApelido, ui::Use(rec_.Apelido), "@s20",
            file().desc().key_index(dictionary::keys::PRO_Key_Apelido)});
        w.List(kList).Tip("Janela de Produtos Cadastrados");
        w.Prompt(kPromptQtde, "Qtde Produtos");
        w.String(kQtde, "0");
        w.String(kDescricao, "").Tip("Descrição de Produtos Cadastrados");
        w.Button(kInsert, "&Inclui Novo Produto").Tip("Inclui Novo Cadastro de Produto");
        w.Button(kChange, "&Altera Produto").Tip("Altera Cadastro de Produto");
        w.Button(kDelete, "&Exclui Produto").Tip("Exclui Cadastro de Produto");
        w.Button(kSelect, "&Seleciona Produto").Tip("Seleciona Produto");
        w.Button(kClose, "&Fecha").Tip("Cancela e Retorna a Tela Anterior");
        w.Button(kHelp, "Ajuda &On-Line").Tip("Ajuda On-Line");

        ui::BrowseManager& b = browse();
        b.SetList(kList);
        b.AddColumn({"Código", 76, 'R', [this] { return rec_.Codigo.to_string(); }});
        b.AddColumn({"Apelido", 84, 'R', [this] { return text::to_utf8(rec_.Apelido.clipped()); }});
        b.AddColumn({"Produtos", 190, 'L', [this] { return text::to_utf8(rec_.Produtos.clipped()); }});
        b.AddColumn({"Alíquota", 32, 'R', [this] { return ui::ShowDecimal(rec_.Alicota, 4); }});
        b.SetSheet(kSheet);
        SetButtons(b, kInsert, kChange, kDelete, kSelect);
        SetCloseButton(kClose);
        ShowBelowList(kList, kDescricao, 3);
        ShowCountIn(kQtde);  // every product: the list has neither filter nor range
        ExcludeFromNavigation({kInsert, kChange, kDelete, kSelect, kClose, kHelp});
        return Level::Benign;
    }

private:
    ProdutosRec& rec_;
};

}  // namespace

void RunProdutosBrowse(ProcContext& ctx) { ProdutosBrowse(ctx).Execute(); }

}  // namespace vorel::registers
