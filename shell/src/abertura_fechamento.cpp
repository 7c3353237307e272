// AberturaFechamento (" Fechamento / Abertura"): the closed months, after the user confirms with
// VerificaUsuario; the user is handed to the forms in memory. Tables: FechamentoEscrita (listed),
// LogEscrita (written by the forms). Position kept under the procedure's name.
#include "vorel/core/picture.h"
#include "vorel/ui/pictured_use.h"
#include "update_fechamento.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/shell_windows.h"
#include "vorel/shell/users.h"
#include "vorel/ui/register_window.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;
using dictionary::FechamentoEscritaRec;

class JanelaFechamentos : public RegisterBrowse {
public:
    enum : int {
        kPromptLoc = 1, kLoc = 2, kList = 3, kInclui = 4, kAltera = 5, kExclui = 6, kFecha = 7, kAjuda = 8,
        kFechaVarios = 9, kAbreVarios = 10
    };

    JanelaFechamentos(ProcContext& ctx, std::string usuario)
        : RegisterBrowse(ctx, "AberturaFechamento", " Fechamento / Abertura", dictionary::FechamentoEscrita(), ""),
          fef_(file()), rec_(fef_.rec<FechamentoEscritaRec>()), usuario_(std::move(usuario)) {
        NoResizer();
        RememberPosition();
    }

    Level Build(Window& w) override {
        w.Prompt(kPromptLoc, "Mês / Ano:");
        w.Entry(kLoc, ui::UseMesAno(rec_.MESANO), "@d014b");
        w.List(kList);
        w.Button(kInclui, "&Inclui");
        w.Button(kAltera, "&Altera");
        w.Button(kExclui, "&Exclui");
        w.Button(kFecha, "&Fecha");
        w.Button(kAjuda, "&Ajuda");
        w.Button(kFechaVarios, "Fecha Vários Meses");
        w.Button(kAbreVarios, "Abre Vários Meses");
        BrowseManager& b = browse();
        b.SetList(kList, 12);
        b.AddColumn({" Mês / Ano", 60, 'C', [this] { return text::to_utf8(picture::format("@d014b", rec_.MESANO)); }});
        b.AddSortOrder({fef_.desc().key_index(dictionary::keys::FEF_KEY_MESANO), kLoc, false, {}});
        SetButtons(b, kInclui, kAltera, kExclui, 0);
        SetCloseButton(kFecha);
        ExcludeFromNavigation({kInclui, kAltera, kExclui, kFecha, kAjuda, kFechaVarios, kAbreVarios});
        OnButton(kFechaVarios, [this] {
            FechaVariosMeses(context(), usuario_);
            return Atualiza();
        });
        OnButton(kAbreVarios, [this] {
            AbreVariosMeses(context(), usuario_);
            return Atualiza();
        });
        return Level::Benign;
    }

    // The forms take the confirmed user in memory.
    Response CallProcedure(int, Request request) override {
        const std::string usuario = usuario_;
        return context().Call([usuario](ProcContext& c) { UpdateFechamentoEscrita(c, usuario); }, request);
    }

    Level DispatchEvent(const Event& e) override {
        Level l = RegisterBrowse::DispatchEvent(e);
        // "Abre Vários Meses" only while some month is closed.
        if (hasWindow() && window().Find(kAbreVarios)) window()[kAbreVarios].Enable(fef_.records() > 0);
        return l;
    }

private:
    Level Atualiza() {
        browse().ResetToTop();
        return Level::Benign;
    }

    data::FileManager& fef_;
    FechamentoEscritaRec& rec_;
    std::string usuario_;
};

}  // namespace

void AberturaFechamento(ProcContext& ctx) {
    // Who confirms is who the closings and reopenings of this window are logged for.
    UsuarioVerificado v = VerificaUsuario(ctx);
    if (!v.ok) {
        ctx.response = Response::Cancelled;
        return;
    }
    JanelaFechamentos(ctx, v.usuario).Execute();
}

}  // namespace vorel::shell
