// Window "Cálculo Anual de Produtos" (`CalculoAnual`): the working year's month records
// (`SaldosVorel`, filtered to GLO:ANO, in product-month-rate order with a locator on the product)
// and "&Calcular", which starts the annual recalculation (`CalculoAnualProdutos`) on a thread of its
// own under a progress window "Cálculo Mensal de Produtos". While that thread runs the list is read
// again once a second, and once more when it ends, so the new records appear. A second run is not
// started while one is running (both would write the same records).
#include "vorel/computation/calculo_anual.h"
#include "vorel/computation/calculo_produtos.h"
#include "vorel/computation/procedures.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/tables.h"
#include "vorel/shell/company_register_browse.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/progress_window.h"
#include "vorel/ui/register_window.h"
#include "vorel/ui/runtime.h"

namespace vorel::computation {

namespace {

using dictionary::SaldosVorelRec;

// The recalculation's progress window and message boxes on its thread.
class JanelaCalculoAnual : public AvisosCalculo {
public:
    explicit JanelaCalculoAnual(ui::ProcContext& ctx) : janela_(ctx, "Cálculo Mensal de Produtos") {}
    bool Progresso(const ProgressoCalculo& p) override { return janela_.Update(p.barra1, p.total1); }
    void Mensagem(std::string_view titulo, std::string_view texto) override {
        (void)ui::Message(std::string(texto), std::string(titulo), ui::Icon::Exclamation);
    }

private:
    ui::ProgressWindow janela_;
};

class CalculoAnualBrowse : public shell::CompanyRegisterBrowse {
public:
    enum : int { kSheet = 1, kTab, kPromptProduto, kLocProduto, kList, kAtencao, kCalcular, kFecha, kAjuda };

    explicit CalculoAnualBrowse(ui::ProcContext& ctx)
        : CompanyRegisterBrowse(ctx, "CalculoAnual", "Cálculo Anual de Produtos", dictionary::SaldosVorel(), ""),
          rec_(file().rec<SaldosVorelRec>()) {}

    ui::Level Build(ui::Window& w) override {
        w.Sheet(kSheet);
        const int ordem = file().desc().key_index(dictionary::keys::SQEL_KEY_PRODDATAALIQUOTA);
        AddSearchTab(kSheet, {kTab, "Produto", kPromptProduto, "Produto:", kLocProduto, ui::Use(rec_.Produto), "@s14", ordem});
        w.List(kList);
        w.Prompt(kAtencao, "Atenção para fazer o calculo Mensal dos Produtos é necessário a visualização da Planilha "
                           "Mensal de Produtos");
        w.Button(kCalcular, "&Calcular");
        w.Button(kFecha, "&Fecha");
        w.Button(kAjuda, "&Ajuda");

        ui::BrowseManager& b = browse();
        b.SetList(kList);
        auto dinheiro = [](const DecimalField<11, 2>& v) { return picture::format(picture::Picture("@n-15`2"), v.value()); };
        b.AddColumn({"Produto", 56, 'L', [this] { return text::to_utf8(rec_.Produto.clipped()); }});
        b.AddColumn({"Mês/Ano", 40, 'L', [this] { return picture::format("@D014b", rec_.Competencia); }});
        b.AddColumn({"Alíquota", 32, 'R', [this] { return picture::format(picture::Picture("@n8.3"), rec_.Aliquota.value()); }});
        b.AddColumn({"Ret. Usuário Final", 60, 'R', [this, dinheiro] { return dinheiro(rec_.CalcUsuFinal); }});
        b.AddColumn({"Ret. F. G. N. Realisado", 60, 'R', [this, dinheiro] { return dinheiro(rec_.CalcFGNRealisado); }});
        b.AddColumn({"Ret. Saídas Isentas", 60, 'R', [this, dinheiro] { return dinheiro(rec_.CalcIsenta); }});
        b.AddColumn({"Ret. Saídas Out. UF", 60, 'R', [this, dinheiro] { return dinheiro(rec_.CalcOutUF); }});
        b.AddColumn({"Ret. Saida Subseq.", 60, 'R', [this, dinheiro] { return dinheiro(rec_.CalcSubsequente); }});
        b.AddColumn({"Conf. Usuáiro Final", 60, 'R', [this, dinheiro] { return dinheiro(rec_.ConfUsuFinal); }});
        b.AddColumn({"Conf. Dem. Hip.", 60, 'R', [this, dinheiro] { return dinheiro(rec_.ConfDemHip); }});
        b.AddColumn({"Estoque", 64, 'R', [this] { return picture::format(picture::Picture("@n-16`3"), rec_.QuantProdutos.value()); }});
        b.AddColumn({"Valor Unitário", 60, 'R', [this] { return picture::format(picture::Picture("@n-15`3"), rec_.ValorUnit.value()); }});
        b.AddColumn({"Base Acumulada", 60, 'R', [this, dinheiro] { return dinheiro(rec_.BaseAcunulada); }});
        const int ano = shell::GLO_ANO.Get();
        b.AddSortOrder({ordem, kLocProduto, true, {}});
        b.SetFilter([this, ano] { return rec_.Competencia > 0 && date::year(rec_.Competencia) == ano; });
        b.SetSheet(kSheet);
        SetCloseButton(kFecha);
        ExcludeFromNavigation({kCalcular, kFecha, kAjuda});
        return ui::Level::Benign;
    }

    ui::Level OnAccepted(int feq) override {
        if (feq == kCalcular) {
            if (calculando_ == 0) {
                calculando_ = context().runtime().Start("CalculoAnualProdutos", RunCalculoAnualProdutos);
                window().SetTimer(100);
            }
            window().Select(kFecha);
            return ui::Level::Benign;
        }
        return ui::RegisterBrowse::OnAccepted(feq);
    }

    ui::Level OnWindowEvent(const ui::Event& e) override {
        if (e.code == ui::event::Timer && calculando_ != 0) {
            if (context().runtime().Finished(calculando_)) {
                calculando_ = 0;
                window().SetTimer(0);
            }
            browse().ReloadBusy();
            return ui::Level::Benign;
        }
        return ui::RegisterBrowse::OnWindowEvent(e);
    }

private:
    SaldosVorelRec& rec_;
    int calculando_ = 0;  // the running recalculation's thread, 0 when none
};

}  // namespace

void RunCalculoAnual(ui::ProcContext& ctx) { CalculoAnualBrowse(ctx).Execute(); }

void RunCalculoAnualProdutos(ui::ProcContext& ctx) {
    JanelaCalculoAnual janela(ctx);
    ResultadoAnual r = CalculoAnualProdutos(shell::PeriodoDeTrabalho(), janela);
    if (!r.erro.empty()) janela.Mensagem("Cálculo Mensal de Produtos", r.erro);
}

}  // namespace vorel::computation
