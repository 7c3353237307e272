// Names of control types, events and keys, for dumps and scripts.
#include "vorel/ui/types.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "vorel/ui/window.h"

namespace vorel::ui {

const char* ControlTypeName(ControlType t) {
    switch (t) {
        case ControlType::String: case ControlType::String2: return "string";
        case ControlType::Image: return "image";
        case ControlType::Region: return "region";
        case ControlType::Line: return "line";
        case ControlType::Box: return "box";
        case ControlType::Ellipse: return "ellipse";
        case ControlType::Entry: return "entry";
        case ControlType::Button: return "button";
        case ControlType::Prompt: return "prompt";
        case ControlType::Option: return "option";
        case ControlType::Check: return "check";
        case ControlType::Group: return "group";
        case ControlType::List: return "list";
        case ControlType::Combo: return "combo";
        case ControlType::Spin: return "spin";
        case ControlType::Text: return "text";
        case ControlType::Custom: return "custom";
        case ControlType::Menu: return "menu";
        case ControlType::MenuItem: return "item";
        case ControlType::Radio: return "radio";
        case ControlType::MenuBar: return "menubar";
        case ControlType::AppFrame: return "frame";
        case ControlType::Window: return "window";
        case ControlType::OleContainer: return "ole";
        case ControlType::DropList: return "droplist";
        case ControlType::DropCombo: return "dropcombo";
        case ControlType::Progress: return "progress";
        case ControlType::Sheet: return "sheet";
        case ControlType::Tab: return "tab";
        case ControlType::Panel: return "panel";
        case ControlType::RichText: return "richtext";
        case ControlType::SubList: return "sublist";
        case ControlType::Toolbar: return "toolbar";
        case ControlType::Item270: return "type270";
    }
    return "control";
}

namespace event {
const char* Name(int code) {
    switch (code) {
        case None: return "none";
        case Accepted: return "accepted";
        case NewSelection: return "new selection";
        case ScrollUp: return "scroll up";
        case ScrollDown: return "scroll down";
        case PageUp: return "page up";
        case PageDown: return "page down";
        case ScrollTop: return "scroll top";
        case ScrollBottom: return "scroll bottom";
        case AlertKey: return "alert key";
        case TabChanging: return "tab changing";
        case Selected: return "selected";
        case CloseWindow: return "close window";
        case OpenWindow: return "open window";
        case GainFocus: return "gain focus";
        case LoseFocus: return "lose focus";
        case Timer: return "timer";
        case Maximized: return "maximized";
        case Iconized: return "iconized";
        case Moved: return "moved";
        case Sized: return "sized";
        case DoResize: return "resize";
        case ListSized: return "list sized";
        case Refused: return "refused";
        default: return code >= User ? "posted" : "other";
    }
}
}  // namespace event

namespace key {
int Parse(const char* name) {
    std::string s(name);
    int mods = 0;
    for (;;) {
        auto plus = s.find('+');
        if (plus == std::string::npos || plus + 1 >= s.size()) break;
        std::string m = s.substr(0, plus);
        for (auto& ch : m) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (m == "shift") mods |= Shift;
        else if (m == "ctrl") mods |= Ctrl;
        else if (m == "alt") mods |= Alt;
        else break;
        s = s.substr(plus + 1);
    }
    std::string l = s;
    for (auto& ch : l) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    static const struct { const char* n; int k; } names[] = {
        {"tab", Tab}, {"enter", Enter}, {"esc", Esc}, {"space", Space}, {"up", Up}, {"down", Down},
        {"left", Left}, {"right", Right}, {"pageup", PageUp}, {"pagedown", PageDown}, {"home", Home},
        {"end", End}, {"delete", Delete}, {"insert", Insert}, {"shift", 16}};
    for (auto& n : names)
        if (l == n.n) return mods | n.k;
    if (l.size() >= 2 && l[0] == 'f' && std::isdigit(static_cast<unsigned char>(l[1]))) {
        int n = std::atoi(l.c_str() + 1);
        if (n >= 1 && n <= 24) return mods | F(n);
    }
    if (l.size() > 2 && l[0] == '0' && l[1] == 'x') return mods | static_cast<int>(std::strtol(l.c_str() + 2, nullptr, 16));
    if (s.size() == 1) return mods | std::toupper(static_cast<unsigned char>(s[0]));
    if (!l.empty() && std::isdigit(static_cast<unsigned char>(l[0]))) return std::atoi(l.c_str());
    return 0;
}
}  // namespace key

}  // namespace vorel::ui
