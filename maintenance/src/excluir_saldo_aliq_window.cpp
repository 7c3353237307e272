// Window "ExcluirSaldoAliq" ("Excluir Saldo por Alíquota"): a year, a rate, every product or one,
// and whether the rate history's rows at 18 and 17 are rewritten too; "&Ajustar" asks, then
// deletes (`ExcluiSaldosPorAliquota`, vorel/maintenance/saldo_aliquota.h). Tables: that year's
// SaldosVorel file (deleted from), Produtos (read, and looked up by the product field), ProdutosAliq.
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/maintenance/saldo_aliquota.h"
#include "vorel/shell/produto_digitado.h"
#include "vorel/shell/repair_window.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::maintenance {

namespace {

class ExcluirSaldoAliq : public shell::JanelaReparo {
public:
    enum : int {
        kPromptAno = 1, kAno, kPromptAliquota, kAliquota, kTodos, kHistorico, kPromptProduto, kProduto, kPesquisa,
        kDescricao, kContador, kProgresso, kAjustar, kCancelar
    };

    explicit ExcluirSaldoAliq(ui::ProcContext& ctx)
        : JanelaReparo(ctx, "ExcluirSaldoAliq", "Excluir Saldo por Alíquota", {kContador, kProgresso, kAjustar, kCancelar}) {}

protected:
    void AdicionaCampos(ui::Window& w) override {
        w.Prompt(kPromptAno, "Ano");
        w.Entry(kAno, ui::UsePattern(ano_, "@n04"), "@n04");
        w.Prompt(kPromptAliquota, "Alíquota");
        w.Entry(kAliquota, ui::UseDecimal(aliquota_, 7, 3), "@n-8`3").Tip("Alíquota de ICMS");
        w.Check(kTodos, "Excluir Saldo de todos os Produtos", ui::Use(todos_));
        w.Check(kHistorico, "Excluir Alíquota do Cadastro de Produtos", ui::Use(historico_));
        w.Prompt(kPromptProduto, "Código do Produto");
        w.Entry(kProduto, ui::Use(produto_.digitado), "@s20").Tip("Código do Produto");
        w.Button(kPesquisa, "...").Tip("Pesquisa produtos cadastrados.");
        w.String(kDescricao, "");
        navigator().ExcludeControl(kPesquisa);
    }

    void OnCampo(int feq) override {
        ui::Window& w = window();
        switch (feq) {
            case kTodos:
                for (int c : {kPromptProduto, kProduto, kPesquisa, kDescricao}) w[c].Hide(todos_);
                break;
            case kProduto:
                if (!produto_.Procura(context())) {
                    produto_.Escolhe(context());
                }
                w[kDescricao].Text(produto_.descricao);
                w.Display();
                break;
            case kPesquisa:
                produto_.Escolhe(context());
                w[kDescricao].Text(produto_.descricao);
                w.Display();
                break;
            default: break;
        }
    }

    void Executa() override {
        ui::Window& w = window();
        if (ano_ == 0) {
            ui::Message("Favor informar o ano para a exclusão!", "Atenção!");
            w.Select(kAno);
            return;
        }
        if (aliquota_.is_zero()) {
            ui::Message("Favor informar a Alíquota ser excluida!", "Atenção!");
            w.Select(kAliquota);
            return;
        }
        std::string aliquota = text::to_utf8(picture::format("@n-8`3", aliquota_));
        aliquota.erase(0, aliquota.find_first_not_of(' '));
        std::string pergunta = "Os saldos de " + std::to_string(ano_) + " com alíquota " + aliquota +
                               (todos_ ? " de todos os produtos" : " do produto " + produto_.codigo.to_fixed(0)) +
                               " serão excluídos.";
        if (historico_)
            pergunta += " No histórico de alíquotas " + std::string(todos_ ? "dos produtos" : "do produto") +
                        ", os registros de alíquota " + std::to_string(kAliquotaReaberta) +
                        "% serão reabertos e os de alíquota " + std::to_string(kAliquotaExcluida) + "% excluídos.";
        if (!Confirma(pergunta + " Deseja continuar?")) return;
        const OpcoesSaldoAliquota o{.empresa = shell::PeriodoDeTrabalho().empresa, .ano = ano_, .aliquota = aliquota_,
                                    .todos = todos_, .produto = produto_.codigo, .historico = historico_};
        const ResultadoReparo r = ExcluiSaldosPorAliquota(o, Andamento());
        Conclui(r.erro, r.ok(), "Exclusão efetuada com sucesso!", "Concluído!", Depois::Zera);
    }

private:
    std::int16_t ano_ = 0;
    Decimal aliquota_;
    bool todos_ = false, historico_ = false;
    shell::ProdutoDigitado produto_;
};

}  // namespace

void RunExcluirSaldoAliq(ui::ProcContext& ctx) { ExcluirSaldoAliq(ctx).Execute(); }

}  // namespace vorel::maintenance
