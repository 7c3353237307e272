// Window "PlanilhaProdutos" ("Planilha Mensal de Produtos"): the monthly sheet or the
// confrontation report, one product or all, negative-only, the kind of summary and the e-mail;
// "&Imprimir" runs the monthly computation of the working month with those flags, which hands
// over to the sheet or the confrontation by name; the window stays open.
#include "vorel/computation/calculo_produtos.h"
#include "vorel/computation/procedures.h"
#include "vorel/shell/produto_digitado.h"
#include "vorel/shell/report_options_window.h"
#include "vorel/shell/working_context.h"

namespace vorel::computation {

namespace {

class PlanilhaProdutos : public shell::JanelaOpcoesRelatorio {
public:
    enum : int {
        kRelatorio = 1, kSaldoNegativo, kImprimirTodos, kPromptProduto, kProduto, kPesquisa, kDescricao, kGrupoResumo,
        kResumoNao, kResumoProdutos, kResumoFornecedores, kImprimir, kCancelar, kEmail
    };

    explicit PlanilhaProdutos(ui::ProcContext& ctx)
        : JanelaOpcoesRelatorio(ctx, "PlanilhaProdutos", "Planilha Mensal de Produtos", {kEmail, kImprimir, kCancelar}) {}

private:
    ui::Level AdicionaOpcoes(ui::Window& w) override {
        shell::PreencheEmail("Planilha Mensal de Produtos");
        relatorio_ = 0;
        w.DropList(kRelatorio, ui::UseFn([this] { return std::to_string(relatorio_); },
                                         [this](const std::string& s) { return relatorio_ = s == "1" ? 1 : 0, true; }),
                   {"0-Planilha Mensal", "1-Relatório de Confronto"}, {"0", "1"});
        w.Check(kSaldoNegativo, " Imprimir somente produtos com Quantidade Negativa", ui::Use(saldoNegativo_));
        w.Check(kImprimirTodos, " Imprimir todos os Produtos", ui::Use(todos_));
        w.Prompt(kPromptProduto, "Código do Produto:");
        w.Entry(kProduto, ui::Use(produto_.digitado), "@s20");
        w.Button(kPesquisa, "...");
        w.String(kDescricao, "");
        w.Add(kGrupoResumo, ui::ControlType::Group, " Imprime Resumo");
        auto opcao = [this](int valor) {
            return ui::UseFn([this, valor] { return std::string(resumo_ == valor ? "1" : "0"); },
                             [this, valor](const std::string& s) {
                                 if (s == "1") resumo_ = valor;
                                 return true;
                             });
        };
        w.Radio(kResumoNao, "Não", opcao(0)).Parent(kGrupoResumo);
        w.Radio(kResumoProdutos, "Produtos", opcao(1)).Parent(kGrupoResumo);
        w.Radio(kResumoFornecedores, "Fornecedores", opcao(2)).Parent(kGrupoResumo);
        AdicionaEmail();
        return ui::Level::Benign;
    }

    void Imprime() override {
        OpcoesCalculo o;
        o.produto = produto_.codigo;
        o.todos = todos_;
        o.somenteNegativos = saldoNegativo_;
        o.resumo = static_cast<std::uint8_t>(resumo_);
        o.planilha = relatorio_ == 0;
        o.confronto = relatorio_ == 1;
        (void)CalculoProdutos(context(), shell::PeriodoDeTrabalho(), o);  // the run shows its own messages
    }

    void OnOption(int feq) override {
        ui::Window& w = window();
        switch (feq) {
            case kRelatorio:
                w[kSaldoNegativo].Hide(relatorio_ == 1);
                w[kGrupoResumo].Hide(relatorio_ == 1);
                if (relatorio_ == 1) {
                    todos_ = true;
                    MostraProduto();
                }
                break;
            case kImprimirTodos: MostraProduto(); break;
            case kProduto:
                if (!produto_.Procura(context())) produto_.Escolhe(context());
                w[kDescricao].Text(produto_.descricao);
                break;
            case kPesquisa:
                produto_.Escolhe(context());
                w[kDescricao].Text(produto_.descricao);
                break;
            default: break;
        }
        w.Display();
    }

    void MostraProduto() {
        for (int c : {kPromptProduto, kProduto, kPesquisa, kDescricao}) window()[c].Hide(todos_);
    }

    int relatorio_ = 0;
    bool saldoNegativo_ = false;
    bool todos_ = false;
    int resumo_ = 0;
    shell::ProdutoDigitado produto_;
};

}  // namespace

void RunPlanilhaProdutos(ui::ProcContext& ctx) { PlanilhaProdutos(ctx).Execute(); }

}  // namespace vorel::computation
