// Window "ExpExcelPlanMensal" ("Exporta Plan. Mensal de Produtos -> Excel"): all products or one,
// every CFOP or one (code and complement looked up on leaving the complement, or chosen in the
// CFOP list), the summary by product or none, and the output file (the name used last, else the
// data root's "Excel\Planilha Mensal Excel.csv"). "&Exportar" stores the file and the CFOP filter
// (`shell::GravaOpcoesPlanMensal`), runs the working month's computation with its export flag,
// which hands its work table to "PlanilhaExcelProdutos" by name, and closes the window. The file
// is replaced only when the export has written it whole.
#include "vorel/computation/calculo_produtos.h"
#include "vorel/computation/procedures.h"
#include "vorel/core/text.h"
#include "vorel/shell/cfo_digitado.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/produto_digitado.h"
#include "vorel/shell/program_settings.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::computation {

namespace {

class ExpExcelPlanMensal : public ui::WindowController {
public:
    enum : int {
        kGrupoCfo = 1, kTodosCfo, kPromptCodigo, kCodigo, kPromptComplemento, kComplemento, kBCfo, kPromptDescCfo,
        kDescCfo, kGrupoResumo, kResumoNao, kResumoSim, kTodosProdutos, kPromptProduto, kProduto, kBProduto,
        kDescProduto, kPromptCaminho, kCaminho, kExportar, kCancelar
    };

    explicit ExpExcelPlanMensal(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "ExpExcelPlanMensal", "Exporta Plan. Mensal de Produtos -> Excel") {}

    ui::Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return ui::Level::Cancel;
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        caminho_ = text::to_utf8(shell::LeOpcoesPlanMensal().caminho);
        if (text::trim(caminho_).empty()) caminho_ = text::to_utf8(shell::PastaRaiz.Get()) + "Excel\\Planilha Mensal Excel.csv";
        ui::Window& w = window();
        w.Add(kGrupoCfo, ui::ControlType::Group, "Filtrar CFO");
        w.Check(kTodosCfo, " Imprimir todos CFO's", ui::Use(todosCfo_)).Parent(kGrupoCfo);
        w.Prompt(kPromptCodigo, "Codigo:").Parent(kGrupoCfo);
        w.Entry(kCodigo, ui::Use(cfo_.codigo), "@n4").Tip("Código Fiscal de Operações").Parent(kGrupoCfo);
        w.Prompt(kPromptComplemento, "Complemento:").Parent(kGrupoCfo);
        w.Entry(kComplemento, ui::Use(cfo_.complemento), "@n3").Tip("Código Fiscal").Parent(kGrupoCfo);
        w.Button(kBCfo, "...").Parent(kGrupoCfo);
        w.Prompt(kPromptDescCfo, "Descricao:").Parent(kGrupoCfo);
        w.String(kDescCfo, "").Tip("Descrição do Código Fiscal de Operação").Parent(kGrupoCfo);
        w.Add(kGrupoResumo, ui::ControlType::Group, "Imprime Resumo");
        auto opcao = [this](int valor) {
            return ui::UseFn([this, valor] { return std::string(resumo_ == valor ? "1" : "0"); },
                             [this, valor](const std::string& s) {
                                 if (s == "1") resumo_ = valor;
                                 return true;
                             });
        };
        w.Radio(kResumoNao, "Não", opcao(0)).Parent(kGrupoResumo);
        w.Radio(kResumoSim, "Sim", opcao(1)).Parent(kGrupoResumo);
        w.Check(kTodosProdutos, "Exportar todos os Produtos", ui::Use(todosProdutos_));
        w.Prompt(kPromptProduto, "Código do Produto:");
        w.Entry(kProduto, ui::Use(produto_.digitado), "@s20");
        w.Button(kBProduto, "...");
        w.String(kDescProduto, "");
        w.Prompt(kPromptCaminho, "Nome do Arquivo:");
        w.Entry(kCaminho, ui::Use(caminho_), "@s100");
        w.Button(kExportar, "&Exportar");
        w.Button(kCancelar, "&Cancelar");
        SetCancelButton(kCancelar);
        for (int b : {kExportar, kCancelar}) navigator().ExcludeControl(b);
        Habilita();  // both groups disabled: every CFOP, every product
        return ui::Level::Benign;
    }

    // Leaving the complement always looks the code up.
    ui::Level OnSelected(int feq) override {
        if (feq == kComplemento) window()[feq].Touched();
        return ui::WindowController::OnSelected(feq);
    }

    ui::Level OnAccepted(int feq) override {
        ui::Level l = ui::WindowController::OnAccepted(feq);
        ui::Window& w = window();
        switch (feq) {
            case kTodosCfo:
            case kTodosProdutos:
                w.Update();
                Habilita();
                w.Display();
                break;
            case kComplemento:
                w.Update();
                if (cfo_.Procura()) MostraCfo();
                else w.Post(ui::event::Accepted, kBCfo);  // the list is opened for the user
                break;
            case kBCfo:
                cfo_.Escolhe(context());
                MostraCfo();
                break;
            case kProduto:
                w.Update();
                if (!produto_.Procura(context())) produto_.Escolhe(context());
                MostraProduto();
                break;
            case kBProduto:
                produto_.Escolhe(context());
                MostraProduto();
                break;
            case kExportar: Exporta(); break;
            case kCancelar: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        return l;
    }

private:
    // Each group answers its check box: marked, the choice inside it is not wanted.
    void Habilita() {
        ui::Window& w = window();
        for (int c : {kPromptCodigo, kCodigo, kPromptComplemento, kComplemento, kBCfo, kPromptDescCfo, kDescCfo})
            w[c].Enable(!todosCfo_);
        for (int c : {kPromptProduto, kProduto, kBProduto, kDescProduto}) w[c].Enable(!todosProdutos_);
    }

    void MostraCfo() {
        window()[kDescCfo].Text(cfo_.descricao);
        window().Display();
    }
    void MostraProduto() {
        window()[kDescProduto].Text(produto_.descricao);
        window().Display();
    }

    void Exporta() {
        ui::Window& w = window();
        w.Update();
        if (text::trim(caminho_).empty()) return w.Select(kCaminho);
        if (todosCfo_) cfo_.codigo = 0;  // the complement stays as typed
        if (std::error_code ec = shell::GravaOpcoesPlanMensal(
                {.caminho = text::from_utf8(caminho_), .cfo = cfo_.codigo, .compCfo = cfo_.complemento})) {
            (void)ui::Message("Não foi possível gravar as opções em Vorel.ini: " + ec.message(), "Atenção",
                              ui::Icon::Exclamation);
            return;
        }
        OpcoesCalculo o;
        o.todos = todosProdutos_;
        o.produto = produto_.codigo;  // 0 when none was typed
        o.exportacao = true;
        o.resumo = static_cast<std::uint8_t>(resumo_);
        (void)CalculoProdutos(context(), shell::PeriodoDeTrabalho(), o);  // the run and the export say what failed
        CloseWith(ui::Response::Completed);
    }

    bool todosCfo_ = true;
    bool todosProdutos_ = true;
    int resumo_ = 0;
    shell::CfoDigitado cfo_;
    shell::ProdutoDigitado produto_;
    std::string caminho_;  // UTF-8, as the entry shows it
};

}  // namespace

void RunExpExcelPlanMensal(ui::ProcContext& ctx) { ExpExcelPlanMensal(ctx).Execute(); }

}  // namespace vorel::computation
