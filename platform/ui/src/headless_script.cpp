// The headless script runner.
#include "vorel/ui/headless_script.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

#include "vorel/ui/guarded.h"
#include "vorel/ui/headless.h"

namespace vorel::ui {

namespace {

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> t;
    std::string cur;
    bool quoted = false, any = false;
    for (char c : line) {
        if (c == '"') { quoted = !quoted; any = true; continue; }
        if (!quoted && (c == ' ' || c == '\t')) {
            if (any) t.push_back(cur);
            cur.clear();
            any = false;
            continue;
        }
        cur += c;
        any = true;
    }
    if (quoted) throw DriverError("a quote is not closed");
    if (any) t.push_back(cur);
    return t;
}

std::string Lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

Request ParseRequest(const std::string& s) {
    std::string l = Lower(s);
    if (l == "insert" || l == "1") return Request::Insert;
    if (l == "change" || l == "2") return Request::Change;
    if (l == "delete" || l == "3") return Request::Delete;
    if (l == "select" || l == "4") return Request::Select;
    if (l == "view" || l == "6") return Request::View;
    throw DriverError("unknown request \"" + s + "\" (insert, change, delete, select, view)");
}

// A menu item's text without its access marker and shortcut ("C.F.&O.P.\tCtrl + O" -> "C.F.O.P.").
std::string MenuText(const std::string& t) {
    std::string s = StripAmpersand(t.substr(0, t.find('\t')));
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

class Script {
public:
    Script(Runtime& rt, std::ostream& out, std::chrono::milliseconds timeout) : rt_(rt), ui_(rt, timeout), out_(out) {}

    void Run(const std::vector<std::string>& t) {
        const std::string cmd = Lower(t[0]);
        auto need = [&](std::size_t n, const char* usage) {
            if (t.size() < n + 1) throw DriverError(std::string("usage: ") + usage);
        };
        if (cmd == "start") {
            need(1, "start PROCEDURE [insert|change|delete|select|view]");
            ui_.Start(t[1], t.size() > 2 ? ParseRequest(t[2]) : Request::None);
        } else if (cmd == "menu") {
            need(1, "menu ITEM-TEXT");
            PressMenu(t[1]);
        } else if (cmd == "window") {
            need(1, "window CAPTION");
            chosen_ = ui_.WindowByCaption(t[1]);
            newestWhenChosen_ = Newest();
        } else if (cmd == "type") {
            need(2, "type CONTROL TEXT");
            int w = Current();
            ui_.Type(Find(w, t[1]), t[2]);
        } else if (cmd == "key") {
            need(1, "key KEY [KEY ...]");
            for (std::size_t i = 1; i < t.size(); ++i) {
                int code = key::Parse(t[i].c_str());
                if (!code) throw DriverError("unknown key \"" + t[i] + "\"");
                ui_.Key(Current(), code);
            }
        } else if (cmd == "press") {
            need(1, "press CONTROL");
            ui_.Press(Find(Current(), t[1]));
        } else if (cmd == "tab") {
            need(1, "tab TAB-TEXT");
            PickTab(t[1]);
        } else if (cmd == "row" || cmd == "open") {
            need(1, "row N [LIST]");
            int w = Current();
            auto list = t.size() > 2 ? Find(w, t[2]) : FirstList(w);
            ui_.PickRow(list, std::stoi(t[1]), cmd == "open");
        } else if (cmd == "fit") {
            need(1, "fit N [LIST]");
            ui_.FitRows(t.size() > 2 ? Find(Current(), t[2]) : FirstList(Current()), std::stoi(t[1]));
        } else if (cmd == "pick") {
            need(2, "pick CONTROL ENTRY");
            int w = Current();
            auto c = Find(w, t[1]);
            bool number = !t[2].empty() && t[2].find_first_not_of("0123456789") == std::string::npos;
            if (number) ui_.PickItem(c, std::stoi(t[2]));
            else ui_.PickItem(c, t[2]);
        } else if (cmd == "check") {
            need(2, "check CONTROL on|off");
            ui_.Check(Find(Current(), t[1]), Lower(t[2]) == "on" || t[2] == "1");
        } else if (cmd == "answer") {
            need(1, "answer BUTTON");
            bool number = t[1].find_first_not_of("0123456789") == std::string::npos;
            if (number) ui_.Answer(std::stoi(t[1]));
            else ui_.Answer(t[1]);
        } else if (cmd == "file") {
            need(1, "file PATH|cancel");
            ui_.AnswerFile(Lower(t[1]) == "cancel" ? std::string() : t[1]);
        } else if (cmd == "close") {
            ui_.CloseWindow(Current());
        } else if (cmd == "wait") {
            ui_.WaitIdle();
        } else if (cmd == "await") {
            // A window that comes later, on a procedure's timer (a report's preview after its
            // progress window): the start of its caption is enough.
            need(1, "await CAPTION");
            const std::string wanted = Lower(t[1]);
            ui_.WaitUntil(
                [&] {
                    for (const std::string& c : ui_.Captions())
                        if (Lower(c).rfind(wanted, 0) == 0) return true;
                    return false;
                },
                "a window with the caption \"" + t[1] + "\"");
        } else if (cmd == "show") {
            out_ << ui_.Dump(Current());
        } else if (cmd == "caption") {
            out_ << "caption \"" << ui_.Caption(Current()) << "\"\n";
        } else if (cmd == "global") {
            need(1, "global NAME [VALUE]");
            if (t.size() > 2 && !GlobalRegistry::Set(t[1], t[2])) throw DriverError("no global named " + t[1]);
            std::string v;
            if (!GlobalRegistry::Get(t[1], v)) throw DriverError("no global named " + t[1]);
            out_ << t[1] << " = \"" << v << "\"\n";
        } else if (cmd == "echo") {
            for (std::size_t i = 1; i < t.size(); ++i) out_ << (i > 1 ? " " : "") << t[i];
            out_ << "\n";
        } else {
            throw DriverError("unknown command \"" + t[0] + "\"");
        }
        ui_.WaitIdle();
        PrintNewBoxes();
    }

    void PrintNewBoxes() {
        const auto& boxes = ui_.MessageBoxes();
        for (; printed_ < boxes.size(); ++printed_) {
            const auto& b = boxes[printed_];
            out_ << (b.popup ? "popup menu" : "message box") << " \"" << b.title << "\": " << b.text << " [";
            for (std::size_t i = 0; i < b.buttons.size(); ++i) out_ << (i ? "|" : "") << b.buttons[i];
            out_ << "]\n";
        }
    }

private:
    int Newest() {
        auto ids = ui_.Windows();
        return ids.empty() ? 0 : *std::max_element(ids.begin(), ids.end());
    }
    // The window chosen with "window", until it closes or a newer one opens; else the newest.
    int Current() {
        auto ids = ui_.Windows();
        if (chosen_ && std::find(ids.begin(), ids.end(), chosen_) != ids.end() && Newest() <= newestWhenChosen_)
            return chosen_;
        chosen_ = 0;
        return ui_.TopWindow();
    }

    HeadlessDriver::Ctl Find(int w, const std::string& ref) {
        if (ref.size() > 1 && ref[0] == '#') return ui_.Control(w, std::stoi(ref.substr(1)));
        try {
            return ui_.ByPrompt(w, ref);
        } catch (const DriverError&) {
        }
        return ui_.ByText(w, ref);
    }

    HeadlessDriver::Ctl FirstList(int w) {
        for (const auto& c : ui_.Mirror(w).controls)
            if (c.type == ControlType::List) return {w, c.feq};
        throw DriverError("the window \"" + ui_.Caption(w) + "\" has no list");
    }

    void PickTab(const std::string& text) {
        int w = Current();
        for (const auto& c : ui_.Mirror(w).controls)
            if (c.type == ControlType::Tab && (c.text == text || StripAmpersand(c.text) == StripAmpersand(text)))
                return ui_.PickTab(ui_.Control(w, c.parent), text);
        throw DriverError("no tab \"" + text + "\" in \"" + ui_.Caption(w) + "\"");
    }

    void PressMenu(const std::string& text) {
        // The newest window with such an item.
        std::vector<int> order = ui_.Windows();
        for (auto it = order.rbegin(); it != order.rend(); ++it)
            for (const auto& c : ui_.Mirror(*it).controls)
                if (c.type == ControlType::MenuItem && MenuText(c.text) == MenuText(text)) return ui_.Press({*it, c.feq});
        throw DriverError("no menu item \"" + text + "\"");
    }

    Runtime& rt_;
    HeadlessDriver ui_;
    std::ostream& out_;
    int chosen_ = 0;
    int newestWhenChosen_ = 0;
    std::size_t printed_ = 0;
};

}  // namespace

int RunHeadlessScript(Runtime& runtime, std::istream& script, std::ostream& out, std::chrono::milliseconds timeout) {
    Script s(runtime, out, timeout);
    std::string line;
    int number = 0;
    int rc = 0;
    while (std::getline(script, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        try {
            auto tokens = Split(line);
            if (tokens.empty()) continue;
            s.Run(tokens);
        } catch (const std::exception& e) {
            s.PrintNewBoxes();
            out << "line " << number << ": error: " << e.what() << "\n";
            rc = 1;
            break;
        }
    }
    runtime.Shutdown();
    return rc;
}

}  // namespace vorel::ui
