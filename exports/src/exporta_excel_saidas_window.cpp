// Window "ExportaExcelSaidas" ("Exporta Saídas -> Excel"): the period (the working month when it
// opens), an optional CFOP code with its complement and description (the `CFO` register and its
// list), and the file ("A:\Saida.CSV" at every opening); "Exportar" writes the period's exit items
// of the working year (`SaidaVorel`, `QuantidadeVorel`) into the file and closes the window.
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/exports/saidas.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/register_window.h"
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
        : ui::WindowController(ctx, "ExportaExcelSaidas", "Exporta Saídas -> Excel"), cfo_(ui::ThreadFile(dictionary::CFO())) {
        RememberPosition();
    }

    ui::Level Setup() override {
        (void)shell::GaranteEmpresa(context());  // the window opens whatever the choice
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        aberto_ = cfo_.open().ok();
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
        w.Entry(kCfo, ui::Use(codigo_), "@n4");
        w.Prompt(kPromptComplemento, "Compl.:");
        w.Entry(kComplemento, ui::Use(complemento_), "@n3");
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

    ui::Level Teardown() override {
        if (aberto_) (void)cfo_.close();
        return ui::WindowController::Teardown();
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
    void Mostra(const std::string& descricao) {
        window()[kDescricao].Text(text::to_utf8(text::sub(descricao, 1, 30)));
        window().Display();
    }

    void ConfereCfo() {
        window().Update();
        if (codigo_ == 0) return Mostra("");
        auto& c = cfo_.rec<dictionary::CFORec>();
        cfo_.clear_record();
        c.CODIGO = static_cast<std::int16_t>(codigo_);
        c.COMPLEMENTO = static_cast<std::int16_t>(complemento_);
        if (aberto_ && cfo_.get(dictionary::keys::CFO_KEY_CFO).ok()) return Mostra(std::string(c.DESCRICAO.clipped()));
        window().Post(ui::event::Accepted, kBCfo);  // the list is opened for the user
    }

    // The CFOP list for a choice: code, complement and description from the record it leaves.
    void EscolheCfo() {
        (void)context().Call("CFO", ui::Request::Select);
        const auto& c = cfo_.rec<dictionary::CFORec>();
        codigo_ = std::max<int>(0, c.CODIGO);
        complemento_ = std::max<int>(0, c.COMPLEMENTO);
        Mostra(std::string(c.DESCRICAO.clipped()));
    }

    void Exporta() {
        ui::Window& w = window();
        w.Update();
        if (inicio_ > fim_) return w.Select(kInicial);
        if (text::trim(caminho_).empty()) return w.Select(kCaminho);
        const report::Outcome o = ExportaSaidas(
            periodo_, {.inicio = inicio_, .fim = fim_, .cfo = codigo_, .caminho = text::from_utf8(caminho_)},
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

    data::FileManager& cfo_;  // the thread's CFO register, where the list leaves its choice
    bool aberto_ = false;
    shell::EmpresaPeriodo periodo_;
    std::int32_t inicio_ = 0, fim_ = 0;
    int codigo_ = 0, complemento_ = 0;
    std::string caminho_;  // UTF-8, as the entry shows it
};

}  // namespace

void RunExportaExcelSaidas(ui::ProcContext& ctx) { ExportaExcelSaidas(ctx).Execute(); }

}  // namespace vorel::exports
