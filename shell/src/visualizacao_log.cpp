// VisualizacaoLog ("Visualização de Log"): the log of month closings and reopenings. Tables:
// LogEscrita. Position kept under the procedure's name.
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/shell/month_closing.h"
#include "vorel/shell/shell_windows.h"
#include "vorel/ui/register_window.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;
using dictionary::LogEscritaRec;

std::string Hora(date::Time t) {
    if (t <= 0) return {};
    date::Hms h = date::split_time(t);
    return text::zero_fill(h.hours, 2) + ":" + text::zero_fill(h.minutes, 2) + ":" + text::zero_fill(h.seconds, 2);
}

class JanelaLog : public RegisterBrowse {
public:
    enum : int { kPromptLoc = 1, kLoc = 2, kList = 3, kFecha = 4 };

    explicit JanelaLog(ProcContext& ctx)
        : RegisterBrowse(ctx, "VisualizacaoLog", "Visualização de Log", dictionary::LogEscrita(), ""),
          rec_(file().rec<LogEscritaRec>()) {
        NoResizer();
        RememberPosition();
    }

    Level Build(Window& w) override {
        w.Prompt(kPromptLoc, "Mês/Ano:");
        w.Entry(kLoc, ui::UseMesAno(rec_.MESANO), "@d014b");
        w.List(kList);
        w.Button(kFecha, "").Icon("Cancel.ico").Tip("Fecha");
        BrowseManager& b = browse();
        b.SetList(kList, 15);
        b.AddColumn({"Usuário", 80, 'L', [this] { return text::to_utf8(rec_.USUARIO.clipped()); }});
        b.AddColumn({"Mês/Ano", 40, 'C', [this] { return text::to_utf8(picture::format("@d014b", rec_.MESANO)); }});
        b.AddColumn({"Data", 48, 'C', [this] { return text::to_utf8(picture::format("@d06b", rec_.DATA)); }});
        b.AddColumn({"Hora", 40, 'C', [this] { return Hora(rec_.HORA); }});
        b.AddColumn({"Tipo", 20, 'R', [this] { return std::to_string(rec_.Tipo); }});
        b.AddColumn({"Descricao", 60, 'L', [this] { return DescricaoLog(rec_.Tipo); }});
        b.AddSortOrder({file().desc().key_index(dictionary::keys::LOG1_KEY_LOG), kLoc, false, {}});
        SetCloseButton(kFecha);
        return Level::Benign;
    }

private:
    LogEscritaRec& rec_;
};

}  // namespace

void VisualizacaoLog(ProcContext& ctx) { JanelaLog(ctx).Execute(); }

}  // namespace vorel::shell
