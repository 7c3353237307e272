// Window "PlanilhaFinal" ("Planilha Final de Produtos"): the final sheet by rate, or by supplier
// (model 01 or 02, one supplier or all), its first page number and the e-mail; "&Imprimir" runs
// the final summary (`VerificaSaldos`) on this thread; the window stays open.
#include "fornecedor_escolhido.h"
#include "vorel/computation/folhas_resumo.h"
#include "vorel/computation/procedures.h"
#include "vorel/shell/email_options.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/window_controller.h"

namespace vorel::computation {

namespace {

class PlanilhaFinal : public ui::WindowController {
public:
    enum : int {
        kResumo = 1, kModelo, kPromptFornecedor, kFornecedor, kBFor, kDescFor, kPromptPagina, kPagina, kImprimir,
        kCancelar, kEmail
    };

    explicit PlanilhaFinal(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "PlanilhaFinal", "Planilha Final de Produtos"), email_(kEmail) {}

    ui::Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return ui::Level::Cancel;
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        shell::PreencheEmail("Planilha Final de Produtos");
        ui::Window& w = window();
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
        shell::AdicionaEmail(w, email_);
        w.Button(kImprimir, "&Imprimir");
        w.Button(kCancelar, "&Cancelar");
        SetCancelButton(kCancelar);
        for (int b : {kImprimir, kCancelar}) navigator().ExcludeControl(b);
        MostraFornecedor();
        return ui::Level::Benign;
    }

    ui::Level OnWindowOpened() override {
        ui::Level l = ui::WindowController::OnWindowOpened();
        shell::AplicaModoEmail(window(), email_);
        return l;
    }

    ui::Level OnAccepted(int feq) override {
        ui::Level l = ui::WindowController::OnAccepted(feq);
        ui::Window& w = window();
        if (feq == email_.enviar) {
            shell::AplicaModoEmail(w, email_);
            return l;
        }
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
            case kImprimir:
                w.Update();
                VerificaSaldos(context(), {.paginaInicial = pagina_, .somenteCalcula = false,
                                           .porFornecedor = porFornecedor_, .codFornecedor = fornecedor_.codigo,
                                           .geraExcel = false, .modelo = static_cast<std::uint8_t>(modelo_)});
                shell::AplicaModoEmail(w, email_);
                w.Select(kCancelar);
                break;
            case kCancelar: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        w[kDescFor].Text(fornecedor_.nome);
        w.Display();
        return l;
    }

private:
    void MostraFornecedor() {
        for (int c : {kModelo, kPromptFornecedor, kFornecedor, kBFor, kDescFor}) window()[c].Hide(!porFornecedor_);
        window()[kDescFor].Text(fornecedor_.nome);
    }

    shell::ControlesEmail email_;
    bool porFornecedor_ = false;
    int modelo_ = 1;
    FornecedorEscolhido fornecedor_;
    int pagina_ = 1;
};

}  // namespace

void RunPlanilhaFinal(ui::ProcContext& ctx) { PlanilhaFinal(ctx).Execute(); }

}  // namespace vorel::computation
