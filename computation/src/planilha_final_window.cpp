// Window "PlanilhaFinal" ("Planilha Final de Produtos"): the final sheet by rate, or by supplier
// (model 01 or 02, one supplier or all), its first page number and the e-mail; "&Imprimir" runs
// the final summary (`VerificaSaldos`) on this thread; the window stays open.
#include "fornecedor_escolhido.h"
#include "vorel/computation/folhas_resumo.h"
#include "vorel/computation/procedures.h"
#include "vorel/shell/report_options_window.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::computation {

namespace {

class PlanilhaFinal : public shell::JanelaOpcoesRelatorio {
public:
    enum : int {
        kResumo = 1, kModelo, kPromptFornecedor, kFornecedor, kBFor, kDescFor, kPromptPagina, kPagina, kImprimir,
        kCancelar, kEmail
    };

    explicit PlanilhaFinal(ui::ProcContext& ctx)
        : JanelaOpcoesRelatorio(ctx, "PlanilhaFinal", "Planilha Final de Produtos", {kEmail, kImprimir, kCancelar}) {}

private:
    ui::Level AdicionaOpcoes(ui::Window& w) override {
        shell::PreencheEmail("Planilha Final de Produtos");
        w.Check(kResumo, "Filtrar por Fornecedor", ui::Use(porFornecedor_));
        w.DropList(kModelo, ui::UseFn([this] { return std::to_string(modelo_); },
                                      [this](const std::string& s) { return modelo_ = s == "2" ? 2 : 1, true; }),
                   {"Modelo 01", "Modelo 02"}, {"1", "2"});
        w.Prompt(kPromptFornecedor, "Fornecedor");
        w.Entry(kFornecedor, ui::UsePattern(fornecedor_.codigo, "@n13"));
        w.Button(kBFor, "...");
        w.String(kDescFor, "");
        w.Prompt(kPromptPagina, "Página Inicial:");
        w.Entry(kPagina, ui::UsePattern(pagina_, "@n5"));
        AdicionaEmail();
        MostraFornecedor();
        return ui::Level::Benign;
    }

    void Imprime() override {
        VerificaSaldos(context(), shell::PeriodoDeTrabalho(), {.paginaInicial = pagina_, .somenteCalcula = false, .porFornecedor = porFornecedor_,
                                   .codFornecedor = fornecedor_.codigo, .geraExcel = false,
                                   .modelo = static_cast<std::uint8_t>(modelo_)});
    }

    void OnOption(int feq) override {
        ui::Window& w = window();
        switch (feq) {
            case kResumo:
                if (porFornecedor_) modelo_ = 1;
                else fornecedor_.Limpa();
                MostraFornecedor();
                break;
            case kFornecedor:
                if (!fornecedor_.Procura()) (void)fornecedor_.Escolhe(context());
                break;
            case kBFor: (void)fornecedor_.Escolhe(context()); break;
            default: break;
        }
        w[kDescFor].Text(fornecedor_.nome);
        w.Display();
    }

    void MostraFornecedor() {
        for (int c : {kModelo, kPromptFornecedor, kFornecedor, kBFor, kDescFor}) window()[c].Hide(!porFornecedor_);
        window()[kDescFor].Text(fornecedor_.nome);
    }

    bool porFornecedor_ = false;
    int modelo_ = 1;
    FornecedorEscolhido fornecedor_;
    int pagina_ = 1;
};

}  // namespace

void RunPlanilhaFinal(ui::ProcContext& ctx) { PlanilhaFinal(ctx).Execute(); }

}  // namespace vorel::computation
