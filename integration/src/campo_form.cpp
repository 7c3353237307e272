// Form "CampArquivos": window "Campo do Layout", one field of a layout: the code chosen from the
// catalogue of the layout's type (a choice list on insert; on change and delete a read-only entry
// with the code's label), its description, kind, size and start column. Choosing a code proposes
// its kind and hint; opening a field to change proposes them again. Table: LayCampArquivos.
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/integration/layout_catalogue.h"
#include "vorel/integration/procedures.h"
#include "vorel/ui/register_window.h"

namespace vorel::integration {

namespace {

using dictionary::LayArquivosRec;
using dictionary::LayCampArquivosRec;
using ui::Level;

class CampoForm : public ui::RegisterForm {
public:
    enum : int {
        kHeading = 1, kPromptCodigo, kEscolha, kCodigoTexto, kPromptDescricao, kDescricao, kPromptTipo, kTipo,
        kPromptTamanho, kTamanho, kPromptPosicao, kPosicao, kGrava, kCancela, kAjuda
    };

    explicit CampoForm(ui::ProcContext& ctx)
        : ui::RegisterForm(ctx, "CampArquivos", "Campo do Layout", dictionary::LayCampArquivos(),
                           {"Incluindo Novo Campo no Layout", "Alterando Dados do Layout", "Excluindo Campo do Layut"}),
          rec_(file().rec<LayCampArquivosRec>()),
          layout_(ui::ThreadFile(dictionary::LayArquivos()).rec<LayArquivosRec>()) {}

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        ui::Window& w = window();
        std::vector<std::string> rotulos, codigos;
        for (const CampoCatalogo& c : EntradasDoTipo(rec_.Arquivo)) {
            rotulos.push_back(c.rotulo);
            codigos.push_back(std::to_string(c.codigo));
        }
        w.String(kHeading, "Informação do Campo");
        w.Prompt(kPromptCodigo, "01 Codigo Campo.........");
        w.DropList(kEscolha, ui::Use(rec_.CodigoCampo), rotulos, codigos).Tip("Código dos Campos");
        w.Entry(kCodigoTexto, ui::UseFn([this] { return RotuloCampo(rec_.Arquivo, rec_.CodigoCampo); },
                                        [](const std::string&) { return true; }))
            .ReadOnly()
            .Tip("Código dos Campos");
        w.Prompt(kPromptDescricao, "02 Descrição Campo....");
        w.TextBox(kDescricao, ui::Use(rec_.DescCampo)).Tip("Descrição do Campo");
        w.Prompt(kPromptTipo, "03 Tipo do Campo........");
        w.DropList(kTipo, ui::Use(rec_.Tipo), {"N-Numérico", "X-Alfanumérico"}, {"N", "X"})
            .Tip("Tipo de Campo (Numerico ou Alfanumerico");
        w.Prompt(kPromptTamanho, "04 Tamanho.................");
        w.Entry(kTamanho, ui::Use(rec_.Tamanho), "@n6").Tip("Tamanho do Campo");
        w.Prompt(kPromptPosicao, "05 Posição............");
        w.Entry(kPosicao, ui::Use(rec_.Posicao), "@n6").Tip("Posição do campo no Arquivo");
        w.Button(kGrava, "&Grava");
        w.Button(kCancela, "&Cancela");
        w.Button(kAjuda, "&Ajuda");
        w.SetDefaultButton(kGrava);
        SetOkButton(kGrava);
        SetCancelButton(kCancela);
        LinkHistory({kEscolha, kTamanho, kPosicao, kDescricao, kTipo});
        OkOnDelete({"&Exclui", "Exclui Registro Selecionado", "Exclui Registro Selecionado"});
        ReadOnlyOnDelete();
        ExcludeFromNavigation({kGrava, kCancela, kAjuda});
        return Level::Benign;
    }

    Level PrepareRequest() override {
        Level l = ui::RegisterForm::PrepareRequest();
        if (l != Level::Benign || request() != ui::Request::Insert) return l;
        // A new field belongs to the layout of the calling form and takes the next code within it.
        rec_.Arquivo = layout_.Arquivo;
        rec_.Codigo = layout_.Codigo;
        const int campo = file().desc().key_index(dictionary::keys::CampArq_Key_Codigo);
        rec_.CodigoCampo = static_cast<std::uint8_t>(std::max<std::int64_t>(file().highest(campo, 3), 0) + 1);
        return l;
    }

    Level OnWindowOpened() override {
        Level l = ui::RegisterForm::OnWindowOpened();
        ui::Window& w = window();
        const bool escolhe = request() == ui::Request::Insert;
        w[kEscolha].Hide(!escolhe);
        w[kCodigoTexto].Hide(escolhe);
        if (request() == ui::Request::Change) {
            // The catalogue's description and kind are proposed again; a code outside the
            // catalogue keeps what is stored.
            if (const CampoCatalogo* c = EntradaDoCampo(rec_.Arquivo, rec_.CodigoCampo)) {
                rec_.DescCampo = std::string(text::clip(text::from_utf8(c->dica)));
                rec_.Tipo = std::string(1, c->tipo);
            }
        }
        w.Display();
        return l;
    }

    Level OnAccepted(int feq) override {
        Level l = ui::RegisterForm::OnAccepted(feq);
        if (feq == kEscolha && !window().acceptAll) {
            if (const CampoCatalogo* c = EntradaDoCampo(rec_.Arquivo, rec_.CodigoCampo)) {
                rec_.DescCampo = text::from_utf8(c->dica);
                rec_.Tipo = std::string(1, c->tipo);
                window().Display();
            }
        }
        return l;
    }

private:
    LayCampArquivosRec& rec_;
    LayArquivosRec& layout_;
};

}  // namespace

void RunCampoForm(ui::ProcContext& ctx) { CampoForm(ctx).Execute(); }

}  // namespace vorel::integration
