// Window "CalculoMensal" ("Cálculo Mensal de Produtos"): the working month's product balances
// (`SaldosVorel`), rows of a negative accumulated base in red; "&Calcular" closes the window and
// runs the monthly computation for all products on this thread after the window is gone;
// "Excluir Alíquotas Zeradas" and "Excluir Saldo Negativo" clean the month up
// (vorel/computation/manutencao_mes.h).
#include "vorel/computation/calculo_produtos.h"
#include "vorel/computation/manutencao_mes.h"
#include "vorel/computation/procedures.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/shell/company_register_browse.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/register_window.h"

namespace vorel::computation {

namespace {

using dictionary::SaldosVorelRec;
namespace keys = dictionary::keys;

constexpr long kVermelho = 255;

// Rows of a negative accumulated base are drawn in red.
class LinhasDoMes : public ui::BrowseManager {
public:
    LinhasDoMes(ui::WindowController& owner, ui::BrowseSource& source, SaldosVorelRec& rec)
        : ui::BrowseManager(owner, source), rec_(rec) {}
    void FillRow(ui::Row& row) override {
        if (rec_.BaseAcunulada.value() >= Decimal(0)) return;
        for (ui::Cell& c : row) c.fg = kVermelho;
    }

private:
    SaldosVorelRec& rec_;
};

class CalculoMensal : public shell::CompanyRegisterBrowse {
public:
    enum : int {
        kList = 1, kLegenda, kCalcular, kAjuda, kProgresso, kContador, kExcluirZeradas, kFecha, kExcluirNegativo
    };

    explicit CalculoMensal(ui::ProcContext& ctx)
        : CompanyRegisterBrowse(ctx, "CalculoMensal", "Cálculo Mensal de Produtos", dictionary::SaldosVorel(), ""),
          rec_(file().rec<SaldosVorelRec>()),
          produtos_(ui::ThreadFile(dictionary::Produtos())) {
        SetBrowseManager(std::make_unique<LinhasDoMes>(*this, tableSource(), rec_));
    }

    ui::Level Build(ui::Window& w) override {
        if (!produtos_.open().ok()) {
            ui::Message("Não foi possível abrir a tabela de produtos.", "Erro ao Abrir");
            return ui::Level::Fatal;
        }
        produtosAbertos_ = true;
        w.List(kList);
        w.String(kLegenda, "Linhas em Vermelho indicam que o Produtos está com Saldo Negativo");
        w.Button(kCalcular, "&Calcular");
        w.Button(kAjuda, "&Ajuda");
        w.Progress(kProgresso).Hide();
        w.String(kContador, "").Hide();
        w.Button(kExcluirZeradas, "Excluir Alíquotas Zeradas");
        w.Button(kFecha, "&Fecha");
        w.Button(kExcluirNegativo, "Excluir Saldo Negativo");

        ui::BrowseManager& b = browse();
        b.SetList(kList);
        auto dec = [](const Decimal& v, int casas) { return v.to_fixed(casas); };
        b.AddColumn({"Produto", 56, 'L', [this] { return std::string(rec_.Produto.clipped()); }});
        b.AddColumn({"Produtos", 160, 'L', [this] { return Descricao(); }});
        b.AddColumn({"Mês/Ano", 40, 'L', [this] { return ui::FormatText("@d14", std::to_string(rec_.Competencia)); }});
        b.AddColumn({"Alíquota", 36, 'R', [this, dec] { return dec(rec_.Aliquota, 3); }});
        b.AddColumn({"Ret. Usuário Final", 56, 'R', [this, dec] { return dec(rec_.CalcUsuFinal, 2); }});
        b.AddColumn({"Ret. F.G.N. Realisado", 56, 'R', [this, dec] { return dec(rec_.CalcFGNRealisado, 2); }});
        b.AddColumn({"Ret. Isentas", 56, 'R', [this, dec] { return dec(rec_.CalcIsenta, 2); }});
        b.AddColumn({"Ret. Outro UF", 56, 'R', [this, dec] { return dec(rec_.CalcOutUF, 2); }});
        b.AddColumn({"Ret. Subsequente", 56, 'R', [this, dec] { return dec(rec_.CalcSubsequente, 2); }});
        b.AddColumn({"Conf. Usuário Final", 56, 'R', [this, dec] { return dec(rec_.ConfUsuFinal, 2); }});
        b.AddColumn({"Conf Dem. Hip.", 56, 'R', [this, dec] { return dec(rec_.ConfDemHip, 2); }});
        b.AddColumn({"Estoque", 56, 'R', [this, dec] { return dec(rec_.QuantProdutos, 3); }});
        b.AddColumn({"Valor Unitário", 56, 'R', [this, dec] { return dec(rec_.ValorUnit, 3); }});
        b.AddColumn({"Base Acumulada", 56, 'R', [this, dec] { return dec(rec_.BaseAcunulada, 2); }});
        b.AddSortOrder({file().desc().key_index(keys::SQEL_KEY_PRODDATAALIQUOTA), 0, true, {}});
        b.SetFilter([this] {
            return date::month(rec_.Competencia) == shell::GLO_MES.Get() && date::year(rec_.Competencia) == shell::GLO_ANO.Get();
        });
        SetCloseButton(kFecha);
        ExcludeFromNavigation({kFecha, kAjuda, kCalcular});
        calcular_ = false;
        return ui::Level::Benign;
    }

    ui::Level OnAccepted(int feq) override {
        switch (feq) {
            case kCalcular:
                calcular_ = true;
                CloseWith(ui::Response::Completed);
                return ui::Level::Benign;
            case kExcluirZeradas: ExcluiZeradas(); return ui::Level::Benign;
            case kExcluirNegativo: ExcluiNegativos(); return ui::Level::Benign;
            default: return ui::RegisterBrowse::OnAccepted(feq);
        }
    }

    ui::Level Teardown() override {
        if (produtosAbertos_) (void)produtos_.close();
        ui::Level l = ui::RegisterBrowse::Teardown();
        if (calcular_) {
            OpcoesCalculo o;
            o.todos = true;
            (void)CalculoProdutos(context(), shell::PeriodoDeTrabalho(), o);  // the run shows its own messages
        }
        return l;
    }

private:
    date::Day Mes() const { return date::first_of_month(shell::GLO_ANO.Get(), shell::GLO_MES.Get()); }

    std::string Descricao() {
        auto& p = produtos_.rec<dictionary::ProdutosRec>();
        produtos_.clear_record();
        p.Codigo = Decimal::from_string(std::string(rec_.Produto.clipped()));
        return produtos_.get(keys::PRO_KEY_CODIGO).ok() ? text::to_utf8(p.Produtos.clipped()) : std::string();
    }

    void ExcluiZeradas() {
        ResultadoLimpeza r = ExcluiAliquotasZeradas(Mes());
        if (!r.ok()) ui::Message(r.erro, "Atenção!!!");
        else ui::Message("Excluído com sucesso", "Concluído");
        browse().ResetToTop();
    }

    void ExcluiNegativos() {
        if (ui::Message("Essa opção EXCLUIRÁ LANÇAMENTOS, recomendamos fazer um BACKUP antes de prosseguir!! "
                        "Deseja continurar??",
                        "Atenção!!!", ui::Icon::Question, "&Sim|&Não", 2) != 1)
            return;
        ui::Window& w = window();
        w[kProgresso].Unhide();
        w[kContador].Unhide().Text("0");
        ResultadoLimpeza r = ExcluiSaldoNegativo(Mes(), [&w](long long feito, long long total) {
            w[kProgresso].Range(0, static_cast<int>(total)).Progress(static_cast<int>(feito));
            w[kContador].Text(std::to_string(feito));
            w.Display();
            return true;
        });
        if (!r.ok()) ui::Message(r.erro, "Atenção!!!");
        else ui::Message("Lançamentos Excluídos!", "Concluído");
        browse().ResetToTop();
    }

    SaldosVorelRec& rec_;
    data::FileManager& produtos_;
    bool produtosAbertos_ = false;
    bool calcular_ = false;
};

}  // namespace

void RunCalculoMensal(ui::ProcContext& ctx) { CalculoMensal(ctx).Execute(); }

}  // namespace vorel::computation
