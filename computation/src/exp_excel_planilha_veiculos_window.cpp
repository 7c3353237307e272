// Window "ExpExcelPlanilhaVeiculos" ("Planilha de Veículos Excel"): the model, the rate, the folder
// and the file name, and "&Gerar Excel", which writes the vehicle sheet as a `;` file at the folder
// followed directly by the name. Nothing is remembered between openings.
#include "veiculos_execucao.h"
#include "vorel/computation/vehicle_procedures.h"
#include "vorel/core/text.h"
#include "vorel/shell/folder_picker.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/window_controller.h"

namespace vorel::computation {

namespace {

// A Windows-1252 text of up to `largura` characters bound to an entry, kept without trailing
// blanks (the folder and the name are joined as typed).
ui::UsePtr UsaTexto(std::string& t, std::size_t largura) {
    return ui::UseFn([&t] { return text::to_utf8(t); },
                     [&t, largura](const std::string& s) {
                         t = std::string(text::clip(text::left(text::from_utf8(s), largura)));
                         return true;
                     });
}

class JanelaExpExcelVeiculos : public ui::WindowController {
public:
    enum : int {
        kPromptModelo = 1, kModelo, kPromptPercentual, kPercentual, kPromptCaminho, kCaminho, kPasta, kPromptArquivo,
        kArquivo, kGerar, kCancelar
    };

    explicit JanelaExpExcelVeiculos(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "ExpExcelPlanilhaVeiculos", "Planilha de Veículos Excel") {}

    ui::Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return ui::Level::Cancel;
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        caminho_ = shell::PastaRaiz.Get() + "Excel\\";
        arquivo_ = "Planilha_Veiculos_Excel.csv";
        ui::Window& w = window();
        AdicionaModeloEPercentual(w, opcoes_, kPromptModelo);
        w.Prompt(kPromptCaminho, "Caninho Geração Arquivo");
        w.Entry(kCaminho, UsaTexto(caminho_, 300), "@s300");
        w.Button(kPasta, "...").Tip("Select directory");
        w.Prompt(kPromptArquivo, "Nome Arquivo");
        w.Entry(kArquivo, UsaTexto(arquivo_, 40), "@s40");
        w.Button(kGerar, "&Gerar Excel");
        w.Button(kCancelar, "&Cancelar");
        SetCancelButton(kCancelar);
        for (int b : {kGerar, kCancelar}) navigator().ExcludeControl(b);
        return ui::Level::Benign;
    }

    ui::Level OnAccepted(int feq) override {
        ui::Level l = ui::WindowController::OnAccepted(feq);
        ui::Window& w = window();
        switch (feq) {
            case kPasta:
                shell::SelecionaDiretorio(context(), caminho_);
                w.Display();
                break;
            case kGerar: Gera(); break;
            case kCancelar: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        return l;
    }

private:
    void Gera() {
        ui::Window& w = window();
        w.Update();
        if (text::clip(caminho_).empty()) {
            (void)ui::Message("Caminho Não Informado. Por Favor informe o caminho para geração do arquivo",
                              "!!! Atenção !!!", ui::Icon::Exclamation);
            w.Select(kCaminho);
            return;
        }
        if (text::clip(arquivo_).empty()) {
            (void)ui::Message("Arquivo Não Informado. Por Favor informe o Arquivo para a sua geração", "!!! Atenção !!!",
                              ui::Icon::Exclamation);
            w.Select(kArquivo);
            return;
        }
        ExecutaPlanilhaVeiculos(context(), shell::PeriodoDeTrabalho(), opcoes_, std::string(text::clip(caminho_ + arquivo_)));
        w.Select(kCancelar);
    }

    OpcoesVeiculos opcoes_;
    std::string caminho_, arquivo_;
};

}  // namespace

void RunExpExcelPlanilhaVeiculos(ui::ProcContext& ctx) { JanelaExpExcelVeiculos(ctx).Execute(); }

}  // namespace vorel::computation
