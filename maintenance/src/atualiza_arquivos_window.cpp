// Window "AtualizaArquivos" ("Atualização"): the one-time conversion of the rate history
// (vorel/maintenance/atualiza_arquivos.h) over every company of the data root, run as soon as the
// window opens, without questions; it closes itself when the run ends. It shows the company in hand
// ("Atualizando Arquivo da Empresa - " and its name), the year folder, the step (" - Produtos"
// while the products are gone through), the products done and a bar over the companies and one
// over the products. The working company and period are not touched. When a company could not be
// converted, one message names each before the window closes.
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/maintenance/atualiza_arquivos.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::maintenance {

namespace {

using ui::Level;

class JanelaAtualizaArquivos : public ui::WindowController {
public:
    enum : int { kEmpresa = 1, kAno, kPasso, kProdutos, kBarraEmpresas, kBarraProdutos };

    explicit JanelaAtualizaArquivos(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "AtualizaArquivos", "Atualização") {}

    Level Setup() override {
        Level l = ui::WindowController::Setup();
        if (l != Level::Benign) return l;
        ui::Window& w = window();
        w.String(kEmpresa, "Atualizando Arquivo da Empresa - ");
        w.String(kAno, "");
        w.String(kPasso, "");
        w.String(kProdutos, Contador(0));
        w.Progress(kBarraEmpresas);
        w.Progress(kBarraProdutos);
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Level l = ui::WindowController::OnWindowOpened();
        ui::Window& w = window();
        const ResultadoConversao r = AtualizaArquivos(shell::PastaRaiz.Get(), [this, &w](const AndamentoConversao& a) {
            w[kEmpresa].Text("Atualizando Arquivo da Empresa - " + a.empresa);
            w[kAno].Text(text::to_utf8(picture::format("@p####p", static_cast<long long>(a.ano))));
            w[kPasso].Text(a.produtos ? " - Produtos" : "");
            w[kProdutos].Text(Contador(a.produtosFeitos));
            w[kBarraEmpresas].Range(0, static_cast<int>(a.empresasTotal)).Progress(static_cast<int>(a.empresasFeitas));
            w[kBarraProdutos].Range(0, static_cast<int>(a.produtosTotal)).Progress(static_cast<int>(a.produtosFeitos));
            w.Flush();
            return !context().StopRequested();
        });
        if (!r.falhas.empty() && !context().StopRequested()) {
            std::string texto = "Não foi possível atualizar o histórico de alíquotas de:";
            for (const std::string& f : r.falhas) texto += "|" + f;
            ui::Message(texto, "Atenção!!!");
        }
        CloseWith(ui::Response::Completed);
        return l;
    }

private:
    static std::string Contador(long long n) { return text::to_utf8(picture::format("@n9", n)); }
};

}  // namespace

void RunAtualizaArquivos(ui::ProcContext& ctx) { JanelaAtualizaArquivos(ctx).Execute(); }

}  // namespace vorel::maintenance
