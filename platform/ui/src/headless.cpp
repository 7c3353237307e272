// The headless driver.
#include "vorel/ui/headless.h"

#include <algorithm>
#include <sstream>
#include <thread>

namespace vorel::ui {

std::string StripAmpersand(const std::string& s) {
    std::string r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            if (i + 1 < s.size() && s[i + 1] == '&') { r += '&'; ++i; }
            continue;
        }
        r += s[i];
    }
    return r;
}

namespace {
std::string Trim(const std::string& s) {
    auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}
// Texts match as shown, or with the '&' markers and the blanks around them left out.
bool SameText(const std::string& shown, const std::string& wanted) {
    return shown == wanted || Trim(StripAmpersand(shown)) == Trim(StripAmpersand(wanted));
}
}  // namespace

const ControlState* HeadlessDriver::MirrorWindow::Find(int feq) const {
    for (auto& c : controls)
        if (c.feq == feq) return &c;
    return nullptr;
}
ControlState* HeadlessDriver::MirrorWindow::Find(int feq) {
    for (auto& c : controls)
        if (c.feq == feq) return &c;
    return nullptr;
}

HeadlessDriver::HeadlessDriver(Runtime& runtime, std::chrono::milliseconds timeout)
    : rt_(runtime), timeout_(timeout) {}

void HeadlessDriver::Apply(const UiMessage& message) {
    std::visit(
        [this](const auto& m) {
            using T = std::decay_t<decltype(m)>;
            if constexpr (std::is_same_v<T, WindowOpened>) {
                windows_[m.header.window] = MirrorWindow{m.header, m.controls};
                order_.push_back(m.header.window);
            } else if constexpr (std::is_same_v<T, WindowChanged>) {
                if (auto it = windows_.find(m.header.window); it != windows_.end()) it->second.header = m.header;
            } else if constexpr (std::is_same_v<T, ControlChanged>) {
                auto it = windows_.find(m.window);
                if (it == windows_.end()) return;
                if (ControlState* c = it->second.Find(m.control.feq)) *c = m.control;
                else it->second.controls.push_back(m.control);
            } else if constexpr (std::is_same_v<T, ControlRemoved>) {
                auto it = windows_.find(m.window);
                if (it != windows_.end())
                    std::erase_if(it->second.controls, [&](const ControlState& c) { return c.feq == m.feq; });
            } else if constexpr (std::is_same_v<T, WindowClosed>) {
                if (auto it = windows_.find(m.window); it != windows_.end()) closed_.push_back(std::move(it->second));
                windows_.erase(m.window);
                std::erase(order_, m.window);
            } else if constexpr (std::is_same_v<T, MessageBoxAsked>) {
                boxes_.push_back(m);
                seen_.push_back(m);
            } else if constexpr (std::is_same_v<T, FileDialogAsked>) {
                files_.push_back(m);
            } else if constexpr (std::is_same_v<T, DialogWithdrawn>) {
                std::erase_if(boxes_, [&](const MessageBoxAsked& b) { return b.dialog == m.dialog; });
                std::erase_if(files_, [&](const FileDialogAsked& f) { return f.dialog == m.dialog; });
            }
        },
        message);
}

void HeadlessDriver::Pump() { rt_.Pump(*this); }

void HeadlessDriver::Fail(const std::string& what) {
    std::ostringstream os;
    os << what << "\n  open windows:";
    for (int id : order_) os << " \"" << windows_[id].header.caption << "\"";
    if (!boxes_.empty()) os << "\n  unanswered message box: \"" << boxes_.front().text << "\"";
    os << "\n  running procedures:";
    for (auto& [id, name] : rt_.Running()) os << ' ' << name << '#' << id;
    throw DriverError(os.str());
}

void HeadlessDriver::WaitIdle() {
    auto deadline = std::chrono::steady_clock::now() + timeout_;
    for (;;) {
        Pump();
        if (rt_.Idle(busy_)) {
            Pump();
            return;
        }
        if (std::chrono::steady_clock::now() > deadline)
            Fail("the procedures did not become idle within " + std::to_string(timeout_.count()) + " ms");
        rt_.WaitActivity(std::chrono::milliseconds(5));
    }
}

void HeadlessDriver::WaitUntil(const std::function<bool()>& pred, const std::string& what) {
    auto deadline = std::chrono::steady_clock::now() + timeout_;
    for (;;) {
        Pump();
        if (pred()) return;
        if (std::chrono::steady_clock::now() > deadline) Fail("timed out waiting for " + what);
        rt_.WaitActivity(std::chrono::milliseconds(5));
    }
}

int HeadlessDriver::Start(const std::string& procedure, Request request) {
    WaitIdle();
    int id = rt_.Start(procedure, request);
    WaitIdle();
    return id;
}

int HeadlessDriver::WindowByCaption(const std::string& caption) {
    WaitIdle();
    for (auto it = order_.rbegin(); it != order_.rend(); ++it)
        if (SameText(windows_[*it].header.caption, caption)) return *it;
    Fail("no open window with the caption \"" + caption + "\"");
}

bool HeadlessDriver::HasWindow(const std::string& caption) {
    WaitIdle();
    for (int id : order_)
        if (SameText(windows_[id].header.caption, caption)) return true;
    return false;
}

int HeadlessDriver::TopWindow() {
    WaitIdle();
    if (order_.empty()) Fail("no window is open");
    return order_.back();
}

std::vector<std::string> HeadlessDriver::Captions() {
    WaitIdle();
    std::vector<std::string> r;
    for (int id : order_) r.push_back(windows_[id].header.caption);
    return r;
}

std::vector<int> HeadlessDriver::Windows() {
    WaitIdle();
    return order_;
}

const HeadlessDriver::MirrorWindow& HeadlessDriver::Mirror(int window) {
    auto it = windows_.find(window);
    if (it == windows_.end()) Fail("window #" + std::to_string(window) + " is not open");
    return it->second;
}

HeadlessDriver::Ctl HeadlessDriver::Control(int window, int feq) {
    if (!Mirror(window).Find(feq))
        Fail("no control number " + std::to_string(feq) + " in \"" + Mirror(window).header.caption + "\"");
    return {window, feq};
}

HeadlessDriver::Ctl HeadlessDriver::ByPrompt(int window, const std::string& prompt) {
    const auto& w = Mirror(window);
    std::string want = StripAmpersand(prompt);
    auto isLabel = [](ControlType t) {
        return t == ControlType::Prompt || t == ControlType::Group || t == ControlType::String;
    };
    // A prompt first; a group box or a text in front of the control serves as one otherwise.
    for (bool promptsOnly : {true, false}) {
        for (std::size_t i = 0; i < w.controls.size(); ++i) {
            const auto& c = w.controls[i];
            if (promptsOnly ? c.type != ControlType::Prompt : !isLabel(c.type)) continue;
            std::string shown = StripAmpersand(c.text);
            if (want.empty() || shown.rfind(want, 0) != 0) continue;
            for (std::size_t j = i + 1; j < w.controls.size(); ++j) {
                if (isLabel(w.controls[j].type)) break;
                return {window, w.controls[j].feq};
            }
        }
    }
    Fail("no control with the prompt \"" + prompt + "\" in \"" + w.header.caption + "\"");
}

HeadlessDriver::Ctl HeadlessDriver::ByText(int window, const std::string& text) {
    const auto& w = Mirror(window);
    for (const auto& c : w.controls)
        if (c.type != ControlType::Prompt && SameText(c.text, text)) return {window, c.feq};
    for (const auto& c : w.controls)
        if (SameText(c.text, text)) return {window, c.feq};
    Fail("no control with the text \"" + text + "\" in \"" + w.header.caption + "\"");
}

const ControlState& HeadlessDriver::State(Ctl c) {
    const auto& w = Mirror(c.window);
    const ControlState* s = w.Find(c.feq);
    if (!s) Fail("no control number " + std::to_string(c.feq) + " in \"" + w.header.caption + "\"");
    return *s;
}

std::vector<std::vector<std::string>> HeadlessDriver::Rows(Ctl list) {
    std::vector<std::vector<std::string>> r;
    for (const auto& row : State(list).rows) {
        std::vector<std::string> cells;
        for (const auto& cell : row) cells.push_back(cell.text);
        r.push_back(std::move(cells));
    }
    return r;
}

const Cell& HeadlessDriver::CellAt(Ctl list, int row, int column) {
    const auto& rows = State(list).rows;
    if (row < 1 || row > static_cast<int>(rows.size()) || column < 1 ||
        column > static_cast<int>(rows[static_cast<std::size_t>(row - 1)].size()))
        Fail("no cell " + std::to_string(row) + "," + std::to_string(column) + " in list " + std::to_string(list.feq));
    return rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
}

void HeadlessDriver::Post(UserEvent e) {
    WaitIdle();
    rt_.Post(e);
    WaitIdle();
}

void HeadlessDriver::Type(Ctl c, const std::string& text) {
    const auto& s = State(c);
    if (!s.enabled || s.hidden || s.readOnly) Fail("control " + std::to_string(c.feq) + " does not take typing");
    WaitIdle();
    if (Mirror(c.window).header.focus != c.feq) rt_.Post({UserEvent::Focus, c.window, c.feq, 0, 0, {}, {}});
    WaitIdle();
    // The mirror shows what was typed at once, as a widget would.
    if (ControlState* m = windows_[c.window].Find(c.feq)) m->value = text;
    Post({UserEvent::Type, c.window, c.feq, 0, 0, text, {}});
}

void HeadlessDriver::Key(int window, int keyCode) {
    Mirror(window);
    Post({UserEvent::Key, window, Mirror(window).header.focus, keyCode, 0, {}, {}});
}

void HeadlessDriver::FocusOn(Ctl c) { State(c); Post({UserEvent::Focus, c.window, c.feq, 0, 0, {}, {}}); }

void HeadlessDriver::Press(Ctl button) {
    const auto& s = State(button);
    if (!s.enabled || s.hidden)
        Fail("button \"" + s.text + "\" cannot be pressed: it is " + (s.hidden ? "hidden" : "disabled"));
    Post({UserEvent::Press, button.window, button.feq, 0, 0, {}, {}});
}

void HeadlessDriver::PickTab(Ctl sheet, int tab) { State(sheet); Post({UserEvent::PickTab, sheet.window, sheet.feq, tab, 0, {}, {}}); }

void HeadlessDriver::PickTab(Ctl sheet, const std::string& tabText) {
    const auto& w = Mirror(sheet.window);
    int n = 0;
    for (const auto& c : w.controls) {
        if (c.type == ControlType::Tab && c.parent == sheet.feq) {
            ++n;
            if (SameText(c.text, tabText)) return PickTab(sheet, n);
        }
    }
    Fail("no tab \"" + tabText + "\" on sheet " + std::to_string(sheet.feq));
}

void HeadlessDriver::PickRow(Ctl list, int row, bool doubleClick) {
    if (row < 1 || row > static_cast<int>(State(list).rows.size()))
        Fail("list " + std::to_string(list.feq) + " has no row " + std::to_string(row));
    Post({UserEvent::PickRow, list.window, list.feq, row, 0, doubleClick ? "accept" : "", {}});
}

void HeadlessDriver::PickItem(Ctl dropList, int item) {
    State(dropList);
    Post({UserEvent::PickItem, dropList.window, dropList.feq, item, 0, {}, {}});
}

void HeadlessDriver::PickItem(Ctl dropList, const std::string& itemText) {
    const auto& items = State(dropList).items;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (SameText(items[i], itemText)) return PickItem(dropList, static_cast<int>(i) + 1);
    Fail("no entry \"" + itemText + "\" in list " + std::to_string(dropList.feq));
}

void HeadlessDriver::Check(Ctl box, bool on) { State(box); Post({UserEvent::Check, box.window, box.feq, on ? 1 : 0, 0, {}, {}}); }

void HeadlessDriver::CloseWindow(int window) { Mirror(window); Post({UserEvent::Close, window, 0, 0, 0, {}, {}}); }
void HeadlessDriver::Deactivate(int window) { Mirror(window); Post({UserEvent::Deactivated, window, 0, 0, 0, {}, {}}); }
void HeadlessDriver::Activate(int window) { Mirror(window); Post({UserEvent::Activated, window, 0, 0, 0, {}, {}}); }

void HeadlessDriver::Maximize(int window, Rect at) { Mirror(window); Post({UserEvent::Maximize, window, 0, 0, 0, {}, at}); }

void HeadlessDriver::Resize(int window, Rect at) { Mirror(window); Post({UserEvent::Resize, window, 0, 0, 0, {}, at}); }

void HeadlessDriver::FitRows(Ctl list, int rows) { State(list); Post({UserEvent::ListRows, list.window, list.feq, rows, 0, {}, {}}); }

bool HeadlessDriver::HasMessageBox() {
    WaitIdle();
    return !boxes_.empty();
}

const MessageBoxAsked& HeadlessDriver::PendingMessageBox() {
    WaitIdle();
    if (boxes_.empty()) Fail("no message box is waiting for an answer");
    return boxes_.front();
}

void HeadlessDriver::Answer(int button) {
    const auto& b = PendingMessageBox();
    if (button < 1 || button > static_cast<int>(b.buttons.size()))
        Fail("message box \"" + b.text + "\" has no button " + std::to_string(button));
    int dialog = b.dialog;
    boxes_.erase(boxes_.begin());
    Post({UserEvent::Answer, 0, 0, button, dialog, {}, {}});
}

void HeadlessDriver::Answer(const std::string& buttonText) {
    const auto& b = PendingMessageBox();
    for (std::size_t i = 0; i < b.buttons.size(); ++i)
        if (SameText(b.buttons[i], buttonText)) return Answer(static_cast<int>(i) + 1);
    std::string list;
    for (auto& s : b.buttons) list += " \"" + s + "\"";
    Fail("message box \"" + b.text + "\" has no button \"" + buttonText + "\"; it has" + list);
}

bool HeadlessDriver::HasFileDialog() {
    WaitIdle();
    return !files_.empty();
}

const FileDialogAsked& HeadlessDriver::PendingFileDialog() {
    WaitIdle();
    if (files_.empty()) Fail("no file dialog is waiting for an answer");
    return files_.front();
}

void HeadlessDriver::AnswerFile(const std::string& path) {
    int dialog = PendingFileDialog().dialog;
    files_.erase(files_.begin());
    Post({UserEvent::FileAnswer, 0, 0, path.empty() ? 0 : 1, dialog, path, {}});
}

std::string HeadlessDriver::Dump(int window) {
    WaitIdle();
    const auto& w = Mirror(window);
    std::ostringstream os;
    os << "window \"" << w.header.caption << "\"" << (w.header.enabled ? "" : " (disabled)") << "\n";
    for (const auto& c : w.controls) {
        if (c.type == ControlType::Prompt || c.type == ControlType::String) {
            if (!c.hidden) os << "  " << c.feq << " " << ControlTypeName(c.type) << " \"" << c.text << "\"\n";
            continue;
        }
        os << "  " << c.feq << " " << ControlTypeName(c.type);
        if (!c.text.empty()) os << " \"" << c.text << "\"";
        if (c.type != ControlType::Button && c.type != ControlType::Sheet && c.type != ControlType::Tab &&
            c.type != ControlType::List)
            os << " = \"" << Trim(c.value) << "\"";
        if (c.type == ControlType::Sheet) os << " tab " << c.selected;
        if (!c.enabled) os << " [disabled]";
        if (c.hidden) os << " [hidden]";
        if (c.readOnly) os << " [read-only]";
        if (c.password) os << " [password]";
        if (c.isDefault) os << " [default]";
        if (c.feq == w.header.focus) os << " [focus]";
        os << "\n";
        if (c.type == ControlType::List) {
            int n = 0;
            for (const auto& row : c.rows) {
                os << "    " << (++n == c.selected ? '>' : ' ');
                for (const auto& cell : row) os << " | " << Trim(cell.text);
                os << "\n";
            }
        }
    }
    return os.str();
}

}  // namespace vorel::ui
