// Form "UDiario": window "Update Lançamento Diário" over one record of table MovMaqRegistradora, one
// product of an analytic cash-register record with its quantity, base and ICMS. A new line starts
// with the machine, date, closing and rate of the analytic record in the buffer (the calling form's).
// The product is looked up by code or by the user's code; the ICMS is the base times the product's
// register rate (`PRO:Alicota`), whatever the line's own rate text says. OK, in every mode, marks
// the product's balance of the working month for the monthly computation (`SQEL:Situacao` 0); a
// saved or deleted line and its mark are written in one transaction, so a refused line leaves no
// mark behind. Tables: MovMaqRegistradora (written), SaldosVorel (written), Produtos (read).
#include "movement_form.h"

#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/fiscal/saldo_do_mes.h"
#include "vorel/movements/month_lock.h"
#include "vorel/movements/movement_steps.h"
#include "vorel/movements/procedures.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements {

namespace {

using dictionary::AnaliticoICMSRec;
using dictionary::MovMaqRegistradoraRec;
using dictionary::ProdutosRec;

// The product line's writes, each with the mark of the product's balance in one transaction.
class DiarioAccess : public ui::TableAccess {
public:
    DiarioAccess(data::FileManager& linhas, data::FileManager& saldos, data::FileManager& produtos)
        : ui::TableAccess(linhas), saldos_(saldos), produtos_(produtos) {}

    bool Insert() override {
        return ComMarca([this] { return ui::TableAccess::Insert(); });
    }
    bool Update() override {
        return ComMarca([this] { return ui::TableAccess::Update(); });
    }
    bool Delete() override {
        return ComMarca([this] { return ui::TableAccess::Delete(); });
    }

    // The mark alone (OK on a line only viewed); false after its message.
    bool Marca() {
        data::Transaction tx({&saldos_});
        if (!tx.status().ok()) return Falhou(tx.status());
        if (data::Result r = MarcaLinha(); !r.ok()) return Falhou(r);
        if (data::Result r = tx.commit(); !r.ok()) return Falhou(r);
        return true;
    }

private:
    data::Result MarcaLinha() {
        const auto& linha = file().rec<MovMaqRegistradoraRec>();
        return fiscal::MarcaSaldoDoMes(saldos_, linha.CodMercadoria, MesDeTrabalho(),
                               produtos_.rec<ProdutosRec>().Alicota, false);
    }
    template <class Write>
    bool ComMarca(Write write) {
        data::Transaction tx({&file(), &saldos_});
        if (!tx.status().ok()) return Falhou(tx.status());
        if (data::Result r = MarcaLinha(); !r.ok()) return Falhou(r);
        if (!write()) return false;  // shown by the table layer; the mark is rolled back
        if (data::Result r = tx.commit(); !r.ok()) return Falhou(r);
        return true;
    }
    static bool Falhou(data::Result r) {
        ui::Message("O saldo do produto no mês não pôde ser marcado para o cálculo (erro " +
                        std::to_string(r.code()) + "). Nada foi gravado.",
                    "Atenção!!!", ui::Icon::Exclamation);
        return false;
    }

    data::FileManager& saldos_;
    data::FileManager& produtos_;
};

class DiarioForm : public MovementForm {
public:
    enum : int {
        kPCodigo = 1, kCodigo, kPData, kData, kPAliquota, kAliquota, kPFechamento, kFechamento, kPProduto,
        kProduto, kBuscaProduto, kPDescricao, kDescricao, kPQuantidade, kQuantidade, kPBase, kBase, kPIcms,
        kIcms, kOk, kCancel, kHelp
    };

    explicit DiarioForm(ProcContext& ctx)
        : MovementForm(ctx, "UDiario", "Update Lançamento Diário", dictionary::MovMaqRegistradora(),
                       {"Adding a MovMaqRegistradora Record", "Changing a MovMaqRegistradora Record", ""},
                       &access_),
          produtos_(ui::ThreadFile(dictionary::Produtos())),
          access_(ui::ThreadFile(dictionary::MovMaqRegistradora()), ui::ThreadFile(dictionary::SaldosVorel()),
                  produtos_),
          rec_(file().rec<MovMaqRegistradoraRec>()) {}

    Level Setup() override {
        Level l = MovementForm::Setup();
        if (l != Level::Benign) return l;
        if (!AlsoOpen({&dictionary::Produtos(), &dictionary::SaldosVorel()})) return Level::Cancel;
        ui::Window& w = window();
        w.Prompt(kPCodigo, "01 Código");
        w.Entry(kCodigo, ui::UseInRange(rec_.Codigo, -32768, 32767), "@n-7")
            .Tip("Código da Máquina Registradora");
        w.Prompt(kPData, "02 Data");
        w.Spin(kData, UseDataTexto(rec_.DataEmissao), "@d06b").Tip("Data de Emissão");
        w.Prompt(kPAliquota, "03 Alíquota");
        w.Entry(kAliquota, ui::Use(rec_.Aliquota), "@s4").Tip("Situação Tributária");
        w.Prompt(kPFechamento, "04 Fechamento");
        w.Entry(kFechamento, ui::UseInRange(rec_.Fechamento, 0, 255), "@n3").Tip("Fechamentos Diários");
        w.Prompt(kPProduto, "05 Produtos");
        w.Entry(kProduto, ui::UseDecimal(rec_.CodMercadoria, 0), "@n15").Tip("Código da Mercadoria");
        w.Button(kBuscaProduto, "").Icon("search").Skip();
        w.Prompt(kPDescricao, "06 Produto");
        w.Entry(kDescricao, ui::Use(produtos_.rec<ProdutosRec>().Produtos), "@s100")
            .Tip("Descrição de Produtos Cadastrados")
            .ReadOnly()
            .Skip();
        w.Prompt(kPQuantidade, "07 Quantidade");
        w.Entry(kQuantidade, ui::UseDecimal(rec_.Quantidade, 3), "@n-14.3").Tip("Quantidade de Produtos");
        w.Prompt(kPBase, "08 Base Cálculo");
        w.Entry(kBase, ui::UseDecimal(rec_.BaseCalculo, 2), "@n-17.2").Tip("Valor da Base de Cálculo");
        w.Prompt(kPIcms, "09 Valor ICMS");
        w.Entry(kIcms, ui::UseDecimal(rec_.ValorICMS, 2), "@n-17.2").Tip("Valor do ICMS");
        w.Button(kOk, "&Grava");
        w.Button(kCancel, "&Cancela");
        w.Button(kHelp, "&Ajuda");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory({kCodigo, kData, kAliquota, kFechamento, kProduto, kQuantidade, kBase, kIcms});
        OkOnDelete({"&Exclui", "Exclui Lançamento Analítico", "Exclui Lançamento Analítico"});
        ReadOnlyOnDelete();
        ExcludeFromNavigation({kBuscaProduto, kOk, kCancel, kHelp});
        return Level::Benign;
    }

    // A new line belongs to the analytic record in the buffer (the calling form's record).
    void PrimeInsert() override {
        const auto& ana = ui::ThreadFile(dictionary::AnaliticoICMS()).rec<AnaliticoICMSRec>();
        rec_.Codigo = ana.Codigo;
        rec_.DataEmissao = ana.DataEmissao;
        rec_.Fechamento = ana.Fechamento;
        rec_.Aliquota = ana.Aliquota;
    }

    Level OnWindowOpened() override {
        Level l = MovementForm::OnWindowOpened();
        // The line's product, so that its description shows and its rate is the one OK marks.
        if (request() == Request::Insert)
            produtos_.clear_record();
        else
            (void)fiscal::LeProduto(produtos_, rec_.CodMercadoria);
        window().Display();
        return l;
    }

    Level OnSelected(int feq) override {
        // Entering the product code makes leaving it run its look-up.
        if (feq == kProduto && request() != Request::View && request() != Request::Delete)
            window()[feq].Touched();
        return MovementForm::OnSelected(feq);
    }

    Level OnAccepted(int feq) override {
        switch (feq) {
            case kProduto:
                if (!ProdutoAccepted()) return ui::kHandled;
                break;
            case kBuscaProduto:
                (void)BuscaProduto();
                return Level::Benign;
            case kBase: {
                Level l = MovementForm::OnAccepted(feq);
                rec_.ValorICMS = static_cast<const Decimal&>(rec_.BaseCalculo) *
                                 static_cast<const Decimal&>(produtos_.rec<ProdutosRec>().Alicota) /
                                 Decimal(100);
                window().Display();
                return l;
            }
            case kOk:
                // Viewing: the mark, then the form closes. The other modes mark in their write.
                if (request() == Request::View) {
                    UpdateComponents();
                    (void)access_.Marca();
                }
                break;
            case kCancel:
                if (request() != Request::View && request() != Request::Delete) return CancelPressed();
                break;
            default:
                break;
        }
        return MovementForm::OnAccepted(feq);
    }

    // The delete asks its own question before the line and its mark are written.
    bool ConfirmDelete() override {
        return ui::Ask("Deseja realmente excluir o registro selecionado?", "Confirma Exclusão",
                       ui::Icon::Question, "&Sim|&Não") == "&Sim";
    }

private:
    // The product typed: by code, else by the user's code; unknown: chosen in the register.
    bool ProdutoAccepted() {
        bool ok = true;
        if (fiscal::LeProduto(produtos_, rec_.CodMercadoria))
            rec_.CodMercadoria = produtos_.rec<ProdutosRec>().Codigo;
        else
            ok = BuscaProduto();
        window().Display();
        return ok;
    }

    // The product look-up. One left without a choice keeps the code typed and puts the focus back
    // on it, so the line is not saved under another product.
    bool BuscaProduto() {
        UpdateComponents();
        if (EscolheNoCadastro("Produtos", produtos_) != Response::Completed) {
            window().Display();
            window().Select(kProduto);
            return false;
        }
        rec_.CodMercadoria = produtos_.rec<ProdutosRec>().Codigo;
        window().Display();
        return true;
    }

    // Changed fields: "Salvar" asks Yes (save as OK does), No (leave) or Cancel (stay).
    Level CancelPressed() {
        UpdateComponents();
        if (!Changed()) return MovementForm::OnAccepted(kCancel);
        const std::string a =
            ui::Ask("Deseja salvar as alterações?", "Salvar", ui::Icon::Question, "&Sim|&Não|&Cancelar", 3);
        if (a == "&Sim") {
            (void)OnCompleted();
            return ui::kHandled;
        }
        if (a == "&Não") return MovementForm::OnAccepted(kCancel);
        return ui::kHandled;
    }

    data::FileManager& produtos_;
    DiarioAccess access_;
    MovMaqRegistradoraRec& rec_;
};

}  // namespace

void RunDiarioForm(ProcContext& ctx) {
    DiarioForm(ctx).Execute();
}

}  // namespace vorel::movements
