// Window "ExportaExcelEntrada" ("Exporta Entradas -> Excel"): the period (the working month when it
// opens), an optional CFOP code with its complement and description (the `CFO` register and its
// list), for codes 2000 to 2999 the check box "Filtra por Estado" and a state of the `Estados`
// register, and the file ("A:\Entrada.CSV" at every opening); "Exportar" writes the period's entry
// items of the working year with the working month's closing lines (exporta_entradas.h) and closes
// the window.
#include "vorel/computation/exporta_entradas.h"
#include "vorel/computation/procedures.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/cfo_digitado.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/register_window.h"
#include "vorel/ui/window_controller.h"

namespace vorel::computation {

namespace {

class ExportaExcelEntrada : public ui::WindowController {
public:
    enum : int {
        kPromptInicial = 1, kInicial, kPromptFinal, kFinal, kPromptCfo, kCfo, kPromptComplemento, kComplemento, kBCfo,
        kDescricao, kFiltraEstado, kPromptEstado, kEstado, kPromptCaminho, kCaminho, kProgresso, kExportar, kFechar
    };

    explicit ExportaExcelEntrada(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "ExportaExcelEntrada", "Exporta Entradas -> Excel") {
        RememberPosition();
    }

    ui::Level Setup() override {
        (void)shell::GaranteEmpresa(context());  // the window opens whatever the choice
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        periodo_ = shell::PeriodoDeTrabalho();
        inicio_ = periodo_.Inicio();
        fim_ = periodo_.Fim();
        caminho_ = "A:\\Entrada.CSV";
        ui::Window& w = window();
        w.Prompt(kPromptInicial, "Data Inicial:");
        w.Entry(kInicial, ui::UseDate(inicio_, "@d06b"), "@d06b");
        w.Prompt(kPromptFinal, "Data Final:");
        w.Entry(kFinal, ui::UseDate(fim_, "@d06b"), "@d06b");
        w.Prompt(kPromptCfo, "Informe o CFO:");
        w.Entry(kCfo, ui::Use(cfo_.codigo), "@n4");
        w.Prompt(kPromptComplemento, "Compl.:");
        w.Entry(kComplemento, ui::Use(cfo_.complemento), "@n3");
        w.Button(kBCfo, "...");
        w.String(kDescricao, "");
        w.Check(kFiltraEstado, "Filtra por Estado", ui::Use(filtraEstado_)).Hide();
        w.Prompt(kPromptEstado, "Informe o Estado:").Hide();
        w.DropList(kEstado, ui::Use(estado_), {}).Columns({{"UF", 16, 'L'}, {"Descrição", 80, 'L'}}).Hide();
        CarregaEstados();
        w.Prompt(kPromptCaminho, "Nome do Arquivo:");
        w.Entry(kCaminho, ui::Use(caminho_), "@s100");
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
            case kCfo: MostraFiltro(); break;
            case kFiltraEstado: MostraEstado(); break;
            case kComplemento: ConfereCfo(); break;
            case kBCfo:
                cfo_.Escolhe(context());
                Mostra();
                MostraFiltro();
                break;
            case kExportar: Exporta(); break;
            case kFechar: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        return l;
    }

private:
    void CarregaEstados() {
        std::vector<std::string> ufs;
        std::vector<ui::Row> linhas;
        data::FileManager& est = ui::ThreadFile(dictionary::Estados());
        if (est.open().ok()) {
            auto& e = est.rec<dictionary::EstadosRec>();
            est.clear_record();
            if (est.set(dictionary::keys::EST_KEY_SIGLA).ok())
                while (est.next().ok()) {
                    ufs.push_back(text::to_utf8(e.UF.clipped()));
                    linhas.push_back({{ufs.back()}, {text::to_utf8(e.DESC.clipped())}});
                }
            (void)est.close();
        }
        window()[kEstado].Items(ufs).ItemRows(std::move(linhas));
    }

    // The state filter is offered for the codes 2000 to 2999 only, cleared whenever it is offered.
    void MostraFiltro() {
        ui::Window& w = window();
        w.Update();
        if (FiltraEstadoDoCfo(cfo_.codigo)) {
            filtraEstado_ = false;
            w[kFiltraEstado].Unhide();
        } else {
            w[kFiltraEstado].Hide();
        }
        MostraEstado();
    }

    void MostraEstado() {
        ui::Window& w = window();
        w.Update();
        const bool mostra = FiltraEstadoDoCfo(cfo_.codigo) && filtraEstado_;
        for (int c : {kPromptEstado, kEstado}) w[c].Hide(!mostra);
        w.Display();
    }

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

    void Exporta() {
        ui::Window& w = window();
        w.Update();
        if (inicio_ > fim_) return w.Select(kInicial);
        if (text::trim(caminho_).empty()) return w.Select(kCaminho);
        const report::Outcome o = ExportaEntradas(
            periodo_,
            {.inicio = inicio_, .fim = fim_, .cfo = cfo_.codigo, .filtraEstado = filtraEstado_,
             .estado = text::from_utf8(estado_), .caminho = text::from_utf8(caminho_)},
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
    bool filtraEstado_ = false;
    std::string estado_;   // UTF-8
    std::string caminho_;  // UTF-8, as the entry shows it
};

}  // namespace

void RunExportaExcelEntrada(ui::ProcContext& ctx) { ExportaExcelEntrada(ctx).Execute(); }

}  // namespace vorel::computation
