// Window "CadastroValorUnitSaida": "Cadastro dos Valores Unitários para Saídas", the exit unit values
// of the working company's products (table TabelaValorProdutoSaida: product, date, value). One
// window lists them by product and date and edits them in the entries above the list; an insert
// of a pair that exists asks to save it as a change, a change of a pair that does not exist asks to
// save it as an insert. The product is typed as its code or its user code (PRO:Apelido). Tables:
// TabelaValorProdutoSaida (written), Produtos.
#include "vorel/core/date.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/error.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/registers/procedures.h"
#include "unit_value_window.h"
#include "vorel/ui/register_window.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/runtime.h"

namespace vorel::registers {

namespace {

using dictionary::ProdutosRec;
using dictionary::TabelaValorProdutoSaidaRec;

class CadastroValorUnitSaida : public UnitValueWindow {
public:
    enum : int {
        kPromptData = 1, kData, kPromptProduto, kProduto, kBusca, kDescricao, kPromptValor, kValor, kGrava, kCancela,
        kList, kInclui, kAltera, kExclui, kFecha, kAjuda
    };

    explicit CadastroValorUnitSaida(ProcContext& ctx)
        : UnitValueWindow(ctx, "CadastroValorUnitSaida", "Cadastro dos Valores Unitários para Saídas", dictionary::TabelaValorProdutoSaida()),
          rec_(file().rec<TabelaValorProdutoSaidaRec>()) {
        InsertAndDeleteKeys(kList, kInclui, kExclui);
        EditingControls({kData, kProduto, kValor, kDescricao, kBusca, kGrava, kCancela}, kCancela, kBusca);
        NoResizer();
    }

    Level Build(ui::Window& w) override {
        w.Prompt(kPromptData, "Data...");
        w.Entry(kData, data_, "@d06b").Tip("Data do Lançamento");
        w.Prompt(kPromptProduto, "Cód. Produto....");
        w.Entry(kProduto, ui::Use(produtoTexto_), "@s20").Tip("Código do Produto");
        w.Button(kBusca, "").Icon("search");
        w.Entry(kDescricao, ui::Use(descricao_), "@s30");
        w.Prompt(kPromptValor, "Valor...");
        w.Entry(kValor, ui::UseDecimal(valor_, 11, 2), "@n-15.2").Tip("Valor do produto");
        w.Button(kGrava, "&Grava");
        w.Button(kCancela, "&Cancela");
        w.List(kList).Alert(ui::key::Insert)
            .Alert(ui::key::Delete);
        w.Button(kInclui, "&Inclui").Tip("Inclui novo produto.");
        w.Button(kAltera, "Al&tera").Tip("Altera cadastro selecionado.");
        w.Button(kExclui, "&Exclui").Tip("Exclui cadastro selecionado.");
        w.Button(kFecha, "&Fecha").Tip("Fecha.");
        w.Button(kAjuda, "&Ajuda").Tip("Ajuda.");

        ui::BrowseManager& b = browse();
        b.SetList(kList);
        b.AddColumn({"Data", 40, 'C', [this] { return DayText(rec_.DATA); }});
        b.AddColumn({"Código do Produto", 66, 'R', [this] { return rec_.CODPRODUTO.to_string(); }});
        b.AddColumn({"Descrição do Produto", 120, 'L', [this] { return Curta(DescricaoProduto(rec_.CODPRODUTO)); }});
        b.AddColumn({"Valor", 60, 'R', [this] { return ui::ShowDecimal(rec_.VALOR, 2); }});
        b.AddSortOrder({file().desc().key_index(dictionary::keys::TVPS_KEY_DATAPRODUTO), 0, false, {}});
        SetCloseButton(kFecha);
        ExcludeFromNavigation({kBusca, kGrava, kCancela, kInclui, kAltera, kExclui, kFecha, kAjuda});
        return Level::Benign;
    }

    Level DispatchEvent(const ui::Event& e) override {
        Level l = UnitValueWindow::DispatchEvent(e);
        // Leaving the product entry always runs its check.
        if (hasWindow() && e.feq == kProduto && e.code == ui::event::Selected) window()[kProduto].Touched();
        return l;
    }

    Level OnAccepted(int feq) override {
        ui::Window& w = window();
        switch (feq) {
            case kInclui:
                acao_ = kIncluir;
                Enable({kData, kProduto, kValor, kDescricao, kBusca, kGrava, kCancela}, true);
                data_ = 0;
                produtoTexto_.clear();
                valor_ = Decimal(0);
                descricao_.clear();
                w.Display();
                w.Select(kData);
                return ui::kHandled;
            case kAltera:
                acao_ = kAlterar;
                Enable({kValor, kDescricao, kGrava, kCancela}, true);
                w.Select(kValor);
                return ui::kHandled;
            case kExclui:
                acao_ = kExcluir;
                Enable({kGrava, kCancela}, true);
                w.Select(kGrava);
                return ui::kHandled;
            case kGrava:
                UpdateComponents();
                Grava();
                return ui::kHandled;
            case kProduto: {
                Level l = UnitValueWindow::OnAccepted(feq);
                ProdutoDigitado();
                return l;
            }
            default:
                return UnitValueWindow::OnAccepted(feq);
        }
    }

private:
    void ShowRecord() override {
        data_ = rec_.DATA;
        produtoTexto_ = rec_.CODPRODUTO.to_string();
        valor_ = rec_.VALOR;
        descricao_ = Curta(DescricaoProduto(rec_.CODPRODUTO));
    }

    void ProductChosen() override {
        produtoTexto_ = produto_.Codigo.to_string();
        descricao_ = Curta(std::string(produto_.Produtos.clipped()));
        window().Display();
        window().Select(kProduto);
    }

    // The product typed as its code, else as its user code; neither opens the product browse.
    void ProdutoDigitado() {
        ui::Window& w = window();
        std::string typed = produtoTexto_;
        while (!typed.empty() && typed.back() == ' ') typed.pop_back();
        if (typed.empty()) {
            w.Post(ui::event::Accepted, kBusca);
            return;
        }
        bool found = false;
        if (std::optional<Decimal> n = ui::ParseTypedDecimal(typed); n && n->fits(15, 0)) {
            pro_.clear_record();
            produto_.Codigo = *n;
            found = pro_.get(dictionary::keys::PRO_KEY_CODIGO) == data::kNoError && static_cast<const Decimal&>(produto_.Codigo) == *n;
        }
        if (!found) {
            pro_.clear_record();
            produto_.Apelido = text::from_utf8(typed);
            found = pro_.get(dictionary::keys::PRO_Key_Apelido) == data::kNoError;
            if (found) produtoTexto_ = produto_.Codigo.to_string();
        }
        if (!found) {
            w.Post(ui::event::Accepted, kBusca);
            return;
        }
        descricao_ = Curta(std::string(produto_.Produtos.clipped()));
        w.Display();
    }


    // A description as the window shows it: its first 30 characters.
    static std::string Curta(const std::string& descricao) { return text::to_utf8(descricao.substr(0, 30)); }

    Decimal CodigoDigitado() const {
        std::optional<Decimal> n = ui::ParseTypedDecimal(produtoTexto_);
        return n && n->fits(15, 0) ? n->cut(0) : Decimal(0);
    }

    bool Pergunta(const std::string& texto) {
        return ui::Ask(texto, "Atenção!!!", ui::Icon::Question, "&Não|&Sim") == "&Sim";
    }

    void Grava() {
        ui::Window& w = window();
        const Decimal codigo = CodigoDigitado();
        file().clear_record();
        rec_.DATA = data_;
        rec_.CODPRODUTO = codigo;
        const bool existe = file().get(dictionary::keys::TVPS_KEY_DATAPRODUTO) == data::kNoError;
        data::Result rc;
        switch (acao_) {
            case kIncluir:
                rec_.VALOR = valor_;
                if (!existe) {
                    rc = file().add();
                } else {
                    if (!Pergunta("Atenção!!! Já existe lançamento com a data e produto informado!!! Deseja Grava como "
                                  "alteração???")) {
                        w.Select(kData);
                        return;
                    }
                    rc = file().put();
                }
                w.Select(kData);
                break;
            case kAlterar:
                rec_.VALOR = valor_;
                if (existe) {
                    rc = file().put();
                } else {
                    if (!Pergunta("Atenção!!! Não existe lançamento com a data e produto informado!!! Deseja Grava "
                                  "como inclusão???")) {
                        w.Select(kValor);
                        return;
                    }
                    rc = file().add();
                }
                FocusList();
                break;
            case kExcluir:
                if (!existe) {
                    ui::Message("Atenção!!! Não existe lançamento com a data e produto informado!!!", "Atenção!!!",
                                ui::Icon::Question, "&OK");
                } else if (Pergunta("Atenção!!! Confirma exlcusão do lançamento selecionado???")) {
                    rc = file().remove();
                }
                FocusList();
                break;
            default:
                break;
        }
        if (!rc.ok()) FalhaAoGravar(rc);
        // The list again, at the date and product typed.
        file().clear_record();
        rec_.DATA = data_;
        rec_.CODPRODUTO = codigo;
        (void)file().set_at(dictionary::keys::TVPS_KEY_DATAPRODUTO);
        if (file().next() == data::kNoError) browse().ResetTo(file().position().id);
        else browse().ResetToTop();
        if (acao_ != kIncluir) ListFocused();
    }

    TabelaValorProdutoSaidaRec& rec_;
    date::Day data_ = 0;
    std::string produtoTexto_;  // UTF-8, as typed
    std::string descricao_;
    Decimal valor_;
};

}  // namespace

void RunCadastroValorUnitSaida(ProcContext& ctx) { CadastroValorUnitSaida(ctx).Execute(); }

}  // namespace vorel::registers
