// ExecutaRelatorioTexto: the small window, the run's temporary file and the end of the run.
#include "vorel/shell/text_report_run.h"

#include <algorithm>
#include <chrono>

#include "vorel/shell/text_report.h"
#include "vorel/shell/text_viewer.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/runtime.h"
#include "vorel/ui/window.h"

namespace vorel::shell {

namespace {

constexpr const char* kNaoImpresso = "O relatório não foi impresso.|";

// The window and the user's cancel, looked for at most every 50 ms.
class JanelaDoTexto {
public:
    enum : int { kTexto = 1, kBarra, kCancela };

    JanelaDoTexto(ui::ProcContext& ctx, const JanelaRelatorioTexto& j) : ctx_(ctx), w_(ctx, ""), cancela_(j.cancela) {
        w_.SetCaptionBar(false);
        w_.String(kTexto, j.texto);
        w_.Progress(kBarra).Range(0, 100);
        if (cancela_) w_.Button(kCancela, "&Cancela");
        w_.Open();
    }
    ~JanelaDoTexto() { w_.Close(); }

    bool Progresso(std::size_t feitos, std::size_t total) {
        const int pct = total > 0 ? static_cast<int>(std::min<std::size_t>(100, feitos * 100 / total)) : 100;
        if (pct != marcado_) w_[kBarra].Progress(marcado_ = pct);
        if (!cancela_ || cancelado_) return !cancelado_;
        if (ctx_.StopRequested()) return !(cancelado_ = true);
        const auto agora = std::chrono::steady_clock::now();
        if (agora - visto_ < std::chrono::milliseconds(50)) return true;
        visto_ = agora;
        for (ui::Event e; (e = w_.Poll()).code != ui::event::None;)
            if ((e.code == ui::event::Accepted && e.feq == kCancela) || e.code == ui::event::CloseWindow) cancelado_ = true;
        if (w_.closing()) cancelado_ = true;
        return !cancelado_;
    }
    bool cancelado() const { return cancelado_; }

private:
    ui::ProcContext& ctx_;
    ui::Window w_;
    bool cancela_;
    bool cancelado_ = false;
    int marcado_ = -1;
    std::chrono::steady_clock::time_point visto_{};
};

}  // namespace

FimRelatorioTexto ExecutaRelatorioTexto(ui::ProcContext& ctx, const JanelaRelatorioTexto& janela,
                                        const GeraLinhasTexto& gera) {
    ArquivoTexto arquivo(CodigosImpressora.Get());
    if (report::Outcome o = arquivo.AbreTemporario(); !o.ok()) {
        ui::Message(kNaoImpresso + o.error, "!! Atenção !!", ui::Icon::Exclamation);
        return FimRelatorioTexto::Falhou;
    }
    std::size_t escritas = 0;
    report::Outcome resultado;
    bool cancelado = false;
    {
        JanelaDoTexto w(ctx, janela);
        resultado = gera(
            arquivo.codigos(),
            [&](const std::string& linha) {
                ++escritas;
                return arquivo.GravaLinhaTexto(linha);
            },
            [&w](std::size_t feitos, std::size_t total) { return w.Progresso(feitos, total); });
        cancelado = w.cancelado();
    }
    if (!resultado.ok()) {
        ui::Message(kNaoImpresso + resultado.error, "!! Atenção !!", ui::Icon::Exclamation);
        arquivo.Apaga();
        return FimRelatorioTexto::Falhou;
    }
    const bool descarta = cancelado && !janela.enviaParteAoCancelar;
    if (descarta || (escritas == 0 && !janela.visualizar)) {
        arquivo.Apaga();
        return cancelado ? FimRelatorioTexto::Cancelado : FimRelatorioTexto::Vazio;
    }
    if (!EncerraRelatorioTexto(ctx, arquivo, janela.nomeSalvar, janela.visualizar).ok()) return FimRelatorioTexto::Falhou;
    return cancelado ? FimRelatorioTexto::Cancelado : FimRelatorioTexto::Encerrado;
}

}  // namespace vorel::shell
