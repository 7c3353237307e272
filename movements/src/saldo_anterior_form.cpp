// Form "USaldoAnterior": one opening balance of the working company's year, an entry item with
// number 0, blank series and the opening mark: date, quantity, base, own-operation base, rate, CFOP
// code and complement (CFO), product (Produtos), lot and supplier (ForCli by code or CNPJ), each
// look-up with its button. One balance per opening. OK marks the item as an opening balance and
// writes it together with its lot (LoteVorel, type 0, when missing) in one transaction; no other
// check runs. Tables: EntradaVorel (written), LoteVorel (written with it), ForCli, Produtos, CFO.
#include "cnpj_text.h"
#include "item_lookups.h"
#include "vorel/core/text.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/cadastros_do_item.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/movements/month_lock.h"
#include "vorel/movements/exit_items.h"
#include "vorel/movements/movement_steps.h"
#include "vorel/movements/procedures.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/register_window.h"

namespace vorel::movements {

namespace {

using dictionary::CFORec;
using dictionary::EntradaVorelRec;
using dictionary::ForCliRec;
using dictionary::ProdutosRec;
namespace keys = dictionary::keys;

class USaldoAnteriorForm;

// The form's writes: insert and change write the balance with its lot in one transaction. The
// balance is written alone: the table's relations would carry a change or delete over to counting
// lines of the same date, number, series and CNPJ, which a balance never touches.
class SaldoAccess : public ui::TableAccess {
public:
    SaldoAccess(data::FileManager& f, USaldoAnteriorForm& form)
        : ui::TableAccess(f, ui::Relations::RecordOnly), form_(form) {}
    bool Insert() override;
    bool Update() override;

private:
    USaldoAnteriorForm& form_;
};

class USaldoAnteriorForm : public ui::RegisterForm {
public:
    // The write holds the working month against its computation.
    Level OnCompleted() override {
        if (request() == Request::View) return ui::RegisterForm::OnCompleted();
        return GravaNoMesDeTrabalho([this] { return ui::RegisterForm::OnCompleted(); });
    }
    enum : int {
        kHeading = 1, kPromptData, kData, kPromptQuantidade, kQuantidade, kPromptBase, kBase, kPromptBasePropria,
        kBasePropria, kPromptAliquota, kAliquota, kPromptCfo, kCfo, kPromptCompl, kCompl, kBuscaCfo, kPromptProduto,
        kProduto, kBuscaProduto, kDescricao, kPromptLote, kLote, kPromptFornecedor, kCodigoForCli, kNome,
        kBuscaFornecedor, kCnpj, kOk, kCancel, kHelp
    };

    explicit USaldoAnteriorForm(ProcContext& ctx)
        : ui::RegisterForm(ctx, "USaldoAnterior", "Saldo Anterior", dictionary::EntradaVorel(),
                           {"Inclui Saldo Anterior", "Altera Saldo Anterior", "Exclui Saldo Anterior"}, &access_),
          access_(ui::ThreadFile(dictionary::EntradaVorel()), *this),
          rec_(file().rec<EntradaVorelRec>()),
          forcli_(ui::ThreadFile(dictionary::ForCli())),
          produtos_(ui::ThreadFile(dictionary::Produtos())),
          cfo_(ui::ThreadFile(dictionary::CFO())),
          lotes_(ui::ThreadFile(dictionary::LoteVorel())) {}

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        if (!AlsoOpen({&dictionary::ForCli(), &dictionary::Produtos(), &dictionary::CFO(),
                       &dictionary::LoteVorel()}))
            return Level::Cancel;
        ui::Window& w = window();
        w.Prompt(kHeading, "Saldo Anterior");
        w.Prompt(kPromptData, "01 Data Emissão");
        w.Entry(kData, ui::UseDate(rec_.DataEmissao, "@d06b"), "@d06b").Tip("Data de Emissão");
        w.Prompt(kPromptQuantidade, "02 Quantidade");
        w.Entry(kQuantidade, ui::UseDecimal(rec_.Quantidade, 3), "@n-16.3").Tip("Quantidade de Produtos");
        w.Prompt(kPromptBase, "03 Base I.C.M.S.");
        w.Entry(kBase, ui::UseDecimal(rec_.BaseICMS, 2), "@n-18.2").Tip("Base de Cálculo do ICMS Retido");
        w.Prompt(kPromptBasePropria, "04 Base Op. Própria");
        w.Entry(kBasePropria, ui::UseDecimal(rec_.BaseICMSPropria, 2), "@n-18.2").Tip("Base da Operação Própria");
        w.Prompt(kPromptAliquota, "05 Aliquota");
        w.Entry(kAliquota, ui::UseDecimal(rec_.Aliquota, 3), "@n-8.3").Tip("Alíquota do ICMS");
        w.Prompt(kPromptCfo, "06 C.F.O.");
        w.Entry(kCfo, ui::Use(rec_.CFO), "@n4").Tip("Código Fiscal de Operação");
        w.Prompt(kPromptCompl, "07 Compl..");
        w.Entry(kCompl, ui::Use(rec_.Complemento), "@n-5").Tip("Complemento do C.F.O.");
        w.Button(kBuscaCfo, "").Icon("search").Skip().Tip("Pesquisa C.F.O.");
        w.Prompt(kPromptProduto, "08 Produto");
        w.Entry(kProduto, ui::UseDecimal(rec_.CodMercadoria, 0), "@N-19.").Tip("Código do Produto");
        w.Button(kBuscaProduto, "").Icon("search").Skip().Tip("Pesquisa Produtos");
        w.String(kDescricao, "");
        w.Prompt(kPromptLote, "09 Lote");
        w.Entry(kLote, ui::Use(rec_.Lote), "@s20").Tip("Lote do Produto");
        w.Prompt(kPromptFornecedor, "10 CNPJ/CPF");
        w.Entry(kCodigoForCli, ui::Use(rec_.CodigoForCli), "@n13").Tip("Código do Fornecedor");
        w.String(kNome, "");
        w.Button(kBuscaFornecedor, "").Icon("search").Skip().Tip("Pesquisa Fornecedores");
        w.Entry(kCnpj, ui::UseFn([this] { return ShowCnpj(rec_.Cnpj.clipped()); },
                                 [this](const std::string& s) {
                                     rec_.Cnpj = AsNumber(s).substr(0, 14);
                                     return true;
                                 }))
            .Tip("CNPJ do Fornecedor");
        w.Button(kOk, "&OK").Tip("Grava o Saldo Anterior");
        w.Button(kCancel, "&Cancela").Tip("Cancela e Retorna a Tela Anterior");
        w.Button(kHelp, "&Ajuda").Tip("Ajuda On-Line");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory({kData, kQuantidade, kBase, kBasePropria, kAliquota, kCfo, kCompl, kProduto, kLote, kCodigoForCli,
                     kCnpj});
        DisableOnDelete({kData, kQuantidade, kBase, kBasePropria, kAliquota, kCfo, kCompl, kBuscaCfo, kProduto,
                         kBuscaProduto, kLote, kCodigoForCli, kCnpj});
        OkOnDelete({"&Exclui", "Exclui Lançamento Selecionado", "Exclui Lançamento Selecionado"});
        ExcludeFromNavigation({kBuscaCfo, kBuscaProduto, kBuscaFornecedor, kOk, kCancel, kHelp});
        return Level::Benign;
    }

    // B.3: the product's description, and the supplier of the CNPJ; a new balance, whose blank CNPJ
    // finds no supplier, opens the supplier look-up at once.
    Level OnWindowOpened() override {
        Level l = ui::RegisterForm::OnWindowOpened();
        ShowProduct();
        window().Display();  // shown as it opens, before a look-up goes over it
        const bool edits = request() == Request::Insert || request() == Request::Change;
        CnpjTyped(edits);
        window().Display();
        return l;
    }

    Level OnAccepted(int feq) override {
        const bool pass = window().acceptAll;
        switch (feq) {
            case kCodigoForCli:
                if (pass) break;
                UpdateComponents();
                SupplierCodeTyped();
                return Level::Benign;
            case kBuscaFornecedor:
                UpdateComponents();
                ChooseSupplier();
                return Level::Benign;
            case kCnpj:
                UpdateComponents();
                CnpjTyped(true);
                return Level::Benign;
            case kCompl:
                UpdateComponents();
                ComplementTyped();
                return Level::Benign;
            case kBuscaCfo:
                UpdateComponents();
                ChooseCfo();
                return Level::Benign;
            case kProduto:
                UpdateComponents();
                ProductTyped();
                return Level::Benign;
            case kBuscaProduto:
                UpdateComponents();
                ChooseProduct();
                return Level::Benign;
            default:
                break;
        }
        return ui::RegisterForm::OnAccepted(feq);
    }

    // B.9: the item marked as an opening balance and written with its lot, together or not at all.
    bool Write(const std::function<bool()>& writeItem) {
        rec_.Saldo_Inicial = 1;
        const EntradaVorelRec item = rec_;
        data::Transaction tx({&file(), &lotes_});
        if (!tx.status().ok()) return Failed(tx.status());
        // The lot of a balance (type 0: carried in from before) when the product has no such record of
        // that type; a blank lot included.
        if (data::Result r = fiscal::RegistraLoteDoTipo(lotes_, item.Lote.clipped(), item.CodMercadoria,
                                                        fiscal::kLoteAnterior);
            !r.ok())
            return Failed(r);
        if (!writeItem()) return false;  // the framework said why; the transaction rolls back
        if (data::Result r = tx.commit(); !r.ok()) return Failed(r);
        return true;
    }

private:
    bool Failed(data::Result r) {
        ui::Message("O saldo anterior não foi gravado: " + ErroDeGravacao(r) + ". Nada foi gravado.", "Atenção!!!",
                    ui::Icon::Exclamation);
        return false;
    }

    void ShowSupplierName(bool found) {
        window()[kNome].Text(found ? text::to_utf8(forcli_.rec<ForCliRec>().Nome.clipped()) : std::string());
    }

    // The supplier in the ForCli buffer taken into the balance.
    void TakeSupplier() {
        const auto& f = forcli_.rec<ForCliRec>();
        rec_.Cnpj = f.CGC;
        rec_.CodigoForCli = f.Codigo;
        ShowSupplierName(true);
        window().Display();
    }

    // B.7: the CNPJ typed, else the code typed (LeFornecedorDigitado); neither: the supplier look-up
    // (when `mayLookUp`).
    void CnpjTyped(bool mayLookUp) {
        if (LeFornecedorDigitado(forcli_, rec_.Cnpj.clipped())) return TakeSupplier();
        ShowSupplierName(false);
        if (mayLookUp) ChooseSupplier();
    }

    // B.4: the register code typed.
    void SupplierCodeTyped() {
        if (rec_.CodigoForCli == 0) return;
        if (fiscal::LeFornecedorPorCodigo(forcli_, rec_.CodigoForCli)) return TakeSupplier();
        ChooseSupplier();
    }

    // B.5: the supplier register to select; leaving it without a choice changes nothing.
    void ChooseSupplier() {
        if (EscolheNoRegistro(context(), window(), "Fornecedores")) TakeSupplier();
    }

    // B.6: the code and complement must be registered.
    void ComplementTyped() {
        if (!fiscal::ColunaDoCfo(cfo_, rec_.CFO, rec_.Complemento)) ChooseCfo();
    }

    void ChooseCfo() {
        if (!EscolheNoRegistro(context(), window(), "CFO")) return;
        const auto& c = cfo_.rec<CFORec>();
        rec_.CFO = static_cast<std::uint16_t>(c.CODIGO);
        rec_.Complemento = c.COMPLEMENTO;
        window().Display();
    }

    void ShowProduct() {
        (void)fiscal::LeProdutoPorCodigo(produtos_, rec_.CodMercadoria);
        window()[kDescricao].Text(text::to_utf8(produtos_.rec<ProdutosRec>().Produtos.clipped()));
    }

    // B.8: a code that is not registered opens the product register; leaving it without a choice
    // keeps the focus on the code.
    void ProductTyped() {
        if (rec_.CodMercadoria.value().is_zero()) return;
        if (fiscal::LeProdutoPorCodigo(produtos_, rec_.CodMercadoria)) {
            window()[kDescricao].Text(text::to_utf8(produtos_.rec<ProdutosRec>().Produtos.clipped()));
            return;
        }
        if (!ChooseProduct()) window().Select(kProduto);
    }

    bool ChooseProduct() {
        if (!EscolheNoRegistro(context(), window(), "Produtos")) return false;
        const auto& p = produtos_.rec<ProdutosRec>();
        rec_.CodMercadoria = p.Codigo;
        window()[kDescricao].Text(text::to_utf8(p.Produtos.clipped()));
        window().Display();
        return true;
    }

    SaldoAccess access_;
    EntradaVorelRec& rec_;
    data::FileManager& forcli_;
    data::FileManager& produtos_;
    data::FileManager& cfo_;
    data::FileManager& lotes_;
};

bool SaldoAccess::Insert() { return form_.Write([this] { return ui::TableAccess::Insert(); }); }
bool SaldoAccess::Update() { return form_.Write([this] { return ui::TableAccess::Update(); }); }

}  // namespace

void RunSaldoAnteriorForm(ProcContext& ctx) { USaldoAnteriorForm(ctx).Execute(); }

}  // namespace vorel::movements
