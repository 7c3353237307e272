// Window "Salva Relatório Matricial" (Salva_Relatorio_Matricial): a folder and a file name, then a
// plain copy of the text report there; the folder button opens the folder picker. No table.
#include "vorel/core/text.h"
#include "vorel/shell/folder_picker.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/text_viewer.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;
namespace s = salvar;

std::string ComBarra(std::string pasta) {
    pasta.resize(text::clip(pasta).size());
    if (pasta.empty() || (pasta.back() != '\\' && pasta.back() != '/')) pasta += '\\';
    return pasta;
}

class SalvaRelatorio : public WindowController {
public:
    SalvaRelatorio(ProcContext& ctx, std::string_view arquivo, std::string_view nome)
        : WindowController(ctx, "Salva_Relatorio_Matricial", "Salva Relatório Matricial"), arquivo_(arquivo) {
        caminho_ = text::to_utf8(ComBarra(PastaRaiz.Get()));
        nome_ = text::to_utf8(text::sub(text::clip(nome), 1, static_cast<int>(kNomeSalvar)));
    }

    Level Setup() override {
        WindowController::Setup();
        Window& w = window();
        w.Prompt(s::kPromptCaminho, "Caminho");
        w.Entry(s::kCaminho, Use(caminho_));
        w.Button(s::kPasta, "...").Tip("Select directory");
        w.Prompt(s::kPromptArquivo, "Nome do Arquivo");
        w.Entry(s::kArquivo, Use(nome_));
        w.Button(s::kOk, "&Salvar");
        w.Button(s::kCancelar, "&Cancelar");
        SetCancelButton(s::kCancelar);
        OnButton(s::kPasta, [this] {
            // The picker leaves the folder with its closing backslash (or blank).
            std::string pasta = text::from_utf8(caminho_);
            SelecionaDiretorio(ctx_, pasta);
            caminho_ = text::to_utf8(pasta);
            window().Display();
            return Level::Benign;
        });
        OnButton(s::kOk, [this] {
            report::Outcome o = CopiaRelatorio(arquivo_, text::from_utf8(caminho_), text::from_utf8(nome_));
            if (!o.ok()) {
                Message("Não foi possível salvar o relatório.|" + o.error, "!! Atenção !!", Icon::Exclamation, "&OK");
                return Level::Benign;
            }
            CloseWith(Response::Completed);
            return Level::Benign;
        });
        return Level::Benign;
    }

private:
    std::string arquivo_;
    std::string caminho_;  // LOC:CAMINHO (UTF-8 in the window)
    std::string nome_;     // LOC:ARQUIVO
};

}  // namespace

void Salva_Relatorio_Matricial(ProcContext& ctx, std::string_view arquivo, std::string_view nomeSalvar) {
    SalvaRelatorio(ctx, arquivo, nomeSalvar).Execute();
}

}  // namespace vorel::shell
