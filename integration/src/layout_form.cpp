// Form "ULayout": window "Update de Layout", one layout (code, description) and the list of its
// fields (form CampArquivos). A new layout starts with the default fields of its type; an insert
// that is cancelled takes them away again. The position check runs each time "&Grava" receives
// the focus. "&Imprimir" (change only) prints the stored layout: the text form in printing mode 2,
// the page form otherwise. Tables: LayArquivos (written), LayCampArquivos.
#include <memory>

#include "layout_type.h"
#include "vorel/core/text.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/integration/layout_catalogue.h"
#include "vorel/integration/layout_printout.h"
#include "vorel/integration/layouts.h"
#include "vorel/integration/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/register_window.h"

namespace vorel::integration {

namespace {

using dictionary::LayArquivosRec;
using dictionary::LayCampArquivosRec;
using ui::Level;
namespace keys = dictionary::keys;

// The fields of one layout: the records whose first two key components (type, layout code) are
// the form's.
class CamposDoLayout : public ui::TableSource {
public:
    CamposDoLayout(data::FileManager& f, const LayArquivosRec& layout)
        : ui::TableSource(f), f_(f), campo_(f.rec<LayCampArquivosRec>()), layout_(layout) {}
    void SetOrder(int key) override {
        key_ = key;
        ui::TableSource::SetOrder(key);
    }
    void ToStart() override {
        f_.clear_record();
        campo_.Arquivo = layout_.Arquivo;
        campo_.Codigo = layout_.Codigo;
        (void)f_.set_at(key_, 2);
    }
    void ToEnd() override { ToStart(); }
    bool Next() override { return f_.next().ok() && Dentro(); }
    bool Previous() override { return f_.previous().ok() && Dentro(); }

private:
    bool Dentro() const { return campo_.Arquivo == layout_.Arquivo && campo_.Codigo == layout_.Codigo; }
    data::FileManager& f_;
    LayCampArquivosRec& campo_;
    const LayArquivosRec& layout_;
    int key_ = 0;
};

class LayoutForm : public ui::RegisterForm {
public:
    enum : int {
        kSheet = 1, kTabNome, kHeading, kPromptCodigo, kCodigo, kPromptDescricao, kDescricao, kTabCampos, kCampos,
        kInclui, kAltera, kExclui, kGrava, kCancela, kAjuda, kImprimir
    };

    explicit LayoutForm(ui::ProcContext& ctx)
        : ui::RegisterForm(ctx, "ULayout", "Update de Layout", dictionary::LayArquivos(),
                           {"Incluindo Novo Layout", "Alterando Layout", "Excluindo Layout"}),
          rec_(file().rec<LayArquivosRec>()),
          campos_(ui::ThreadFile(dictionary::LayCampArquivos())),
          campo_(campos_.rec<LayCampArquivosRec>()),
          tipo_(TipoLayoutDaJanela()) {}

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        if (!AlsoOpen({&dictionary::LayCampArquivos()})) return Level::Cancel;
        rec_.Arquivo = static_cast<std::uint8_t>(tipo_);
        ui::Window& w = window();
        w.Sheet(kSheet);
        w.Tab(kTabNome, kSheet, "&Nome do Layout");
        w.String(kHeading, "Configuração do Layout").Parent(kTabNome);
        w.Prompt(kPromptCodigo, "01 Código.............").Parent(kTabNome);
        w.Entry(kCodigo, ui::Use(rec_.Codigo), "@n03").Parent(kTabNome).Tip("Código do Layout");
        w.Prompt(kPromptDescricao, "02 Descrição........").Parent(kTabNome);
        w.Entry(kDescricao, ui::Use(rec_.Descricao), "@s40").Parent(kTabNome).Tip("Descrição do layout");
        w.Tab(kTabCampos, kSheet, "Cam&pos do Layout");
        w.List(kCampos).Parent(kTabCampos);
        w.Button(kInclui, "&Inclui").Parent(kTabCampos);
        w.Button(kAltera, "&Altera").Parent(kTabCampos);
        w.Button(kExclui, "&Exclui").Parent(kTabCampos);
        w.Button(kGrava, "&Grava");
        w.Button(kCancela, "&Cancela");
        w.Button(kAjuda, "&Ajuda");
        w.Button(kImprimir, "&Imprimir");
        w.SetDefaultButton(kGrava);
        SetOkButton(kGrava);
        SetCancelButton(kCancela);
        LinkHistory({kCodigo, kDescricao});
        OkOnDelete({"&Exclui", "Exclui Registro Selecionado", "Exclui Registro Selecionado"});
        ReadOnlyOnDelete();
        ExcludeFromNavigation({kInclui, kAltera, kExclui, kGrava, kCancela, kAjuda, kImprimir});

        fonte_ = std::make_unique<CamposDoLayout>(campos_, rec_);
        lista_ = std::make_unique<ui::BrowseManager>(*this, *fonte_);
        lista_->SetList(kCampos);
        lista_->AddSortOrder({campos_.desc().key_index(keys::CampArq_Key_Codigo), 0, false, {}});
        lista_->AddColumn({"Campo", 200, 'L', [this] { return RotuloCampo(campo_.Arquivo, campo_.CodigoCampo, Onde::ListaCampos); }});
        lista_->AddColumn({"Tipo", 12, 'C', [this] { return text::to_utf8(campo_.Tipo.clipped()); }});
        lista_->AddColumn({"Tamanho", 30, 'R', [this] { return std::to_string(campo_.Tamanho); }});
        lista_->AddColumn({"Posição", 30, 'R', [this] { return std::to_string(campo_.Posicao); }});
        if (request() != ui::Request::View) {
            lista_->SetInsertButton(kInclui);
            lista_->SetChangeButton(kAltera);
            lista_->SetDeleteButton(kExclui);
        }
        return Level::Benign;
    }

    Level PrepareRequest() override {
        Level l = ui::RegisterForm::PrepareRequest();
        if (l != Level::Benign) return l;
        rec_.Arquivo = static_cast<std::uint8_t>(tipo_);
        return l;
    }

    Level OnWindowOpened() override {
        // A new layout starts with the default fields of its type.
        if (request() == ui::Request::Insert) {
            codigoNovo_ = rec_.Codigo;
            if (!AdicionaLayoutPadrao(tipo_, rec_.Codigo).ok())
                ui::Message("Não foi possível gravar os campos padrão do layout.", "Atenção!!!", ui::Icon::Exclamation);
        }
        Level l = ui::RegisterForm::OnWindowOpened();
        window()[kImprimir].Enable(request() == ui::Request::Change);
        lista_->ResetToTop();
        return l;
    }

    Level TakeEvent(const ui::Event& e) override {
        if (!window().acceptAll && lista_->TakeEvent(e) == ui::kHandled) return ui::kHandled;
        return ui::RegisterForm::TakeEvent(e);
    }

    Level OnSelected(int feq) override {
        Level l = ui::RegisterForm::OnSelected(feq);
        if (feq == kGrava && request() != ui::Request::Delete && request() != ui::Request::View) VerificaPosicoes();
        return l;
    }

    Level OnAccepted(int feq) override {
        Level l = ui::RegisterForm::OnAccepted(feq);
        if (feq == kImprimir) {
            UpdateComponents();
            if (shell::FormaDoRelatorio(shell::ModoImpressao.Get()) == shell::FormaRelatorio::Texto)
                RelLayoutsM(context(), rec_.Arquivo, rec_.Codigo);
            else
                RelLayoutsW(context(), rec_.Arquivo, rec_.Codigo);
        }
        return l;
    }

    ui::Response CallProcedure(int, ui::Request r) override {
        if (request() == ui::Request::View) return ui::Response::Cancelled;
        return context().Call("CampArquivos", r);
    }

    Level Teardown() override {
        // An abandoned new layout takes its default fields with it.
        if (codigoNovo_ != 0 && response() != ui::Response::Completed) ApagaCampos(codigoNovo_);
        lista_.reset();
        fonte_.reset();
        return ui::RegisterForm::Teardown();
    }

private:
    void VerificaPosicoes() {
        const auto msgs = integration::VerificaPosicoes(tipo_, CamposParaVerificacao(tipo_, rec_.Codigo));
        for (const std::string& m : msgs) ui::Message(m, "Atenção!!!", ui::Icon::Question);
        if (!msgs.empty()) window().Select(kCampos);
    }

    void ApagaCampos(int codigo) {
        data::Transaction tx({&campos_}, 1);
        if (!tx.status().ok()) return;
        campos_.clear_record();
        campo_.Arquivo = static_cast<std::uint8_t>(tipo_);
        campo_.Codigo = static_cast<std::uint8_t>(codigo);
        if (!campos_.set_at(campos_.desc().key_index(keys::CampArq_Key_Codigo), 2).ok()) return;
        while (campos_.next().ok() && campo_.Arquivo == tipo_ && campo_.Codigo == codigo)
            if (!campos_.remove().ok()) return;
        (void)tx.commit();
    }

    LayArquivosRec& rec_;
    data::FileManager& campos_;
    LayCampArquivosRec& campo_;
    int tipo_;
    int codigoNovo_ = 0;
    std::unique_ptr<CamposDoLayout> fonte_;
    std::unique_ptr<ui::BrowseManager> lista_;
};

}  // namespace

void RunLayoutForm(ui::ProcContext& ctx) { LayoutForm(ctx).Execute(); }

}  // namespace vorel::integration
