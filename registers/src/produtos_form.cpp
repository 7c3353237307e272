// Form "UProdutos": window "Cadastro de Produtos" over one record of table Produtos (code, user
// code, description, unit, validity dates, reduction, rate, quantity, NCM) with three dependent
// lists on tabs of the same sheet: the product's suppliers (ForCliQel, form UForCliQel), batches
// (LoteVorel, form ULoteVorel) and rate history (ProdutosAliq, form UProdutoAliquotas). Every save
// stores PRO:TipoReceita 1. A delete takes the product's rates with it (the table's relation); its
// supplier links and batches stay. Tables: Produtos (written), ProdutosAliq, ForCli, ForCliQel,
// LoteVorel.
#include <array>
#include <memory>

#include "vorel/core/date.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/range_source.h"
#include "vorel/ui/register_window.h"

namespace vorel::registers {

namespace {

using dictionary::ForCliQelRec;
using dictionary::ForCliRec;
using dictionary::LoteVorelRec;
using dictionary::ProdutosAliqRec;
using dictionary::ProdutosRec;

class ProdutosForm : public ui::RegisterForm {
public:
    enum : int {
        kHeading = 1, kSheet, kTabCadastro, kPromptCodigo, kCodigo, kPromptApelido, kApelido, kPromptProduto, kProduto,
        kPromptMedida, kMedida, kPromptInicio, kInicio, kPromptFinal, kFinal, kPromptReducao, kReducao, kPromptAliquota,
        kAliquota, kPromptSaldo, kSaldo, kPromptNcm, kNcm,
        kTabFornecedores, kHeadFornecedores, kListFornecedores, kFornInsert, kFornChange, kFornDelete,
        kTabLote, kHeadLote, kListLote, kLoteInsert, kLoteChange, kLoteDelete,
        kTabAliquotas, kListAliquotas, kAliqInsert, kAliqChange, kAliqDelete,
        kOk, kCancel
    };
    enum List : int { kSuppliers = 0, kBatches, kRates };

    explicit ProdutosForm(ProcContext& ctx)
        : ui::RegisterForm(ctx, "UProdutos", "Cadastro de Produtos", dictionary::Produtos(),
                       {"Inclui Novo Produto", "Altera Cadastro do Produto", "Exclui Cadastro do Produto"}),
          rec_(file().rec<ProdutosRec>()),
          forcli_(ui::ThreadFile(dictionary::ForCli())),
          qel_(ui::ThreadFile(dictionary::ForCliQel())),
          lote_(ui::ThreadFile(dictionary::LoteVorel())),
          aliq_(ui::ThreadFile(dictionary::ProdutosAliq())),
          qelRec_(qel_.rec<ForCliQelRec>()),
          loteRec_(lote_.rec<LoteVorelRec>()),
          aliqRec_(aliq_.rec<ProdutosAliqRec>()) {}

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        if (!AlsoOpen({&dictionary::ProdutosAliq(), &dictionary::ForCli(), &dictionary::ForCliQel(),
                       &dictionary::LoteVorel()}))
            return Level::Cancel;
        ui::Window& w = window();
        w.String(kHeading, "Produtos");
        w.Sheet(kSheet);
        w.Tab(kTabCadastro, kSheet, "Cadastro");
        auto field = [&](int prompt, const char* text, int feq, ui::UsePtr use, const char* picture, const char* tip) {
            w.Prompt(prompt, text).Parent(kTabCadastro);
            w.Entry(feq, std::move(use), picture).Parent(kTabCadastro).Tip(tip);
        };
        field(kPromptCodigo, "01 Código........................", kCodigo, ui::UseDecimal(rec_.Codigo, 0), "@N20",
              "Código do Produto");
        field(kPromptApelido, "02 Apelido........................", kApelido, ui::Use(rec_.Apelido), "@s20",
              "Código do produto estabelecido pelo usuário");
        field(kPromptProduto, "03 Produto......................", kProduto, ui::Use(rec_.Produtos), "@s100",
              "Descrição de Produtos Cadastrados");
        field(kPromptMedida, "04 Unidade de Medida....", kMedida, ui::Use(rec_.Medida), "@s3",
              "Unidade de Medida do Produto");
        field(kPromptInicio, "05 Data Inicial.............", kInicio, ui::UseDate(rec_.DataInicio, "@D06b"), "@D06b",
              "Data Inicial de Veigência da Alíquota");
        field(kPromptFinal, "06 Data Final......................", kFinal, ui::UseDate(rec_.DataFinal, "@D06b"), "@D06b",
              "Data Final da Vigência da Alíquota");
        field(kPromptReducao, "07 Alíq. Redução.......", kReducao, ui::UseDecimal(rec_.AliqReducao, 4), "@n-9.4",
              "Alíquota de Redução da Base de Cálculo");
        field(kPromptAliquota, "08 Alíquota.......................", kAliquota, ui::UseDecimal(rec_.Alicota, 3), "@n-8.3",
              "Alícota de ICMS Substituíção Tributária");
        field(kPromptSaldo, "09 Qtde Produtos.........", kSaldo, ui::UseDecimal(rec_.Saldo, 3), "@n-16.3",
              "Quantidade de Produtos");
        field(kPromptNcm, "10 NCM............................", kNcm, ui::UseKeyIn(rec_.NCM, "@p####.##.##p"),
              "@p####.##.##p", "Código NCM");

        w.Tab(kTabFornecedores, kSheet, "Fornecedores");
        w.String(kHeadFornecedores, "Fornecedores do Produto selecionado").Parent(kTabFornecedores);
        w.List(kListFornecedores).Parent(kTabFornecedores);
        w.Button(kFornInsert, "  &Inclui").Parent(kTabFornecedores);
        w.Button(kFornChange, "  &Alterar").Parent(kTabFornecedores);
        w.Button(kFornDelete, "  &Exclui").Parent(kTabFornecedores);
        w.Tab(kTabLote, kSheet, "Lote");
        w.String(kHeadLote, "Lotes do Produto selecionado").Parent(kTabLote);
        w.List(kListLote).Parent(kTabLote);
        w.Button(kLoteInsert, "  &Incluir").Parent(kTabLote);
        w.Button(kLoteChange, "  &Alterar").Parent(kTabLote);
        w.Button(kLoteDelete, "  &Excluir").Parent(kTabLote);
        w.Tab(kTabAliquotas, kSheet, "Alíquotas");
        w.List(kListAliquotas).Parent(kTabAliquotas);
        w.Button(kAliqInsert, "&Incluir").Parent(kTabAliquotas);
        w.Button(kAliqChange, "&Alterar").Parent(kTabAliquotas);
        w.Button(kAliqDelete, "&Excluir").Parent(kTabAliquotas);

        w.Button(kOk, "&OK").Tip("Confirma Inclusão de Produto");
        w.Button(kCancel, "&Cancela").Tip("Cancela e Retorna a Tela Anterior");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory({kCodigo, kApelido, kProduto, kMedida, kInicio, kFinal, kReducao, kAliquota, kSaldo, kNcm});
        LinkField(kCodigo, file().desc().field_index("PRO:Codigo"));
        DisableOnDelete({kCodigo, kProduto, kMedida, kInicio, kFinal, kAliquota});
        OkOnChange({"&Grava", "Grava Alteração do Cadastro de Produtos", "Grava Alteração do Cadastro de Produtos"});
        OkOnDelete({"&Exclui", "Exclui Cadastro de Produtos", "Exclui Cadastro de Produtos"});
        ExcludeFromNavigation({kFornInsert, kFornChange, kFornDelete, kLoteInsert, kLoteChange, kLoteDelete,
                               kAliqInsert, kAliqChange, kAliqDelete, kOk, kCancel});
        SetUpLists();
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Level l = ui::RegisterForm::OnWindowOpened();
        rec_.TipoReceita = 1;  // "1-Revenda de Mercadorias", stored by every save
        return l;
    }

    Level TakeEvent(const ui::Event& e) override {
        // The OK button's pass over the controls must not open the lists' forms.
        if (window().acceptAll) return ui::RegisterForm::TakeEvent(e);
        for (std::size_t i = 0; i < lists_.size(); ++i) {
            active_ = static_cast<int>(i);
            if (lists_[i]->TakeEvent(e) == ui::kHandled) return ui::kHandled;
        }
        return ui::RegisterForm::TakeEvent(e);
    }

    // The lists' update forms, with the new record's product primed from this product.
    Response CallProcedure(int, Request r) override {
        if (request() == Request::View) return Response::Cancelled;
        static constexpr std::array<const char*, 3> kForms{"UForCliQel", "ULoteVorel", "UProdutoAliquotas"};
        return context().Call(kForms[static_cast<std::size_t>(active_)], r);
    }

private:
    static std::string ShowDate(date::Day d) { return d == 0 ? std::string() : ui::FormatNumber("@d06b", d); }
    bool SameProduct(const Decimal& v) const { return v == static_cast<const Decimal&>(rec_.Codigo); }

    void SetUpLists() {
        const bool update = request() != Request::View;
        // Suppliers: the supplier's name, blank when no active supplier has the code.
        auto& forn = AddList(kListFornecedores, qel_, dictionary::keys::FCC_KEY_PRODFOR,
                             [this] { qelRec_.CODPROD = rec_.Codigo; },
                             [this] { return SameProduct(qelRec_.CODPROD); });
        forn.AddColumn({"Código Fornecedor", 66, 'R', [this] { return std::to_string(qelRec_.CODFOR); }});
        forn.AddColumn({"Razão Social / Nome Fornecedor", 200, 'L', [this] { return SupplierName(); }});
        if (update) Buttons(forn, kFornInsert, kFornChange, kFornDelete);

        auto& lotes = AddList(kListLote, lote_, dictionary::keys::LTC_KEY_PRODLOTE, [this] { loteRec_.CODPRODUTO = rec_.Codigo; },
                              [this] { return SameProduct(loteRec_.CODPRODUTO); });
        lotes.AddColumn({"Lote", 80, 'L', [this] { return text::to_utf8(loteRec_.LOTE.clipped()); }});
        lotes.AddColumn({"Tipo", 80, 'L', [this] { return std::string(loteRec_.TIPO != 0 ? "Atual" : "Anterior"); }});
        if (update) Buttons(lotes, kLoteInsert, kLoteChange, kLoteDelete);

        auto& aliqs = AddList(kListAliquotas, aliq_, dictionary::keys::PALIQ_KEY_CODIGOPRODUTO,
                              [this] { aliqRec_.CODIGO_PRODUTO = rec_.Codigo; },
                              [this] { return SameProduct(aliqRec_.CODIGO_PRODUTO); });
        aliqs.AddColumn({"Código", 35, 'R', [this] { return aliqRec_.CODIGO.to_string(); }});
        aliqs.AddColumn({"Alíquota", 40, 'R', [this] { return aliqRec_.ALIQUOTA.to_string(); }});
        aliqs.AddColumn({"Data Inicial", 50, 'C', [this] { return ShowDate(aliqRec_.DATA_INICIAL); }});
        aliqs.AddColumn({"Data Final", 50, 'C', [this] { return ShowDate(aliqRec_.DATA_FINAL); }});
        aliqs.AddColumn({"Data Alteração", 50, 'C', [this] { return ShowDate(aliqRec_.DATA_ALTERACAO); }});
        if (update) Buttons(aliqs, kAliqInsert, kAliqChange, kAliqDelete);
    }

    ui::BrowseManager& AddList(int listFeq, data::FileManager& table, data::KeyName key, std::function<void()> prime,
                               std::function<bool()> inRange) {
        sources_.push_back(std::make_unique<ui::RangeSource>(table, std::move(prime), std::move(inRange)));
        lists_.push_back(std::make_unique<ui::BrowseManager>(*this, *sources_.back()));
        ui::BrowseManager& b = *lists_.back();
        b.SetList(listFeq);
        b.AddSortOrder({table.desc().key_index(key), 0, false, {}});
        return b;
    }

    static void Buttons(ui::BrowseManager& b, int insert, int change, int del) {
        b.SetInsertButton(insert);
        b.SetChangeButton(change);
        b.SetDeleteButton(del);
    }

    std::string SupplierName() {
        auto& f = forcli_.rec<ForCliRec>();
        forcli_.clear_record();
        f.Codigo = qelRec_.CODFOR;
        f.Inativo = 0;
        if (forcli_.get(dictionary::keys::FOR_KEY_CODIGO) != data::kNoError) return {};
        return text::to_utf8(f.Nome.clipped());
    }

    ProdutosRec& rec_;
    data::FileManager& forcli_;
    data::FileManager& qel_;
    data::FileManager& lote_;
    data::FileManager& aliq_;
    ForCliQelRec& qelRec_;
    LoteVorelRec& loteRec_;
    ProdutosAliqRec& aliqRec_;
    std::vector<std::unique_ptr<ui::RangeSource>> sources_;
    std::vector<std::unique_ptr<ui::BrowseManager>> lists_;
    int active_ = 0;
};

}  // namespace

void RunProdutosForm(ProcContext& ctx) { ProdutosForm(ctx).Execute(); }

}  // namespace vorel::registers
