// ApagaEmpresa ("Confirmação de Exclusão"): after a company's record was deleted, asks again and
// deletes the company's folder under the data root with everything in it. Tables: none.
//
// The folder is always PastaRaiz & the code in eight digits, and the delete is bound to the data
// root: no other folder is ever touched; ExcluiArquivos shows each folder and file as it goes. What
// could not be deleted (a file in use) stays and is listed in a message.
#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/shell/company_register.h"
#include "vorel/shell/exclui_arquivos.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;

class JanelaApaga : public WindowController {
public:
    enum : int { kAtencao = 1, kAviso = 2, kPromptCodigo = 3, kCodigo = 4, kPromptNome = 5, kNome = 6, kPergunta = 7, kNao = 8, kSim = 9 };

    JanelaApaga(ProcContext& ctx, std::uint16_t codigo, const std::string& nome)
        : WindowController(ctx, "ApagaEmpresa", "Confirmação de Exclusão"), codigo_(codigo), nome_(text::to_utf8(text::clip(nome))) {}

    Level Setup() override {
        WindowController::Setup();
        RememberPosition();
        Window& w = window();
        w.String(kAtencao, "ATENÇÃO!!!");
        w.String(kAviso, "Essa opção excluirá todos os arquivos de movimentação dessa Empresa, em todos os Sistemas!");
        w.Prompt(kPromptCodigo, "Código:");
        w.Entry(kCodigo, Use(codigo_)).ReadOnly();
        w.Prompt(kPromptNome, "Nome:");
        w.Entry(kNome, Use(nome_)).ReadOnly();
        w.String(kPergunta, "Deseja confirmar a EXCLUSÃO??");
        w.Button(kNao, "&NÃO");
        w.Button(kSim, "&SIM");
        w.SetDefaultButton(kNao);
        SetCancelButton(kNao);
        OnButton(kSim, [this] {
            Exclui();
            CloseWith(Response::Completed);
            return Level::Benign;
        });
        return Level::Benign;
    }

private:
    void Exclui() {
        const std::string raiz(text::clip(PastaRaiz.Get()));
        const std::string pasta = files::join(raiz, text::zero_fill(codigo_, 8));
        std::vector<files::DeleteFailure> falhas = ExcluiArquivos(context(), pasta, raiz);
        if (falhas.empty()) return;
        std::string texto = "Não foi possível excluir:";
        for (std::size_t i = 0; i < falhas.size() && i < 10; ++i)
            texto += "|" + text::to_utf8(falhas[i].path) + " (" + falhas[i].message + ")";
        if (falhas.size() > 10) texto += "|...";
        Message(texto, "Atenção", Icon::Exclamation);
    }

    std::uint16_t codigo_;
    std::string nome_;
};

}  // namespace

void ApagaEmpresa(ProcContext& ctx, std::uint16_t codigo, const std::string& nome) {
    JanelaApaga(ctx, codigo, nome).Execute();
}

}  // namespace vorel::shell
