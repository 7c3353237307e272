// Window "Seleciona Impressora" (Configura_Impressora): the printing mode and the dot-matrix
// printer. Reads the table Impressora; writes Vorel.ini section Impressora.
#include <vector>

#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/printer_setup.h"
#include "vorel/shell/printing_settings.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;
namespace c = configura;

std::string U(std::string_view cp1252) { return text::to_utf8(cp1252); }

// Codes and names of every printer, in code order.
std::vector<std::pair<std::uint8_t, std::string>> ListaImpressoras() {
    std::vector<std::pair<std::uint8_t, std::string>> lista;
    const data::TableDesc& desc = dictionary::Impressora();
    std::optional<data::FileManager> proprio;
    data::FileManager* imp = data::dictionary::find(desc);
    if (!imp) imp = &proprio.emplace(desc);
    if (!imp->open().ok()) return lista;
    auto& rec = imp->rec<dictionary::ImpressoraRec>();
    if (imp->set(dictionary::keys::IMP_KEY_CODIGO).ok())
        while (imp->next().ok()) lista.emplace_back(rec.CODIGO, std::string(rec.NOME.clipped()));
    (void)imp->close();
    return lista;
}

class ConfiguraImpressora : public WindowController {
public:
    explicit ConfiguraImpressora(ProcContext& ctx)
        : WindowController(ctx, "Configura_Impressora", "Seleciona Impressora"),
          modo_(ModoImpressao.Get()), codigo_(GLO_CODIMPRESSORA.Get()) {}

    Level Setup() override {
        WindowController::Setup();
        Window& w = window();
        w.Add(c::kGrupoImpressao, ControlType::Group, "Impressão");
        w.Radio(c::kWindows, "Impressão Windows", Modo(kModoWindows)).Parent(c::kGrupoImpressao);
        w.Radio(c::kJatoTinta, "Impressora Jato Tinta", Modo(kModoJatoTinta)).Parent(c::kGrupoImpressao);
        w.Radio(c::kDos, "Impressão DOS", Modo(kModoDos)).Parent(c::kGrupoImpressao);
        w.Add(c::kImagem, ControlType::Image);
        w.Add(c::kGrupoMatricial, ControlType::Group, "Impressora Matricial");
        std::vector<std::string> itens, valores;
        for (const auto& [codigo, nome] : ListaImpressoras()) {
            itens.push_back(text::zero_fill(codigo, 3));
            valores.push_back(std::to_string(codigo));
        }
        w.DropList(c::kImpressora, UseFn([this] { return std::to_string(codigo_); },
                                         [this](const std::string& s) {
                                             long long n = 0;
                                             if (!ParseLeadingInteger(s, n) || n < 0 || n > 255) return false;
                                             codigo_ = static_cast<std::uint8_t>(n);
                                             return true;
                                         }),
                   itens, valores)
            .Columns({{"Código", 12, 'R'}})
            .Parent(c::kGrupoMatricial);
        w.String(c::kNome, "").Parent(c::kGrupoMatricial);
        w.Button(c::kOk, "&O.K.").Tip("Confirma Modo de Impressão");
        w.Button(c::kCancela, "&Cancela").Tip("Cancela e Retorna a Tela Principal");
        w.Button(c::kAjuda, "&Ajuda").Tip("Ajuda On-Line");
        for (int b : {c::kOk, c::kCancela, c::kAjuda}) navigator().ExcludeControl(b);
        SetCancelButton(c::kCancela);
        OnButton(c::kOk, [this] { return Confirma(); });
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        MostraModo();
        return WindowController::OnWindowOpened();
    }

    Level OnAccepted(int feq) override {
        switch (feq) {
            case c::kWindows: case c::kJatoTinta: case c::kDos: MostraModo(); return Level::Benign;
            case c::kImpressora: MostraNome(); return Level::Benign;
            default: return WindowController::OnAccepted(feq);
        }
    }

private:
    UsePtr Modo(std::uint8_t valor) {
        return UseFn([this, valor] { return std::string(modo_ == valor ? "1" : "0"); },
                     [this, valor](const std::string& s) {
                         if (s == "1") modo_ = valor;
                         return true;
                     });
    }

    void MostraModo() {
        Window& w = window();
        w[c::kImagem].Text(ImagemDoModo(modo_));
        w[c::kGrupoMatricial].Hide(modo_ != kModoDos);
        w[c::kImpressora].Hide(modo_ != kModoDos);
        w[c::kNome].Hide(modo_ != kModoDos);
        MostraNome();
    }

    void MostraNome() {
        auto imp = LeImpressora(codigo_);
        window()[c::kNome].Text(imp ? U(imp->NOME.clipped()) : std::string());
    }

    Level Confirma() {
        window().Update();
        if (modo_ == kModoDos && !LeImpressora(codigo_)) {
            window().Select(c::kImpressora);
            return Level::Benign;
        }
        if (std::string erro = GravaModoImpressao(modo_, codigo_); !erro.empty()) {
            Message(erro, "Atenção!!!", Icon::Exclamation, "&OK");
            return Level::Benign;
        }
        CloseWith(Response::Completed);
        return Level::Benign;
    }

    std::uint8_t modo_;
    std::uint8_t codigo_;
};

}  // namespace

std::string ImagemDoModo(std::uint8_t modo) {
    switch (modo) {
        case kModoWindows: return "\\Trabalho\\Imagens\\Video.jpg";
        case kModoJatoTinta: return "\\Trabalho\\Imagens\\Impresso.jpg";
        default: return "\\Trabalho\\Imagens\\Matri.jpg";
    }
}

std::string GravaModoImpressao(std::uint8_t modo, std::uint8_t impressora) {
    const std::error_code ec = GravaModoImpressaoConfig({modo, impressora});
    if (ec) return "Não foi possível gravar o modo de impressão em Vorel.ini: " + ec.message();
    ModoImpressao.Set(modo);
    GLO_CODIMPRESSORA.Set(impressora);
    CarregaCodigosImpressora();
    return {};
}

void Configura_Impressora(ProcContext& ctx) { ConfiguraImpressora(ctx).Execute(); }

}  // namespace vorel::shell
