// Form "ULoteVorel": window "Lote Produto" over one batch of a product (table LoteVorel: batch
// text, type 0 previous / 1 current, product). The batch is always typed for the product of the
// calling product form, whatever the record held. It keeps its place and size in the settings
// file (section "ULoteVorel"). Tables: LoteVorel (written), Produtos.
#include "vorel/dictionary/shared_registers.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"

namespace vorel::registers {

namespace {

using dictionary::LoteVorelRec;
using dictionary::ProdutosRec;

class LoteVorelForm : public ui::RegisterForm {
public:
    enum : int {
        kPromptLote = 1, kLote, kPromptTipo, kTipo, kPromptProduto, kProduto, kBusca, kDescricao, kOk, kCancel
    };

    explicit LoteVorelForm(ProcContext& ctx)
        : ui::RegisterForm(ctx, "ULoteVorel", "Lote Produto", dictionary::LoteVorel(), {"Incluindo", "Alterando", ""}),
          rec_(file().rec<LoteVorelRec>()),
          produto_(ui::ThreadFile(dictionary::Produtos()).rec<ProdutosRec>()) {}

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        if (!AlsoOpen({&dictionary::Produtos()})) return Level::Cancel;
        RememberPosition();
        ui::Window& w = window();
        w.Prompt(kPromptLote, "Lote....................");
        w.Entry(kLote, ui::Use(rec_.LOTE), "@s20").Tip("Descrição do Lote");
        w.Prompt(kPromptTipo, "Tipo....................");
        w.DropList(kTipo, ui::Use(rec_.TIPO), {"0 - Anterior", "1 - Atual"}, {"0", "1"})
            .Tip("Tipo do Lote - 0 para Lote Anterior e 1 para Lote Atual");
        w.Prompt(kPromptProduto, "Código Produto..");
        w.Entry(kProduto, ui::UseDecimal(rec_.CODPRODUTO, 0), "@N-19.b").Tip("Código do Produto");
        w.Button(kBusca, "").Icon("search");
        w.Entry(kDescricao, ui::Use(produto_.Produtos), "@s100").Tip("Descrição de Produtos Cadastrados");
        w.Button(kOk, "    &OK").Tip("Accept data and close the window");
        w.Button(kCancel, "&Cancelar").Tip("Cancel operation");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory({kLote, kTipo, kProduto});
        LinkField(kTipo, file().desc().field_index("LTC:TIPO"));
        ExcludeFromNavigation({kBusca, kCancel});  // Enter on OK presses it
        if (request() == Request::View) {
            for (int f : {kLote, kProduto, kDescricao}) w[f].ReadOnly();
            w[kTipo].Disable();
            w[kBusca].Disable();
        }
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Level l = ui::RegisterForm::OnWindowOpened();
        rec_.CODPRODUTO = produto_.Codigo;  // the calling form's product, for every request
        ui::Window& w = window();
        w.Display();
        for (int f : {kProduto, kDescricao, kBusca}) w[f].Disable();
        return l;
    }

private:
    LoteVorelRec& rec_;
    ProdutosRec& produto_;
};

}  // namespace

void RunLoteVorelForm(ProcContext& ctx) { LoteVorelForm(ctx).Execute(); }

}  // namespace vorel::registers
