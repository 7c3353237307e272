// Window "ExportaExcelSaidas" ("Exporta Saídas -> Excel"): the period (the working month when it
// opens), an optional CFOP code with its complement and description (the `CFO` register and its
// list), and the file ("A:\Saida.CSV" at every opening); "Exportar" writes the period's exit items
// of the working year (`SaidaVorel`, `QuantidadeVorel`) into the file and closes the window.
#include "vorel/core/text.h"
#include "vorel/exports/saidas.h"
#include "vorel/shell/cfo_digitado.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/window_controller.h"

namespace vorel::exports {

namespace {

class ExportaExcelSaidas : public ui::WindowController {
public:
    enum : int {
        kPromptInicial = 1, kInicial, kPromptFinal, kFinal, kPromptCfo, kCfo, kPromptComplemento, kComplemento,
        kPromptCaminho, kCaminho, kBCfo, kDescricao, kProgresso, kExportar, kFechar
    };

    explicit ExportaExcelSaidas(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "ExportaExcelSaidas", "Exporta Saídas -> Excel") {
        RememberPosition();
    }

    ui::Level Setup() override {
        (void)shell::GaranteEmpresa(context());  // the window opens whatever the choice
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        periodo_ = shell::PeriodoDeTrabalho();
        inicio_ = periodo_.Inicio();
        fim_ = periodo_.Fim();
        caminho_ = "A:\\Saida.CSV";
        ui::Window& w = window();
        w.Prompt(kPromptInicial, "Data Inicial:");
        w.Entry(kInicial, ui::UseDate(inicio_, "@d06b"), "@d06b");
        w.Prompt(kPromptFinal, "Data Final:");
        w.Entry(kFinal, ui::UseDate(fim_, "@d06b"), "@d06b");
        w.Prompt(kPromptCfo, "Infome o CFO:");
        w.Entry(kCfo, ui::Use(cfo_.codigo), "@n4");
        w.Prompt(kPromptComplemento, "Compl.:");
        w.Entry(kComplemento, ui::Use(cfo_.complemento), "@n3");
        w.Prompt(kPromptCaminho, "Nome do Arquivo:");
        w.Entry(kCaminho, ui::Use(caminho_), "@s100");
        w.Button(kBCfo, "...");
        w.String(kDescricao, "");
        w.Progress(kProgresso).Range(0, 100);
        w.Button(kExportar, "Exportar");
        w.Button(kFechar, "Fechar");
        SetCancelButton(kFechar);
        for (int b : {kExportar, kFechar}) navigator().ExcludeControl(b);
        return ui::Level::Benign;
    }

    // Leaving the complement always looks the code up.
    ui::Level OnSelected(int feq) override {
        if (feq == kComplemento) window()[feq].Touched();
        return ui::WindowController::OnSelected(feq);
    }

    ui::Level OnAccepted(int feq) override {
        ui::Level l = ui::WindowController::OnAccepted(feq);
        switch (feq) {
        case kComplemento: ConfereCfo(); break;
        case kBCfo: EscolheCfo(); break;
        case kExportar: Exporta(); break;
        case kFechar: CloseWith(ui::Response::Completed); break;
        default: break;
        }
        return l;
    }

private:
    // The description in its 30 positions.
    void Mostra() {
        window()[kDescricao].Text(text::to_utf8(text::sub(text::from_utf8(cfo_.descricao), 1, 30)));
        window().Display();
    }

    void ConfereCfo() {
        window().Update();
        if (cfo_.codigo == 0) {
            cfo_.descricao.clear();
            return Mostra();
        }
        if (cfo_.Procura()) return Mostra();
        window().Post(ui::event::Accepted, kBCfo);  // the list is opened for the user
    }

    void EscolheCfo() {
        cfo_.Escolhe(context());
        Mostra();
    }

    void Exporta() {
        ui::Window& w = window();
        w.Update();
        if (inicio_ > fim_) return w.Select(kInicial);
        if (text::trim(caminho_).empty()) return w.Select(kCaminho);
        const report::Outcome o = ExportaSaidas(
            periodo_, {.inicio = inicio_, .fim = fim_, .cfo = cfo_.codigo, .caminho = text::from_utf8(caminho_)},
            [&](long long lidos, long long total) {
                if (total > 0 && (lidos % 25 == 0 || lidos == total)) {
                    w[kProgresso].Range(0, static_cast<int>(total)).Progress(static_cast<int>(lidos));
                    w.Display();
                }
                return !context().StopRequested();
            });
        if (!o.ok()) ui::Message("O arquivo não foi gerado.|" + o.error, "Atenção", ui::Icon::Exclamation);
        CloseWith(ui::Response::Completed);
    }

    shell::CfoDigitado cfo_;
    shell::EmpresaPeriodo periodo_;
    std::int32_t inicio_ = 0, fim_ = 0;
    std::string caminho_;  // UTF-8, as the entry shows it
};

}  // namespace

void RunExportaExcelSaidas(ui::ProcContext& ctx) { ExportaExcelSaidas(ctx).Execute(); }

}  // namespace vorel::exports
