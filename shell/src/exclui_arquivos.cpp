// ExcluiArquivos: the root-bound tree delete with a window per folder showing what goes.
#include "vorel/shell/exclui_arquivos.h"

#include <chrono>
#include <memory>

#include "vorel/core/text.h"
#include "vorel/ui/window.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;
using Clock = std::chrono::steady_clock;

enum : int { kTitulo = 1, kPromptPasta, kPasta, kPromptArquivo, kArquivo };

// The last part of a program path.
std::string NomeDe(const std::string& caminho) {
    const std::size_t barra = caminho.find_last_of('\\');
    return barra == std::string::npos ? caminho : caminho.substr(barra + 1);
}

class Progresso : public files::DeleteObserver {
public:
    explicit Progresso(ProcContext& ctx) : ctx_(ctx) {}

    void entering(const std::string& pasta) override {
        auto w = std::make_unique<Window>(ctx_, "");
        w->String(kTitulo, "Reorganizando arquivos");
        w->Prompt(kPromptPasta, "Diretório:");
        w->String(kPasta, text::to_utf8(pasta));
        w->Prompt(kPromptArquivo, "Arquivo:");
        w->String(kArquivo, "");
        w->Open();  // sends the window as it stands
        janelas_.push_back(std::move(w));
        enviado_ = Clock::now();
    }

    void deleting(const std::string& arquivo) override {
        if (janelas_.empty()) return;
        Window& w = *janelas_.back();
        w[kArquivo].Text(text::to_utf8(NomeDe(arquivo)));
        // The model always holds the latest file; the front end hears of it now and then.
        const Clock::time_point agora = Clock::now();
        if (agora - enviado_ < std::chrono::milliseconds(50)) return;
        enviado_ = agora;
        w.Flush();
    }

    void leaving(const std::string&) override {
        if (!janelas_.empty()) janelas_.pop_back();  // closes the folder's window
    }

    // The program closing stops the delete; what is left stays for the next time.
    bool stop() override { return ctx_.StopRequested(); }

private:
    ProcContext& ctx_;
    std::vector<std::unique_ptr<Window>> janelas_;
    Clock::time_point enviado_{};
};

}  // namespace

std::vector<files::DeleteFailure> ExcluiArquivos(ProcContext& ctx, const std::string& pasta, const std::string& raiz) {
    Progresso progresso(ctx);
    return files::remove_tree(pasta, raiz, &progresso);
}

}  // namespace vorel::shell
