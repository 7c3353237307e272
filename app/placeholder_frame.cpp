// The temporary application frame (see placeholder_frame.h).
#include "placeholder_frame.h"

#include <chrono>
#include <ctime>
#include <string>
#include <vector>

#include "vorel/core/version.h"
#include "vorel/ui/runtime.h"
#include "vorel/ui/window.h"

namespace vorel::app {

namespace {

std::string TimeOfDay() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[16];
    std::strftime(buf, sizeof buf, "%H:%M:%S", &tm);
    return buf;
}

void PlaceholderFrame(ui::ProcContext& ctx) {
    using namespace vorel::ui;
    constexpr int kMenuBar = 1, kMenu = 2, kExit = 3, kToolbar = 10, kExitButton = 11, kFirstItem = 100;
    Window w(ctx, std::string("Vorel  -  ") + vorel::version());
    w.SetFrame();
    w.Add(kMenuBar, ControlType::MenuBar);
    w.Add(kMenu, ControlType::Menu, "&Procedimentos").Parent(kMenuBar);
    std::vector<std::string> names;
    for (const auto& n : ProcedureRegistry::Names())
        if (n != kPlaceholderFrame) names.push_back(n);
    for (std::size_t i = 0; i < names.size(); ++i)
        w.Add(kFirstItem + static_cast<int>(i), ControlType::MenuItem, names[i]).Parent(kMenu);
    if (names.empty()) w.Add(kFirstItem, ControlType::MenuItem, "(nenhum procedimento registrado)").Parent(kMenu).Disable();
    w.Add(kExit, ControlType::MenuItem, "&Sair").Parent(kMenuBar).Msg("Fecha Aplicativo  -  Alt + F").Alert(key::Alt | 'F');
    w.Add(kToolbar, ControlType::Toolbar);
    w.Button(kExitButton, "").Parent(kToolbar).Icon("exit").Tip("Fecha Aplicativo");
    w.SetStatusZone(1, "Menu provisório: o menu principal ainda não está instalado");
    w.SetStatusZone(4, TimeOfDay());
    w.SetTimer(100);
    w.Open();
    for (Event e; (e = w.Accept()).code != event::None;) {
        if (e.code == event::Timer) w.SetStatusZone(4, TimeOfDay());
        if (e.code == event::CloseWindow || (e.code == event::AlertKey && e.key == (key::Alt | 'F'))) w.Close();
        if (e.code != event::Accepted) continue;
        if (e.feq == kExit || e.feq == kExitButton) w.Close();
        int i = e.feq - kFirstItem;
        if (i >= 0 && i < static_cast<int>(names.size())) ctx.runtime().Start(names[static_cast<std::size_t>(i)]);
    }
}

}  // namespace

void RegisterPlaceholderFrame() { ui::ProcedureRegistry::Add(kPlaceholderFrame, PlaceholderFrame); }

}  // namespace vorel::app
