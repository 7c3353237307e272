// Form "UProdutoAliquotas": window "Form ProdutosAliq" over one row of a product's rate history
// (table ProdutosAliq: product, sequential code, rate, first and last day). A new row takes the
// calling product form's product and the next code of the file (auto-numbered key); every field
// stays editable. On delete only "&Exclui" and the close of the window remain. Tables: ProdutosAliq
// (written), Produtos.
#include "vorel/dictionary/shared_registers.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"

namespace vorel::registers {

namespace {

using dictionary::ProdutosAliqRec;
using dictionary::ProdutosRec;

class ProdutoAliquotasForm : public ui::RegisterForm {
public:
    enum : int {
        kPromptProduto = 1, kDescricao, kProduto, kPromptCodigo, kCodigo, kPromptAliquota, kAliquota, kPromptInicial,
        kInicial, kPromptFinal, kFinal, kOk, kCancel
    };

    explicit ProdutoAliquotasForm(ProcContext& ctx)
        : ui::RegisterForm(ctx, "UProdutoAliquotas", "Form ProdutosAliq", dictionary::ProdutosAliq(),
                       {"Incluindo", "Alterando", ""}),
          rec_(file().rec<ProdutosAliqRec>()),
          produto_(ui::ThreadFile(dictionary::Produtos()).rec<ProdutosRec>()) {}

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        if (!AlsoOpen({&dictionary::Produtos()})) return Level::Cancel;
        ui::Window& w = window();
        w.Prompt(kPromptProduto, "Produto....................");
        w.Entry(kDescricao, ui::Use(produto_.Produtos), "@s100");
        w.Entry(kProduto, ui::UseDecimal(rec_.CODIGO_PRODUTO, 0), "@N-19.").Tip("Código do Produto");
        w.Prompt(kPromptCodigo, "Código....................");
        w.Entry(kCodigo, ui::UseDecimal(rec_.CODIGO, 0), "@n-7").Tip("Código Sequencial das Aliquotas dos Produtos");
        w.Prompt(kPromptAliquota, "Alíquota..............................");
        w.Entry(kAliquota, ui::UseDecimal(rec_.ALIQUOTA, 3), "@n-8.3").Tip("Alíquota de ICMS Substituíção Tributária");
        w.Prompt(kPromptInicial, "Data Inicial.....................");
        w.Entry(kInicial, rec_.DATA_INICIAL, "@d06b").Tip("Data inicial da Aliquota vigente no periodo");
        w.Prompt(kPromptFinal, "Data Final................");
        w.Entry(kFinal, rec_.DATA_FINAL, "@d06b").Tip("Data Final do periodo Vigente da Aliquota");
        w.Button(kOk, "&Gravar").Tip("Accept data and close the window");
        w.Button(kCancel, "&Cancela").Tip("Cancel operation");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory({kProduto, kCodigo, kAliquota, kInicial, kFinal});
        OkOnDelete({"&Exclui", "Exclui o item exibido na janela", "Exclui o item exibido na janela"});
        ExcludeFromNavigation({kOk, kCancel});
        if (request() == Request::View)
            for (int f : {kDescricao, kProduto, kCodigo, kAliquota, kInicial, kFinal}) w[f].ReadOnly();
        return Level::Benign;
    }

    Level PrepareRequest() override {
        Level l = ui::RegisterForm::PrepareRequest();
        // A new row belongs to the calling form's product.
        if (l == Level::Benign && request() == Request::Insert) rec_.CODIGO_PRODUTO = produto_.Codigo;
        return l;
    }

    Level OnWindowOpened() override {
        Level l = ui::RegisterForm::OnWindowOpened();
        if (request() == Request::Delete) {
            // Only the delete button stays.
            for (ui::Control* c : window().Controls())
                if (c->feq() != kOk && c->type() != ui::ControlType::Prompt) c->Disable();
        }
        return l;
    }

private:
    ProdutosAliqRec& rec_;
    ProdutosRec& produto_;
};

}  // namespace

void RunProdutoAliquotasForm(ProcContext& ctx) { ProdutoAliquotasForm(ctx).Execute(); }

}  // namespace vorel::registers
