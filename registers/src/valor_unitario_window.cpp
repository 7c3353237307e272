// Window "ValorUnitario": "Cadastro de valores unitário dos produtos", the entry unit values of the
// working company's products (table TabValorIndProduto: product, date of validity, value). One
// window lists the values by product and date and edits them in the entries above the list: an
// insert refuses a pair that exists and a value of 0; a change, allowed only for a value of the
// working month, changes the value alone; a delete removes the pair. Tables: TabValorIndProduto
// (written), Produtos (the description; the product browse for the search button).
#include "vorel/core/date.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/error.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/registers/procedures.h"
#include "unit_value_window.h"
#include "vorel/ui/register_window.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/runtime.h"

namespace vorel::registers {

namespace {

using dictionary::ProdutosRec;
using dictionary::TabValorIndProdutoRec;

class ValorUnitario : public UnitValueWindow {
public:
    enum : int {
        kGroup = 1, kPromptData, kData, kPromptProduto, kProduto, kBusca, kDescricao, kPromptValor, kValor, kOk,
        kCancela, kList, kInclui, kAltera, kExclui, kFecha, kAjuda
    };

    explicit ValorUnitario(ProcContext& ctx)
        : UnitValueWindow(ctx, "ValorUnitario", "Cadastro de valores unitário dos produtos",
                          dictionary::TabValorIndProduto()),
          rec_(file().rec<TabValorIndProdutoRec>()) {
        InsertAndDeleteKeys(kList, kInclui, kExclui);
        EditingControls({kGroup, kPromptData, kData, kPromptProduto, kProduto, kBusca, kDescricao, kPromptValor, kValor,
                         kOk, kCancela},
                        kCancela, kBusca);
    }

    Level Build(ui::Window& w) override {
        w.Add(kGroup, ui::ControlType::Group);
        w.Prompt(kPromptData, "01 Data").Parent(kGroup);
        w.Entry(kData, data_, "@d06b").Parent(kGroup).Tip("Data Inicial de Vigência.");
        w.Prompt(kPromptProduto, "02 Produto").Parent(kGroup);
        w.Entry(kProduto, ui::UseDecimal(codProduto_, 15, 0), "@N-19.").Parent(kGroup).Tip("Código do Produto");
        w.Button(kBusca, "").Parent(kGroup).Icon("search").Tip("Pesquisa produtos cadastrados.");
        w.Entry(kDescricao, ui::Use(produto_.Produtos), "@s100").Parent(kGroup).ReadOnly();
        w.Prompt(kPromptValor, "03 V. Unitário S Tributária").Parent(kGroup);
        w.Entry(kValor, ui::UseDecimal(valor_, 15, 5), "@n-20.5").Parent(kGroup).Tip("Valor de Susbstituição Tributária");
        w.Button(kOk, "&OK").Parent(kGroup);
        w.Button(kCancela, "&Cancela").Parent(kGroup);
        w.List(kList).Tip("Cadastro de Valores Unitários.")
            .Alert(ui::key::Insert)
            .Alert(ui::key::Delete);
        w.Button(kInclui, "&Inclui").Tip("Inclui novo registro.");
        w.Button(kAltera, "&Altera").Tip("Altera registro selecionado.");
        w.Button(kExclui, "&Exclui").Tip("Exclui registro selecionado.");
        w.Button(kFecha, "&Fecha").Tip("Fecha.");
        w.Button(kAjuda, "&Ajuda");

        ui::BrowseManager& b = browse();
        b.SetList(kList);
        b.AddColumn({"Competência", 47, 'R', [this] { return DayText(rec_.COMPETENCIA); }});
        b.AddColumn({"Código do Produto", 70, 'R', [this] { return rec_.CODPRODUTO.to_string(); }});
        b.AddColumn({"Descrição do Produto", 185, 'L', [this] {
            return text::to_utf8(DescricaoProduto(rec_.CODPRODUTO));
        }});
        b.AddColumn({"Valor", 80, 'R', [this] { return ui::ShowDecimal(rec_.VALOR, 5); }});
        b.AddSortOrder({file().desc().key_index(dictionary::keys::TVP_KEY_COMPPRODUTO), 0, false, {}});
        SetCloseButton(kFecha);
        ExcludeFromNavigation({kBusca, kOk, kCancela, kInclui, kAltera, kExclui, kFecha, kAjuda});
        return Level::Benign;
    }


    Level OnAccepted(int feq) override {
        ui::Window& w = window();
        switch (feq) {
            case kInclui:
                Enable({kGroup, kData, kProduto, kBusca, kValor, kOk, kCancela}, true);
                acao_ = kIncluir;
                pro_.clear_record();
                codProduto_ = Decimal(0);
                valor_ = Decimal(0);
                data_ = date::today();
                w.Display();
                w.Select(kData);
                return ui::kHandled;
            case kAltera: {
                if (!browse().FetchHighlighted()) return ui::kHandled;
                const date::Day c = rec_.COMPETENCIA;
                if (date::month(c) != shell::GLO_MES.Get() || date::year(c) != shell::GLO_ANO.Get())
                    return ui::kHandled;  // only a value of the working month changes
                Enable({kGroup, kValor, kOk, kCancela}, true);
                Enable({kProduto, kBusca, kData}, false);
                acao_ = kAlterar;
                w.Select(kValor);
                return ui::kHandled;
            }
            case kExclui:
                Enable({kGroup, kOk, kCancela}, true);
                Enable({kProduto, kBusca, kValor, kData}, false);
                acao_ = kExcluir;
                w.Select(kOk);
                return ui::kHandled;
            case kOk:
                UpdateComponents();
                Grava();
                return ui::kHandled;
            case kProduto: {
                Level l = UnitValueWindow::OnAccepted(feq);
                if (!FindProduct()) {
                    w.Post(ui::event::Accepted, kBusca);
                    w.Select(kProduto);
                    return ui::kHandled;
                }
                w.Display();
                return l;
            }
            default:
                return UnitValueWindow::OnAccepted(feq);
        }
    }

private:
    void ShowRecord() override {
        data_ = rec_.COMPETENCIA;
        codProduto_ = rec_.CODPRODUTO;
        valor_ = rec_.VALOR;
        if (!FindProduct()) pro_.clear_record();
    }

    void ProductChosen() override {
        codProduto_ = produto_.Codigo;
        window().Display();
    }

    bool FindProduct() {
        pro_.clear_record();
        produto_.Codigo = codProduto_;
        return pro_.get(dictionary::keys::PRO_KEY_CODIGO) == data::kNoError;
    }


    void Aviso(const std::string& fim, int focus) {
        ui::Message("Atenção!!! Produto " + codProduto_.to_string() + " , competência " + DayText(data_) + fim,
                    "Atenção!!!", ui::Icon::Exclamation, "&OK");
        window().Select(focus);
    }

    void Grava() {
        ui::Window& w = window();
        file().clear_record();
        rec_.COMPETENCIA = data_;
        rec_.CODPRODUTO = codProduto_;
        const bool existe = file().get(dictionary::keys::TVP_KEY_COMPPRODUTO) == data::kNoError;
        if (codProduto_.is_zero()) {
            w.Post(ui::event::Accepted, kBusca);
            w.Select(kProduto);
            return;
        }
        switch (acao_) {
            case kIncluir:
                if (existe) return Aviso(" já está cadastrado!!!", kProduto);
                if (valor_.is_zero()) return Aviso(" possui valor igual a 0!!!", kValor);
                rec_.VALOR = valor_;
                if (file().add() != data::kNoError) return FalhaAoGravar(data::last_error().code);
                browse().ResetTo(file().position().id);
                w.Select(kData);
                return;
            case kAlterar:
                if (!existe) return Aviso(" não está cadastrado!!!", kValor);
                rec_.VALOR = valor_;
                if (file().put() != data::kNoError) return FalhaAoGravar(data::last_error().code);
                browse().ResetTo(file().position().id);
                FocusList();
                return;
            case kExcluir: {
                if (!existe) return Aviso(" não está cadastrado!!!", kValor);
                const std::int64_t place = file().position().id;
                std::int64_t antes = 0;
                // The key is unique: walking back from it reads the record itself, then the one before.
                if (file().set_at(dictionary::keys::TVP_KEY_COMPPRODUTO) == data::kNoError && file().previous() == data::kNoError && file().previous() == data::kNoError)
                    antes = file().position().id;
                if (file().reget({place}) != data::kNoError || file().remove() != data::kNoError) return FalhaAoGravar(data::last_error().code);
                if (antes) browse().ResetTo(antes);
                else browse().ResetToTop();
                FocusList();
                return;
            }
            default:
                return;
        }
    }


    TabValorIndProdutoRec& rec_;
    date::Day data_ = 0;
    Decimal codProduto_;
    Decimal valor_;
};

}  // namespace

void RunValorUnitario(ProcContext& ctx) { ValorUnitario(ctx).Execute(); }

}  // namespace vorel::registers
