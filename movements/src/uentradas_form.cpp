// Form "UEntradas": window "Tela de Lançamento de Entradas" over one entry item of the working
// company's year table (EntradaVorel). Supplier by CNPJ or register code (ForCli), product by code
// or user code (Produtos), CFOP code and complement (CFO), complementary code (CodCFOComplementar),
// each with its look-up; the base from the product's reference value (TabValorIndProduto), from the
// base before reduction, or, for CFOP 1409, from an earlier 1403/2403 entry of the product; inserts
// in batch with the values last accepted carried over; the quantity and the base may be counted from
// package lines (counting_lines.h). OK runs the item's checks in order and then writes the item with
// its counting lines, month balance mark, supplier-product link, lot and rate history in one
// transaction (entry_items.h), so a refused or failed write leaves nothing behind.
#include <optional>

#include "vorel/core/picture.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/cadastros_do_item.h"
#include "vorel/fiscal/cfop.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/fiscal/saldo_do_mes.h"
#include "vorel/movements/counting_lines.h"
#include "vorel/movements/entry_items.h"
#include "vorel/movements/exit_items.h"
#include "vorel/movements/month_lock.h"
#include "vorel/movements/movement_steps.h"
#include "vorel/movements/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/product_rate.h"
#include "vorel/shell/program_settings.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/register_window.h"
#include "cnpj_text.h"
#include "item_lookups.h"

namespace vorel::movements {

namespace {

using dictionary::CFORec;
using dictionary::CodCFOComplementarRec;
using dictionary::EntradaVorelRec;
using dictionary::EstadosRec;
using dictionary::ForCliRec;
using dictionary::ProdutosRec;
using dictionary::TabValorIndProdutoRec;
namespace keys = dictionary::keys;

constexpr const char* kAtencao = "Atenção!!!";


class UEntradasForm;

// The form's writes: the checks of OK, then the item with everything that belongs to it in one
// transaction. The item is written alone: its counting lines belong to the invoice and stay while
// another of its entries remains, which the counting lines' own write sees to (the table's cascade
// would take them, and an exit's lines of the same invoice identity, with any item).
class EntryAccess : public ui::TableAccess {
public:
    EntryAccess(data::FileManager& f, UEntradasForm& form)
        : ui::TableAccess(f, ui::Relations::RecordOnly), form_(form) {}
    bool Insert() override;
    bool Update() override;
    bool Delete() override;

private:
    UEntradasForm& form_;
};

class UEntradasForm : public ui::RegisterForm {
public:
    // The write holds the working month against its computation.
    Level OnCompleted() override {
        if (request() == Request::View) return ui::RegisterForm::OnCompleted();
        return GravaNoMesDeTrabalho([this] { return ui::RegisterForm::OnCompleted(); });
    }
    enum : int {
        kPromptCnpj = 1, kCnpj, kBuscaFornecedor, kCodigoForCli, kPromptNome, kNome, kPromptUf, kUf, kPromptIe, kIe,
        kPromptSerie, kSerie, kPromptNumero, kNumero, kPromptData, kData, kContagem, kPromptQuantidade, kQuantidade,
        kPromptUnitario, kUnitario, kPromptPacotes, kPacotes, kPromptVlrProduto, kVlrProduto, kPromptMargem, kMargem,
        kLinhas, kPromptProduto, kProduto, kBuscaProduto, kPromptDescricao, kDescricao, kPromptLote, kLote, kPromptCfo,
        kCfo, kPromptCompl, kCompl, kBuscaCfo, kPromptCfoCompl, kCfoCompl, kBuscaCfoCompl, kPromptNfOrigem, kNfOrigem,
        kPromptBaseReducao, kBaseReducao, kPromptPercReducao, kPercReducao, kPromptBase, kBase, kPromptAliquota,
        kAliquota, kCalculaIcms, kPromptIcms, kIcms, kPromptBasePropria, kBasePropria, kTotal, kMostraAliquota, kOk,
        kCancel, kHelp
    };

    explicit UEntradasForm(ProcContext& ctx)
        : ui::RegisterForm(ctx, "UEntradas", "Tela de Lançamento de Entradas", dictionary::EntradaVorel(),
                           {"Inclui Novo Lançamento", "Altera Lançamento", "Exclui Lançamento"}, &access_),
          access_(ui::ThreadFile(dictionary::EntradaVorel()), *this),
          rec_(file().rec<EntradaVorelRec>()),
          forcli_(ui::ThreadFile(dictionary::ForCli())),
          produtos_(ui::ThreadFile(dictionary::Produtos())),
          cfo_(ui::ThreadFile(dictionary::CFO())),
          complementar_(ui::ThreadFile(dictionary::CodCFOComplementar())),
          valores_(ui::ThreadFile(dictionary::TabValorIndProduto())),
          entradas0_(ui::ThreadFile(dictionary::EntradaVorel0())) {}

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        if (!AlsoOpen({&dictionary::ForCli(), &dictionary::Produtos(), &dictionary::CFO(),
                       &dictionary::CodCFOComplementar(), &dictionary::TabValorIndProduto(),
                       &dictionary::Estados(), &dictionary::EntradaVorel0(), &dictionary::QuantidadeVorel()}))
            return Level::Cancel;
        ui::Window& w = window();
        w.Prompt(kPromptCnpj, "01 C.N.P.J/Cód.");
        w.Entry(kCnpj, ui::UseFn([this] { return ShowCnpj(rec_.Cnpj.value()); },
                                 [this](const std::string& s) {
                                     rec_.Cnpj = Digits(s).substr(0, 14);
                                     return true;
                                 }))
            .Tip("CNPJ ou Código do Fornecedor").Msg("CNPJ ou Código do Fornecedor");
        w.Button(kBuscaFornecedor, "").Icon("search").Skip().Tip("Pesquisa Fornecedores");
        w.Entry(kCodigoForCli, ui::Use(rec_.CodigoForCli), "@n13").Tip("Código do Cliente/Fornecedor");
        w.Prompt(kPromptNome, "02 Nome");
        w.String(kNome, "");
        w.Prompt(kPromptUf, "03 UF");
        StateList();
        w.Prompt(kPromptIe, "04 Insc. Est.");
        w.String(kIe, "");
        w.Prompt(kPromptSerie, "05 Série");
        w.Entry(kSerie, ui::Use(rec_.Serie), "@s2").Tip("Série da Nota Fiscal");
        w.Prompt(kPromptNumero, "06 Número");
        w.Entry(kNumero, ui::Use(rec_.Numero), "@n13").Tip("Número da Nota Fiscal");
        w.Prompt(kPromptData, "07 Data");
        w.Spin(kData, ui::UseDate(rec_.DataEmissao, "@d06b"), "@d06b").Tip("Data de Emissão da Nota Fiscal");
        w.Check(kContagem, "Deseja usar contagem de Produtos?", ui::Use(contagem_));
        w.Prompt(kPromptQuantidade, "08 Quantidade");
        w.Entry(kQuantidade, ui::UseDecimal(rec_.Quantidade, 3), "@n-16.3").Tip("Quantidade de Produtos");
        w.Prompt(kPromptUnitario, "Unitário");
        w.Entry(kUnitario, ui::Use(unitario_), "@n13");
        w.Prompt(kPromptPacotes, "Quantidade");
        w.Entry(kPacotes, ui::Use(pacotes_), "@n13");
        w.Prompt(kPromptVlrProduto, "Vlr Produto");
        w.Entry(kVlrProduto, ui::UseDecimal(vlrProduto_, 11, 2), "@n-15.2");
        w.Prompt(kPromptMargem, "Margem Lucro");
        w.Entry(kMargem, ui::UseDecimal(margem_, 15, 6), "@n-17.6");
        w.List(kLinhas, {{"Unitário", 30, 'R'}, {"Qtde", 30, 'R'}, {"Vlr Produto", 40, 'R'}, {"Margem", 40, 'R'}});
        w.Prompt(kPromptProduto, "09 Produto");
        w.Entry(kProduto, ui::UseDecimal(rec_.CodMercadoria, 0), "@N-19.").Tip("Código do Produto");
        w.Button(kBuscaProduto, "").Icon("search").Skip().Tip("Pesquisa Produtos");
        w.Prompt(kPromptDescricao, "10 Descrição");
        w.String(kDescricao, "");
        w.Prompt(kPromptLote, "Lote");
        w.Entry(kLote, ui::Use(rec_.Lote), "@s20").Tip("Lote do Produto");
        w.Prompt(kPromptCfo, "11 C.F.O.");
        w.Entry(kCfo, ui::Use(rec_.CFO), "@n4").Tip("Código Fiscal de Operação");
        w.Prompt(kPromptCompl, "12 Compl.");
        w.Entry(kCompl, ui::Use(rec_.Complemento), "@n-5").Tip("Complemento do C.F.O.");
        w.Button(kBuscaCfo, "").Icon("search").Skip().Tip("Pesquisa C.F.O.");
        w.Prompt(kPromptCfoCompl, "13 CFO Compl.");
        w.Entry(kCfoCompl, ui::Use(rec_.CFOComplementar), "@n3").Tip("Código Complementar do C.F.O.");
        w.Button(kBuscaCfoCompl, "").Icon("search").Skip().Tip("Pesquisa Códigos Complementares");
        w.Prompt(kPromptNfOrigem, "14 Nf de Origem");
        w.Entry(kNfOrigem, ui::Use(rec_.Nf_Origem), "@n13").Tip("Número da Nota Fiscal de Origem");
        w.Prompt(kPromptBaseReducao, "Base Redução...");
        w.Entry(kBaseReducao, ui::UseDecimal(rec_.BaseAntReducao, 2), "@n-18.2").Tip("Base antes da Redução");
        w.Prompt(kPromptPercReducao, "% de Redução sobre a Base Informada");
        w.String(kPercReducao, "");
        w.Prompt(kPromptBase, "14 Base Cálc.");
        w.Entry(kBase, ui::UseDecimal(rec_.BaseICMS, 2), "@n-18.2").Tip("Base de Cálculo do ICMS Retido");
        w.Prompt(kPromptAliquota, "15 Alíquota");
        w.Entry(kAliquota, ui::UseDecimal(rec_.Aliquota, 3), "@n-8.3").Tip("Alíquota do ICMS");
        w.Button(kCalculaIcms, "").Icon("calc").Skip().Tip("Calcula Automaticamente Valor do ICMS");
        w.Prompt(kPromptIcms, "16 ICMS");
        w.Entry(kIcms, ui::UseDecimal(rec_.ValorICMS, 2), "@n-18.2").Tip("Valor do ICMS Retido");
        w.Prompt(kPromptBasePropria, "17 Base Op. Própria");
        w.Entry(kBasePropria, ui::UseDecimal(rec_.BaseICMSPropria, 2), "@n-18.2").Tip("Base da Operação Própria");
        w.Prompt(kTotal, "");
        w.Button(kMostraAliquota, "").Icon("info").Skip().Tip("Alíquota do Produto na Data");
        w.Button(kOk, "&O.K.").Tip("Confirma Inclusão de Lançamento");
        w.Button(kCancel, "&Cancela").Tip("Cancela e Retorna a Tela Anterior");
        w.Button(kHelp, "&Ajuda").Tip("Ajuda On-Line");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        SetBatchInsert(true);
        LinkHistory({kCnpj, kCodigoForCli, kUf, kSerie, kNumero, kData, kQuantidade, kProduto, kLote, kCfo, kCompl,
                     kCfoCompl, kNfOrigem, kBaseReducao, kBase, kAliquota, kIcms, kBasePropria});
        DisableOnDelete({kCnpj, kBuscaFornecedor, kCodigoForCli, kUf, kSerie, kNumero, kData, kContagem, kQuantidade,
                         kUnitario, kPacotes, kVlrProduto, kMargem, kProduto, kBuscaProduto, kLote, kCfo, kCompl,
                         kBuscaCfo, kCfoCompl, kBuscaCfoCompl, kNfOrigem, kBaseReducao, kBase, kAliquota, kCalculaIcms,
                         kIcms, kBasePropria, kMostraAliquota});
        OkOnChange({"&Grava", "Grava Alteração Executada", "Grava Alteração Executada"});
        OkOnDelete({"&Exclui", "Exclui Lançamento de Entrada", "Exclui Lançamento de Entrada"});
        ExcludeFromNavigation({kBuscaFornecedor, kBuscaProduto, kBuscaCfo, kBuscaCfoCompl, kCalculaIcms,
                               kMostraAliquota, kOk, kCancel, kHelp});
        return Level::Benign;
    }

    // A new item of the batch takes the values last accepted in this window. The supplier goes on
    // as found (CNPJ, register code and state), not as typed: the supplier's handling does not run
    // again on OK, and a register code typed into the CNPJ field must not be stored as a CNPJ.
    Level PrepareRequest() override {
        Level l = ui::RegisterForm::PrepareRequest();
        if (l != Level::Benign || request() != Request::Insert) return l;
        if (carry_.has_value()) {
            rec_.Serie = carry_->Serie;
            rec_.DataEmissao = carry_->DataEmissao;
            rec_.Cnpj = carry_->Cnpj;
            rec_.CodigoForCli = carry_->CodigoForCli;
            rec_.Estado = carry_->Estado;
            rec_.CodMercadoria = carry_->CodMercadoria;
            rec_.CFO = carry_->CFO;
            rec_.Complemento = carry_->Complemento;
            rec_.CFOComplementar = carry_->CFOComplementar;
        }
        return l;
    }

    Level OnWindowOpened() override {
        Level l = ui::RegisterForm::OnWindowOpened();
        if (request() == Request::Change || request() == Request::Delete) {
            if (data::Result r = linhas_.Load(Nota()); !r.ok()) Failed(r);
            contagem_ = linhas_.empty() ? 0 : 1;
        }
        ShowLines();
        ShowLineFields();
        ShowInvoiceTotal();
        ShowSupplier();
        ShowProduct();
        ShowOriginInvoice();
        window().Display();
        return l;
    }

    Level Teardown() override {
        (void)shell::EncerraCnpjAoCadastro();
        return ui::RegisterForm::Teardown();
    }

    // Entering these fields marks them, so leaving them always runs their handling.
    Level OnSelected(int feq) override {
        switch (feq) {
            case kUnitario: case kPacotes: case kProduto: case kCompl: case kMargem:
                if (request() != Request::View && request() != Request::Delete) window()[feq].Touched();
                break;
            default: break;
        }
        return ui::RegisterForm::OnSelected(feq);
    }

    Level OnAccepted(int feq) override {
        const bool pass = window().acceptAll;
        switch (feq) {
            case kCnpj:
                if (pass) break;
                UpdateComponents();
                SupplierTyped();
                return Level::Benign;
            case kCodigoForCli:
                if (pass) break;
                UpdateComponents();
                SupplierCodeTyped();
                return Level::Benign;
            case kBuscaFornecedor:
                UpdateComponents();
                ChooseSupplier();
                return Level::Benign;
            case kData:
                UpdateComponents();
                rec_.DataEmissao = CorrigeDataPeriodo(rec_.DataEmissao);
                Remember();
                window().Display();
                break;
            case kProduto:
                UpdateComponents();
                ProductTyped(pass);
                return Level::Benign;
            case kBuscaProduto:
                UpdateComponents();
                ChooseProduct();
                return Level::Benign;
            case kCfo:
                UpdateComponents();
                CfoTyped();
                return Level::Benign;
            case kCompl:
                UpdateComponents();
                ComplementTyped();
                return Level::Benign;
            case kBuscaCfo:
                UpdateComponents();
                ChooseCfo();
                return Level::Benign;
            case kCfoCompl:
                if (pass) break;
                UpdateComponents();
                ComplementaryTyped();
                return Level::Benign;
            case kBuscaCfoCompl:
                UpdateComponents();
                ChooseComplementary();
                return Level::Benign;
            case kBaseReducao:
                UpdateComponents();
                BaseBeforeReduction();
                return Level::Benign;
            case kBase: case kCalculaIcms:
                UpdateComponents();
                ComputeIcms();
                return Level::Benign;
            case kMostraAliquota:
                UpdateComponents();
                ShowProductRate();
                return Level::Benign;
            case kContagem:
                UpdateComponents();
                ShowLineFields();
                if (!pass) window().Select(kCnpj);
                return Level::Benign;
            case kUnitario:
                UpdateComponents();
                if (!pass && contagem_ != 0 && unitario_ == 0) {  // a unit count of 0 ends the list
                    pacotes_ = 0;
                    window().Display();
                    window().Select(kQuantidade);
                    return Level::Benign;
                }
                break;
            case kMargem:
                UpdateComponents();
                if (!pass && contagem_ != 0) RecordLine();
                return Level::Benign;
            case kSerie: case kLote:
                UpdateComponents();
                Remember();
                break;
            default:
                break;
        }
        return ui::RegisterForm::OnAccepted(feq);
    }

    // D: the checks of OK, in order; false when one refused (its message shown, the focus on its
    // field). The questions' answers that the write needs are kept for it.
    bool Confirm() {
        const Request r = request();
        unitario_ = pacotes_ = 0;
        vlrProduto_ = margem_ = Decimal();
        window().Display();
        if (r != Request::Delete) {
            if (rec_.Numero == 0) return Refuse("Por favor informe o número da Nota Fiscal.", kNumero);
            if (rec_.Quantidade.value().is_zero()) return Refuse("Por favor informe a quantidade de produtos.", kQuantidade);
        }
        if (fiscal::CfoDeSaida(rec_.CFO))
            return Refuse("Você está fazendo um Lançamento de Entrada com um CFO de Saída!!!", kCfo);
        if (r == Request::Insert && EntradaRepetida(entradas0_, rec_)) {
            if (ui::Ask("Atenção!!! Já existe lançamento com a mesma Data, Número, Série, CFOP e Produto informado!!! "
                        "Deseja continuar???",
                        kAtencao, ui::Icon::Information, "&Não|&Sim") != "&Sim") {
                window().Select(kSerie);
                return false;
            }
        }
        if (r != Request::Delete && contagem_ != 0) {
            const Confirmacao c = linhas_.Confirm(r, Nota(), rec_.Quantidade);
            if (!c.continua) {
                rec_.Quantidade = c.contada;
                window().Display();
                window().Select(kQuantidade);
                return false;
            }
        }
        if (!fiscal::CfoDoPeriodo(rec_.CFO, shell::GLO_ANO.Get()))
            return Refuse("Atenção!!! O CFO selecionado não pode ser utilizado no período em questão!!!", kCfo);
        desvincular_ = false;
        if (r == Request::Delete && UltimaEntradaFornecedorProduto(entradas0_, rec_.Cnpj.clipped(), rec_.CodMercadoria)) {
            data::FileManager& vinculos = ui::ThreadFile(dictionary::ForCliQel());
            bool existe = false;
            if (vinculos.open().ok()) {
                existe = fiscal::VinculoExiste(vinculos, fornecedor_, rec_.CodMercadoria);
                (void)vinculos.close();
            }
            if (existe) {
                char ano[8];
                std::snprintf(ano, sizeof ano, "%04d", shell::GLO_ANO.Get());
                desvincular_ =
                    ui::Ask(std::string("Atenção! No ano de ") + ano +
                                " não foi encontrado outro lançamento com a combinação Produto/Fornecedor igual ao "
                                "lançamento selecionado. Deseja excluir esse fornecedor da lista de Fornecedores do Produto " +
                                rec_.CodMercadoria.value().to_fixed(0) + " ?",
                            "Alerta", ui::Icon::Exclamation, "&Sim|&Não") == "&Sim";
            }
        }
        return true;
    }

    // The write of D.6 to D.13 in one transaction: the month's balance mark, the supplier-product
    // link, the lot, the rate history, the deletion mark, the item itself and its invoice's counting
    // lines.
    bool Write(const std::function<bool()>& writeItem) {
        EntryTables t;
        if (!t.status().ok()) return Failed(t.status());
        const Request r = request();
        const date::Day competencia = date::make(shell::GLO_ANO.Get(), shell::GLO_MES.Get(), 1);
        EntradaVorelRec item = rec_;
        data::Result failed;
        {
            data::Transaction tx(t.All());
            if (!tx.status().ok()) return Failed(tx.status());
            failed = fiscal::MarcaSaldoDoMes(t.saldos, item.CodMercadoria, competencia, item.Aliquota,
                                             r == Request::Delete);
            if (failed.ok()) {
                if (r == Request::Delete) {
                    if (desvincular_)
                        failed = fiscal::DesvinculaFornecedorProduto(t.vinculos, fornecedor_, item.CodMercadoria);
                    if (failed.ok())
                        failed = fiscal::RegistraLote(t.lotes, item.Lote.clipped(), item.CodMercadoria,
                                                      fiscal::kLoteAtual);
                    if (failed.ok())
                        failed = fiscal::AtualizaHistoricoAliquota(item.CodMercadoria, item.DataEmissao, item.Aliquota);
                } else {
                    failed = fiscal::RegistraCadastrosDaEntrada(t.vinculos, t.lotes, item, fornecedor_);
                }
            }
            if (!failed.ok()) return Failed(failed);
            rec_ = item;  // the steps above used buffers of their own; the item's stays as typed
            if (!writeItem()) return false;  // the refusal has been shown; the transaction rolls back
            if (data::Result l = linhas_.Write(r, Nota()); !l.ok()) return Failed(l);
            if (data::Result c = tx.commit(); !c.ok()) return Failed(c);
        }
        ShowLines();
        if (r == Request::Insert) carry_ = rec_;  // with the supplier as found
        return true;
    }

private:
    bool Refuse(const std::string& message, int field) {
        ui::Message(message, kAtencao, ui::Icon::Question);
        window().Select(field);
        return false;
    }

    bool Failed(data::Result r) {
        ui::Message("O lançamento não foi gravado: " + ErroDeGravacao(r) + ". Nada foi gravado.", kAtencao,
                    ui::Icon::Exclamation);
        return false;
    }

    void StateList() {
        std::vector<std::string> items, values;
        std::vector<ui::Row> rows;
        data::FileManager& est = ui::ThreadFile(dictionary::Estados());
        auto& e = est.rec<EstadosRec>();
        est.clear_record();
        if (est.set(dictionary::keys::EST_KEY_SIGLA).ok())
            while (est.next().ok()) {
                items.push_back(text::to_utf8(e.UF.clipped()));
                values.push_back(items.back());
                rows.push_back({{items.back()}, {text::to_utf8(e.DESC.clipped())}});
            }
        window().DropList(kUf, ui::Use(rec_.Estado), items, values).ItemRows(rows).Tip("Estado do Fornecedor");
        window()[kUf].Columns({{"UF", 20, 'L'}, {"Descrição", 100, 'L'}});
    }

    // The values the next item of the batch starts with.
    void Remember() {
        if (!carry_.has_value()) carry_ = EntradaVorelRec{};
        carry_->Serie = rec_.Serie;
        carry_->DataEmissao = rec_.DataEmissao;
        carry_->CodMercadoria = rec_.CodMercadoria;
        carry_->CFO = rec_.CFO;
        carry_->Complemento = rec_.Complemento;
        carry_->CFOComplementar = rec_.CFOComplementar;
    }

    NotaFiscal Nota() const {
        return {rec_.DataEmissao, rec_.Numero, std::string(rec_.Serie.clipped()), std::string(rec_.Cnpj.clipped())};
    }

    void ShowLines() {
        std::vector<ui::Row> rows;
        for (const LinhaContagem& l : linhas_.lines())
            rows.push_back({{std::to_string(l.unitario)}, {std::to_string(l.quantidade)}, {ui::ShowDecimal(l.valor, 2)},
                            {ui::ShowDecimal(l.margem, 6)}});
        window()[kLinhas].Rows(std::move(rows));
    }

    // C.15: the line typed changes the item's quantity and base; the next line starts at its unit count.
    void RecordLine() {
        const Variacao v = linhas_.Record({unitario_, pacotes_, vlrProduto_, margem_});
        rec_.Quantidade = rec_.Quantidade.value() + v.quantidade;
        rec_.BaseICMS = rec_.BaseICMS.value() + v.base;
        ShowLines();
        window().Display();
        window().Select(kUnitario);
    }

    void ShowLineFields() {
        const bool on = contagem_ != 0 && request() != Request::View && request() != Request::Delete;
        for (int feq : {kUnitario, kPacotes, kVlrProduto, kMargem}) window()[feq].Enable(on);
    }

    // B.3: the invoice's total base, over its items of every product.
    void ShowInvoiceTotal() {
        Decimal total;
        if (request() != Request::Insert) {
            auto& e = entradas0_.rec<EntradaVorelRec>();
            const EntradaVorelRec item = rec_;
            entradas0_.clear_record();
            e.DataEmissao = item.DataEmissao;
            e.Numero = item.Numero;
            e.Serie = item.Serie;
            e.Cnpj = item.Cnpj;
            if (entradas0_.set_at(keys::ESPENT_KEY_RELACIONAMENTO).ok())
                while (entradas0_.next().ok() && e.DataEmissao == item.DataEmissao && e.Numero == item.Numero &&
                       e.Serie == item.Serie && e.Cnpj == item.Cnpj)
                    total += e.BaseICMS;
        }
        ui::Control& c = window()[kTotal];
        if (total.sign() > 0)
            c.Text("TOTAL BASE DE CÁLCULO ICMS ST NF Nº " + std::to_string(rec_.Numero) + " ( " +
                   text::to_utf8(picture::format("@n-15`2", total)) + " )")
                .Unhide();
        else
            c.Hide();
    }

    // B.4: the supplier of the item as stored.
    void ShowSupplier() {
        auto& f = forcli_.rec<ForCliRec>();
        bool found;
        if (rec_.CodigoForCli == 0) {
            forcli_.clear_record();
            f.CGC = rec_.Cnpj;
            found = forcli_.get(keys::FOR_KEY_CGC).ok() || FindByCgcAnyMark();
            if (found) rec_.Estado = f.Estado;
        } else {
            found = fiscal::LeFornecedorPorCodigo(forcli_, rec_.CodigoForCli);
            if (found) {
                rec_.Cnpj = f.CGC;
                rec_.Estado = f.Estado;
            }
        }
        if (!found) {
            forcli_.clear_record();
            if (rec_.CodigoForCli == 0 && request() != Request::Insert) rec_.Estado = "";
        }
        ShowSupplierName(found);
        fornecedor_ = found ? f.Codigo : 0;
    }

    // FOR:KEY:CGC holds the inactive mark too: the first record of the CNPJ, whatever its mark.
    bool FindByCgcAnyMark() {
        auto& f = forcli_.rec<ForCliRec>();
        const std::string cgc(rec_.Cnpj.clipped());
        forcli_.clear_record();
        f.CGC = cgc;
        if (!forcli_.set_at(keys::FOR_KEY_CGC).ok() || !forcli_.next().ok()) return false;
        return f.CGC.clipped() == cgc;
    }

    void ShowSupplierName(bool found) {
        const auto& f = forcli_.rec<ForCliRec>();
        window()[kNome].Text(found ? text::to_utf8(f.Nome.clipped()) : std::string());
        window()[kIe].Text(found ? text::to_utf8(f.InscricaoEstadual.clipped()) : std::string());
    }

    // The supplier taken into the item: CNPJ, code, state, name and registration.
    void TakeSupplier() {
        const auto& f = forcli_.rec<ForCliRec>();
        rec_.Cnpj = f.CGC;
        rec_.CodigoForCli = f.Codigo;
        rec_.Estado = f.Estado;
        fornecedor_ = f.Codigo;
        ShowSupplierName(true);
    }

    // C.1: the CNPJ as a 14-digit number, else the register code; neither: the look-up, with the
    // typed CNPJ handed over to the supplier form.
    void SupplierTyped() {
        const std::string typed(rec_.Cnpj.clipped());
        if (!LeFornecedorDigitado(forcli_, typed)) {
            (void)shell::EntregaCnpjAoCadastro(typed);
            ChooseSupplier();
            return;
        }
        TakeSupplier();
        window().Display();
    }

    // C.2: the register code typed.
    void SupplierCodeTyped() {
        if (rec_.CodigoForCli == 0) return;
        if (!fiscal::LeFornecedorPorCodigo(forcli_, rec_.CodigoForCli)) {
            ChooseSupplier();
            return;
        }
        TakeSupplier();
        window().Display();
    }

    // C.3: the supplier register to select.
    void ChooseSupplier() {
        if (!EscolheNoRegistro(context(), window(), "Fornecedores")) return;
        rec_.CodigoForCli = forcli_.rec<ForCliRec>().Codigo;
        SupplierCodeTyped();
    }

    // B.5: the description of the stored product.
    void ShowProduct() {
        (void)fiscal::LeProdutoPorCodigo(produtos_, rec_.CodMercadoria);
        window()[kDescricao].Text(text::to_utf8(produtos_.rec<ProdutosRec>().Produtos.clipped()));
        ShowReduction();
    }

    void ShowReduction() {
        const auto& p = produtos_.rec<ProdutosRec>();
        const bool reduz = !p.AliqReducao.value().is_zero();
        for (int feq : {kPromptBaseReducao, kBaseReducao, kPromptPercReducao, kPercReducao}) window()[feq].Hide(!reduz);
        window()[kPercReducao].Text(reduz ? ui::ShowDecimal(p.AliqReducao, 4) : std::string());
    }

    // C.5: the product by code or user code; its rate, its reference value and the base of origin.
    void ProductTyped(bool pass) {
        Remember();
        if (!fiscal::LeProduto(produtos_, rec_.CodMercadoria)) {
            ChooseProduct();
            return;
        }
        const auto& p = produtos_.rec<ProdutosRec>();
        rec_.CodMercadoria = p.Codigo;
        Remember();
        window()[kDescricao].Text(text::to_utf8(p.Produtos.clipped()));
        ShowReduction();
        if (rec_.Aliquota.value().is_zero()) rec_.Aliquota = p.Alicota;
        if (!pass) {
            if (std::optional<Decimal> valor = ReferenceValue()) rec_.BaseICMS = *valor * rec_.Quantidade;
        }
        LookBack();
        window().Display();
    }

    // The product's reference value of the latest month not after the item's date (nothing when
    // there is none, or it is 0).
    std::optional<Decimal> ReferenceValue() {
        auto& v = valores_.rec<TabValorIndProdutoRec>();
        valores_.clear_record();
        v.CODPRODUTO = rec_.CodMercadoria;
        v.COMPETENCIA = rec_.DataEmissao;
        if (!valores_.set_at(keys::TVP_KEY_COMPPRODUTO).ok() || !valores_.previous().ok()) return std::nullopt;
        if (static_cast<const Decimal&>(v.CODPRODUTO) != rec_.CodMercadoria.value() || v.VALOR.value().is_zero())
            return std::nullopt;
        return v.VALOR.value();
    }

    // C.6: the product register to select.
    void ChooseProduct() {
        if (!EscolheNoRegistro(context(), window(), "Produtos")) return;
        rec_.CodMercadoria = produtos_.rec<ProdutosRec>().Codigo;
        ProductTyped(false);
    }

    void ShowOriginInvoice() {
        const bool devolucao = fiscal::CfoDeDevolucao(rec_.CFO);
        window()[kPromptNfOrigem].Hide(!devolucao);
        window()[kNfOrigem].Hide(!devolucao);
    }

    // C.7
    void CfoTyped() {
        ShowOriginInvoice();
        Remember();
        LookBack();
        window().Display();
    }

    // C.8: the code and complement must be registered. One that is not is said so and the register
    // opens at the nearest code; the typed code changes only when the user picks one, and when none
    // is picked the code keeps the focus (OK's pass stops there: nothing is saved with it).
    void ComplementTyped() {
        Remember();
        if (ConfereCfoDigitado(context(), window(), kCfo, cfo_, rec_.CFO, rec_.Complemento) == CfoDigitado::Escolhido)
            TakeCfo();
    }

    // C.9
    void ChooseCfo() {
        if (!EscolheNoRegistro(context(), window(), "CFO")) return;
        TakeCfo();
    }

    void TakeCfo() {
        const auto& c = cfo_.rec<CFORec>();
        rec_.CFO = static_cast<std::uint16_t>(c.CODIGO);
        rec_.Complemento = c.COMPLEMENTO;
        CfoTyped();
    }

    // C.10
    void ComplementaryTyped() {
        if (rec_.CFOComplementar == 0) return;
        auto& c = complementar_.rec<CodCFOComplementarRec>();
        complementar_.clear_record();
        c.CODIGO = rec_.CFOComplementar;
        if (complementar_.get(keys::CCF_KEY_CODIGO).ok()) {
            Remember();
            return;
        }
        ChooseComplementary();
    }

    void ChooseComplementary() {
        if (context().Call("CFOComplementar", Request::Select) != Response::Completed) {
            window().Select(kCfoCompl);
            return;
        }
        rec_.CFOComplementar = complementar_.rec<CodCFOComplementarRec>().CODIGO;
        Remember();
        window().Display();
    }

    // C.11
    void BaseBeforeReduction() {
        if (rec_.BaseAntReducao.value().sign() <= 0) return;
        const Decimal antes = rec_.BaseAntReducao;
        rec_.BaseICMS = antes - antes * produtos_.rec<ProdutosRec>().AliqReducao.value() / Decimal(100);
        LookBack();
        ComputeIcms();
    }

    // C.12
    void ComputeIcms() {
        rec_.ValorICMS = rec_.BaseICMS.value() * rec_.Aliquota.value() / Decimal(100);
        window().Display();
    }

    // C.13
    void ShowProductRate() {
        date::Day dia = rec_.DataEmissao;
        const Decimal aliquota = shell::AliquotaProdutoData(rec_.CodMercadoria, dia, 0);
        ui::Message(ui::ShowDecimal(aliquota, 3));
    }

    // E: a CFOP 1409 item without a base takes it from an earlier 1403/2403 entry of the product.
    void LookBack() {
        if (!rec_.BaseICMS.value().is_zero() || rec_.CFO != 1409) return;
        const BaseOrigem b =
            ProcuraBaseOrigem(entradas0_, shell::GLO_EMPRESA_CODIGO.Get(), shell::GLO_ANO.Get(), rec_.CodMercadoria,
                              rec_.DataEmissao, rec_.Quantidade);
        rec_.BaseICMS = b.base;
        rec_.BaseICMSPropria = b.basePropria;
    }

    EntryAccess access_;
    EntradaVorelRec& rec_;
    data::FileManager& forcli_;
    data::FileManager& produtos_;
    data::FileManager& cfo_;
    data::FileManager& complementar_;
    data::FileManager& valores_;
    data::FileManager& entradas0_;
    std::uint8_t contagem_ = 0;
    std::uint32_t unitario_ = 0, pacotes_ = 0;
    Decimal vlrProduto_, margem_;
    CountingLines linhas_{Procedencia::Entrada};
    std::optional<EntradaVorelRec> carry_;  // the values last accepted, for the next item
    std::uint32_t fornecedor_ = 0;          // the register code of the supplier on screen
    bool desvincular_ = false;              // the delete also drops the supplier-product link
};

bool EntryAccess::Insert() { return form_.Confirm() && form_.Write([this] { return ui::TableAccess::Insert(); }); }
bool EntryAccess::Update() { return form_.Confirm() && form_.Write([this] { return ui::TableAccess::Update(); }); }
bool EntryAccess::Delete() { return form_.Confirm() && form_.Write([this] { return ui::TableAccess::Delete(); }); }

}  // namespace

void RunEntradasForm(ProcContext& ctx) { UEntradasForm(ctx).Execute(); }

}  // namespace vorel::movements
