// Form "UForCliQel": window "Form ForCliQel" over one supplier link of a product (table ForCliQel:
// supplier code, product code). The product is always the one of the calling product form and
// cannot be changed; a supplier code that no active supplier has opens the supplier browse. It
// keeps its place and size in the settings file (section "UForCliQel"). Tables: ForCliQel
// (written), ForCli, Produtos.
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"

namespace vorel::registers {

namespace {

using dictionary::ForCliQelRec;
using dictionary::ForCliRec;
using dictionary::ProdutosRec;

class ForCliQelForm : public ui::RegisterForm {
public:
    enum : int {
        kPromptFornecedor = 1, kFornecedor, kBusca, kNomeFornecedor, kPromptProduto, kProduto, kDescricao, kOk, kCancel
    };

    explicit ForCliQelForm(ProcContext& ctx)
        : ui::RegisterForm(ctx, "UForCliQel", "Form ForCliQel", dictionary::ForCliQel(), {"Incluindo  (New)", "", ""}),
          rec_(file().rec<ForCliQelRec>()),
          forcli_(ui::ThreadFile(dictionary::ForCli())),
          produto_(ui::ThreadFile(dictionary::Produtos()).rec<ProdutosRec>()) {}

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        if (!AlsoOpen({&dictionary::ForCli(), &dictionary::Produtos()})) return Level::Cancel;
        RememberPosition();
        ui::Window& w = window();
        w.Prompt(kPromptFornecedor, "Cód. do Fornecedor");
        w.Entry(kFornecedor, ui::Use(rec_.CODFOR), "@n13").Tip("Código fornecedor");
        w.Button(kBusca, "").Icon("search");
        w.String(kNomeFornecedor, "");
        w.Prompt(kPromptProduto, "Cód. do Produto");
        w.Entry(kProduto, ui::UseDecimal(rec_.CODPROD, 0), "@N-19.").Tip("Código do Produto");
        w.String(kDescricao, "");
        w.Button(kOk, "   &OK").Tip("Accept data and close the window");
        w.Button(kCancel, "&Cancelar").Tip("Cancel operation");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory({kFornecedor, kProduto});
        ExcludeFromNavigation({kBusca, kOk, kCancel});
        if (request() == Request::View) {
            w[kFornecedor].ReadOnly();
            w[kProduto].ReadOnly();
            w[kBusca].Disable();
        }
        return Level::Benign;
    }

    Level PrepareRequest() override {
        Level l = ui::RegisterForm::PrepareRequest();
        // A new link is for the calling form's product.
        if (l == Level::Benign && request() == Request::Insert) rec_.CODPROD = produto_.Codigo;
        return l;
    }

    Level OnWindowOpened() override {
        Level l = ui::RegisterForm::OnWindowOpened();
        ui::Window& w = window();
        const std::string code = std::to_string(rec_.CODFOR);
        if (request() == Request::Change) w.SetCaption("Alterando  (" + code + ")");
        if (request() == Request::Delete) w.SetCaption("  (" + code + ")");
        w[kDescricao].Text(text::to_utf8(produto_.Produtos.clipped()));
        w[kNomeFornecedor].Text(FindSupplier() ? text::to_utf8(forcli_.rec<ForCliRec>().Nome.clipped()) : std::string());
        for (int f : {kProduto, kPromptProduto, kDescricao}) w[f].Disable();
        return l;
    }

    Level OnAccepted(int feq) override {
        Level l = ui::RegisterForm::OnAccepted(feq);
        if (feq == kFornecedor) {
            if (FindSupplier()) {
                window()[kNomeFornecedor].Text(text::to_utf8(forcli_.rec<ForCliRec>().Nome.clipped()));
                return l;
            }
            window().Post(ui::event::Accepted, kBusca);
        } else if (feq == kBusca) {
            UpdateComponents();
            context().Call("Fornecedores", Request::Select);
            // The supplier buffer gives the code whether or not one was chosen.
            rec_.CODFOR = forcli_.rec<ForCliRec>().Codigo;
            window().Display();
            window()[kNomeFornecedor].Text(text::to_utf8(forcli_.rec<ForCliRec>().Nome.clipped()));
        }
        return l;
    }

private:
    bool FindSupplier() {
        auto& f = forcli_.rec<ForCliRec>();
        forcli_.clear_record();
        f.Codigo = rec_.CODFOR;
        f.Inativo = 0;
        return forcli_.get(dictionary::keys::FOR_KEY_CODIGO) == data::kNoError;
    }

    ForCliQelRec& rec_;
    data::FileManager& forcli_;
    ProdutosRec& produto_;
};

}  // namespace

void RunForCliQelForm(ProcContext& ctx) { ForCliQelForm(ctx).Execute(); }

}  // namespace vorel::registers
