// TrocaPapelParede: the wallpaper window ("Trocar Papel Parede"): picture file, layout or no
// wallpaper at all, saved to section Papel_Parede of Vorel.ini on "&Ok".
#include "vorel/core/text.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/settings_read.h"
#include "vorel/shell/small_windows.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;
namespace p = papel;

class JanelaPapelParede : public WindowController {
public:
    explicit JanelaPapelParede(ProcContext& ctx)
        : WindowController(ctx, "TrocaPapelParede", "Trocar Papel Parede"),
          chooser_("Papel de Parede",
                   "Todas os arquivos Figuras|*.bmp;*.pcx;*.gif;*.jpg;*.wmf|Jpeg|*.JPG|GIF|*.GIF|WMF|*.WMF|PCX|*.PCX|Bmp|*.BMP") {}

    Level Setup() override {
        WindowController::Setup();
        PapelParedeConfig c = LePapelParedeConfig();
        arquivo_ = text::to_utf8(c.arquivo);
        disposicao_ = c.disposicao;
        nenhum_ = !text::clip(c.nenhum).empty();
        nenhumTexto_ = c.nenhum;

        Window& w = window();
        w.Add(p::kGrupo, ControlType::Group, "Nome completo do arquivo, para papel de parede");
        w.Entry(p::kArquivo, Use(arquivo_), "@s300");
        w.Button(p::kPesquisa, "").Tip("Mostra todos os arquivos que podem ser colocados como papel de parede");
        w.Add(p::kDisposicao, ControlType::Option, "Disposição");
        int n = 1;
        for (int feq : {p::kAmpliado, p::kLadoALado, p::kCentralizado}) {
            static const char* const kTextos[] = {"&Ampliado", "&Lado a Lado", "&Centralizado"};
            int valor = n++;
            w.Radio(feq, kTextos[valor - 1],
                    UseFn([this, valor] { return std::string(disposicao_ == valor ? "1" : "0"); },
                          [this, valor](const std::string& s) {
                              if (s == "1") disposicao_ = valor;
                              return true;
                          }))
                .Parent(p::kDisposicao);
        }
        w.Add(p::kImagem, ControlType::Image);
        w.Check(p::kNenhum, "Não quero utilizar papel de parede", Use(nenhum_)).Tip("Não será utilizado papel de Parede");
        w.Button(p::kOk, "&Ok").Tip("Grava as alterações e volta para o Menu Principal");
        w.Button(p::kCancela, "&Cancela").Tip("Não grava as alterações do papel de parede");
        w.Button(p::kAjuda, "&Ajuda");
        SetOkButton(p::kOk);
        SetCancelButton(p::kCancela);
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Preview();
        Habilita();
        return Level::Benign;
    }

    Level OnAccepted(int feq) override {
        switch (feq) {
            case p::kArquivo: Preview(); return Level::Benign;
            case p::kPesquisa:
                if (auto f = chooser_.File("", arquivo_)) {
                    arquivo_ = *f;
                    window().Display();
                    Preview();
                }
                return Level::Benign;
            case p::kAmpliado: case p::kLadoALado: case p::kCentralizado: Preview(); return Level::Benign;
            case p::kNenhum: Habilita(); return Level::Benign;
            default: return WindowController::OnAccepted(feq);
        }
    }

    Level OnCompleted() override {
        PapelParedeConfig c;
        c.arquivo = text::from_utf8(arquivo_);
        c.disposicao = disposicao_;
        // The check box keeps a text it was stored with; a newly checked box stores "1".
        c.nenhum = nenhum_ ? (text::clip(nenhumTexto_).empty() ? std::string("1") : nenhumTexto_) : std::string();
        if (auto ec = GravaPapelParedeConfig(c)) {
            Message("Não foi possível gravar o papel de parede em Vorel.ini: " + ec.message(), "Trocar Papel Parede",
                    Icon::Exclamation);
            return Level::Benign;
        }
        GLO_PAPELPAREDE.Set(c.nenhum);
        return WindowController::OnCompleted();
    }

private:
    void Preview() {
        Control& img = window()[p::kImagem];
        img.Text(arquivo_);
        img.Value(disposicao_ >= 1 && disposicao_ <= 3 ? std::to_string(disposicao_) : std::string());
    }

    void Habilita() {
        for (int feq : {p::kArquivo, p::kPesquisa, p::kDisposicao, p::kAmpliado, p::kLadoALado, p::kCentralizado})
            window()[feq].Enable(!nenhum_);
    }

    FileChooser chooser_;
    std::string arquivo_;
    int disposicao_ = 0;
    bool nenhum_ = false;
    std::string nenhumTexto_;
};

}  // namespace

void TrocaPapelParede(ProcContext& ctx) { JanelaPapelParede(ctx).Execute(); }

}  // namespace vorel::shell
