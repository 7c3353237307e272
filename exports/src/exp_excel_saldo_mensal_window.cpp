// Window "ExpExcelSaldoMensal" ("Calculo Saldo Mensal Excel"): the kind of balance rows, the folder
// (the data root's "Excel" folder when it opens) and the file name ("Calculo_Mensal_" month "_"
// year ".csv"); "&Gerar Excel" writes the working month's balances (`SaldosVorel`, `Produtos`,
// `Empresa`) into that file and leaves the window open for another; "&Cancelar" closes it.
#include "vorel/exports/saldo_mensal.h"
#include "vorel/shell/folder_picker.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"
#include "vorel/core/text.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::exports {

namespace {

class ExpExcelSaldoMensal : public ui::WindowController {
public:
    enum : int {
        kPromptTipo = 1, kTipo, kPromptCaminho, kCaminho, kPasta, kPromptArquivo, kArquivo, kProgresso, kGerar,
        kCancelar
    };

    explicit ExpExcelSaldoMensal(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "ExpExcelSaldoMensal", "Calculo Saldo Mensal Excel") {}

    ui::Level Setup() override {
        (void)shell::GaranteEmpresa(context());  // the window opens whatever the choice
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        periodo_ = shell::PeriodoDeTrabalho();
        caminho_ = text::to_utf8(shell::PastaRaiz.Get()) + "Excel\\";
        arquivo_ = NomeSaldoMensal(periodo_.mes, periodo_.ano);
        ui::Window& w = window();
        w.Prompt(kPromptTipo, "Tipo Geração");
        w.DropList(kTipo, ui::UseFn([this] { return std::to_string(tipo_); },
                                    [this](const std::string& s) { return tipo_ = s.empty() ? 0 : s[0] - '0', true; }),
                   {"0-Todos", "1-Com Movimento", "2-Qtde Negativa"}, {"0", "1", "2"});
        w.Prompt(kPromptCaminho, "Caninho Geração Arquivo");
        w.Entry(kCaminho, ui::Use(caminho_), "@s299");
        w.Button(kPasta, "...").Tip("Select directory");
        w.Prompt(kPromptArquivo, "Nome Arquivo");
        w.Entry(kArquivo, ui::Use(arquivo_), "@s39");
        w.Progress(kProgresso).Range(0, 100).Hide();
        w.Button(kGerar, "&Gerar Excel");
        w.Button(kCancelar, "&Cancelar");
        SetCancelButton(kCancelar);
        for (int b : {kGerar, kCancelar}) navigator().ExcludeControl(b);
        return ui::Level::Benign;
    }

    ui::Level OnAccepted(int feq) override {
        ui::Level l = ui::WindowController::OnAccepted(feq);
        switch (feq) {
        case kPasta: EscolhePasta(); break;
        case kGerar: Gera(); break;
        case kCancelar: CloseWith(ui::Response::Completed); break;
        default: break;
        }
        return l;
    }

private:
    void EscolhePasta() {
        std::string pasta = text::from_utf8(caminho_);
        shell::SelecionaDiretorio(context(), pasta);
        caminho_ = text::to_utf8(pasta);
        window().Display();
    }

    void Gera() {
        ui::Window& w = window();
        w.Update();
        if (text::trim(caminho_).empty()) {
            ui::Message("Caminho Não Informado. Por Favor informe o caminho para geração do arquivo", "!!! Atenção !!!");
            w.Select(kCaminho);
            return;
        }
        if (text::trim(arquivo_).empty()) {
            ui::Message("Arquivo Não Informado. Por Favor informe o Arquivo para a sua geração", "!!! Atenção !!!");
            w.Select(kArquivo);
            return;
        }
        w[kProgresso].Range(0, 100).Progress(0).Unhide();
        w.Display();
        const report::Outcome o = ExportaSaldoMensal(
            periodo_, static_cast<TipoSaldoMensal>(tipo_),
            CaminhoSaldoMensal(text::from_utf8(caminho_), text::from_utf8(arquivo_)),
            [&](long long lidos, long long total) {
                if (total > 0 && (lidos % 25 == 0 || lidos == total)) {
                    w[kProgresso].Range(0, static_cast<int>(total)).Progress(static_cast<int>(lidos));
                    w.Display();
                }
                return !context().StopRequested();
            });
        w[kProgresso].Hide();
        w.Display();
        if (!o.ok()) ui::Message("O arquivo não foi gerado.|" + o.error, "!!! Atenção !!!", ui::Icon::Exclamation);
        w.Select(kCancelar);
    }

    shell::EmpresaPeriodo periodo_;
    int tipo_ = 0;
    std::string caminho_, arquivo_;  // UTF-8, as the entries show them
};

}  // namespace

void RunExpExcelSaldoMensal(ui::ProcContext& ctx) { ExpExcelSaldoMensal(ctx).Execute(); }

}  // namespace vorel::exports
