// Window "ExpExcelPlanilhaFinalFornecedor" ("Exporta Excel Planilha Final de Produtos"): one
// supplier or all, the file name ("PlFinal" month year ".csv") and its folder (the data root's
// "Excel" folder by default); "&Exportar" stores both in Gerar_Excel.ini and runs the final
// summary by supplier into the `;` file. The folder and the name are joined as typed: a folder
// without its closing separator is glued to the name.
#include "fornecedor_escolhido.h"
#include "vorel/computation/folhas_resumo.h"
#include "vorel/computation/procedures.h"
#include "vorel/computation/resumo_final.h"
#include "vorel/core/paths.h"
#include "vorel/shell/program_settings.h"
#include "vorel/core/text.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/window_controller.h"

namespace vorel::computation {

namespace {

class ExpExcelPlanilhaFinalFornecedor : public ui::WindowController {
public:
    enum : int {
        kResumo = 1, kPromptFornecedor, kFornecedor, kBFor, kDescFor, kPromptArquivo, kArquivo, kPromptCaminho,
        kCaminho, kDirectoryButton, kExportar, kCancelar
    };

    explicit ExpExcelPlanilhaFinalFornecedor(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "ExpExcelPlanilhaFinalFornecedor", "Exporta Excel Planilha Final de Produtos") {
        RememberPosition();
    }

    ui::Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return ui::Level::Cancel;
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        caminho_ = text::to_utf8(PastaExcelPadrao());
        arquivo_ = NomePlanilhaFinal(shell::GLO_MES.Get(), shell::GLO_ANO.Get());
        ui::Window& w = window();
        w.Check(kResumo, "Filtrar por Fornecedor", ui::Use(porFornecedor_));
        w.Prompt(kPromptFornecedor, "Fornecedor");
        w.Entry(kFornecedor, ui::UsePattern(fornecedor_.codigo, "@n13"));
        w.Button(kBFor, "...");
        w.String(kDescFor, "");
        w.Prompt(kPromptArquivo, "Arquivo Excel");
        w.Entry(kArquivo, ui::Use(arquivo_), "@s20");
        w.Prompt(kPromptCaminho, "Caminho Arquivo Excel");
        w.Entry(kCaminho, ui::Use(caminho_), "@s255");
        w.Button(kDirectoryButton, "...").Tip("Select directory");
        w.Button(kExportar, "&Exportar");
        w.Button(kCancelar, "&Cancelar");
        SetCancelButton(kCancelar);
        for (int b : {kExportar, kCancelar}) navigator().ExcludeControl(b);
        MostraFornecedor();
        return ui::Level::Benign;
    }

    ui::Level OnAccepted(int feq) override {
        ui::Level l = ui::WindowController::OnAccepted(feq);
        ui::Window& w = window();
        switch (feq) {
            case kResumo:
                if (!porFornecedor_) fornecedor_.Limpa();
                MostraFornecedor();
                break;
            case kFornecedor:
                if (!fornecedor_.Procura()) (void)fornecedor_.Escolhe(context());
                break;
            case kBFor: (void)fornecedor_.Escolhe(context()); break;
            case kDirectoryButton: EscolhePasta(); break;
            case kExportar: Exporta(); break;
            case kCancelar: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        w[kDescFor].Text(fornecedor_.nome);
        w.Display();
        return l;
    }

private:
    void MostraFornecedor() {
        for (int c : {kPromptFornecedor, kFornecedor, kBFor, kDescFor}) window()[c].Hide(!porFornecedor_);
    }

    void EscolhePasta() {
        ui::FileRequest r;
        r.title = "Select directory";
        r.folder = caminho_;
        r.chooseFolder = true;
        if (auto p = ui::ChooseFile(r)) caminho_ = *p + "\\";
    }

    void Exporta() {
        window().Update();
        const std::string nome = text::from_utf8(arquivo_), pasta = text::from_utf8(caminho_);
        if (shell::GravaArquivoExcel({nome, pasta})) {
            ui::Message("Não foi possível gravar Gerar_Excel.ini.", "Atenção!!!", ui::Icon::Exclamation);
            return;
        }
        // The default folder is made when missing; a folder the user typed must exist.
        if (pasta == PastaExcelPadrao() && !files::is_folder(pasta)) (void)files::make_folder(pasta);
        VerificaSaldos(context(), shell::PeriodoDeTrabalho(), {.paginaInicial = 1, .somenteCalcula = false, .porFornecedor = true,
                                   .codFornecedor = fornecedor_.codigo, .geraExcel = true, .modelo = 2});
        window().Select(kCancelar);
    }

    bool porFornecedor_ = false;
    FornecedorEscolhido fornecedor_;
    std::string arquivo_, caminho_;  // UTF-8
};

}  // namespace

void RunExpExcelPlanilhaFinalFornecedor(ui::ProcContext& ctx) { ExpExcelPlanilhaFinalFornecedor(ctx).Execute(); }

}  // namespace vorel::computation
