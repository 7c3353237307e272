// WindowController.
#include "vorel/ui/window_controller.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/toolbar.h"

namespace vorel::ui {

WindowController::WindowController(ProcContext& ctx, std::string procedureName, std::string caption)
    : ctx_(ctx), procedure_(std::move(procedureName)), caption_(std::move(caption)) {}

WindowController::~WindowController() = default;

Window& WindowController::window() {
    if (!window_) throw std::logic_error(procedure_ + ": the window is made in Setup");
    return *window_;
}

void WindowController::CloseWith(Response r) {
    response_ = r;
    if (window_) window_->Close();
}

Response WindowController::Execute() {
    Level l = Setup();
    if (l == Level::Benign && window_ && !window_->closing()) {
        OpenWindow();
        RunEventLoop();
    }
    Teardown();
    if (response_ == Response::None) response_ = Response::Cancelled;
    ctx_.response = response_;
    return response_;
}

Level WindowController::Setup() {
    // The request comes from the thread's Request, which is then cleared with the Response.
    request_ = ctx_.request;
    ctx_.request = Request::None;
    ctx_.response = Response::None;
    window_ = std::make_unique<Window>(ctx_, caption_);
    return Level::Benign;
}

void WindowController::OpenWindow() {
    Window& w = window();
    if (position_) RestorePosition();
    w.Open();
    ctx_.runtime().NameWindow(w.id(), procedure_);
    if (navigation_) {
        highlighter_.Setup(w, StandardConfig(StandardHighlightColour().Get()));
        navigator_.Setup(w, 0);
    }
    if (resizer_) resizer_->Setup(w);
}

void WindowController::RunEventLoop() {
    Window& w = window();
    for (Event e; (e = w.Accept()).code != event::None;) {
        current_ = e;
        DispatchEvent(e);
    }
}

Level WindowController::DispatchEvent(const Event& e) {
    Window& w = window();
    if (navigation_) {
        highlighter_.HandleEvent(w, e);
        if (navigator_.HandleEvent(w, e)) return kHandled;
    }
    return TakeEvent(e);
}

Level WindowController::TakeEvent(const Event& e) {
    switch (e.code) {
        case event::Accepted: return OnAccepted(e.feq);
        case event::Selected: return OnSelected(e.feq);
        case event::NewSelection: return OnNewSelection(e.feq);
        case event::AlertKey: return OnAlertKey(e.feq, e.key);
        case event::OpenWindow: case event::CloseWindow: case event::Timer: case event::Maximized:
        case event::Iconized: case event::Moved: case event::Sized: case event::DoResize:
        case event::TabChanging:
            return OnWindowEvent(e);
        default:
            return OnOtherEvent(e);
    }
}

Level WindowController::OnAccepted(int feq) {
    if (feq != 0 && feq == okButton_) {
        UpdateComponents();
        // A control whose text is not a value of its variable keeps the OK from going on.
        for (Control* c : window().Controls())
            if (c->touched() && c->use()) {
                window().Select(c->feq());
                return kHandled;
            }
        return OnCompleted();
    }
    if (feq != 0 && feq == cancelButton_) {
        CloseWith(Response::Cancelled);
        return Level::Benign;
    }
    if (auto it = buttons_.find(feq); it != buttons_.end()) return it->second();
    for (Toolbar* t : toolbars_)
        if (t->Handles(feq)) return t->TakeAccepted(feq);
    return Level::Benign;
}

Level WindowController::OnSelected(int) { return Level::Benign; }
Level WindowController::OnNewSelection(int) { return Level::Benign; }

Level WindowController::OnAlertKey(int feq, int keyCode) {
    if (keyCode == key::FieldHistory) {
        auto& history = ctx_.fieldHistory[historyName_.empty() ? procedure_ : historyName_];
        auto it = history.find(feq);
        if (it != history.end()) {
            Control& c = window()[feq];
            c.Value(it->second);
            c.Touched();
            window().Update(feq);
        }
        return kHandled;
    }
    return Level::Benign;
}

Level WindowController::OnWindowOpened() { return Level::Benign; }

Level WindowController::OnWindowEvent(const Event& e) {
    switch (e.code) {
        case event::OpenWindow: return OnWindowOpened();
        case event::CloseWindow: window().Close(); return Level::Benign;
        case event::Maximized: case event::Sized:  // the resize event (1023) that follows sees the new places
            if (resizer_) resizer_->Resize(window());
            return Level::Benign;
        default: return Level::Benign;
    }
}

namespace {
// The refusal last told on this thread: one click on a button can refuse a field twice (leaving it,
// then the button's own update), and the user hears of it once.
struct Told {
    int window = 0, feq = 0;
    std::string text;
    std::chrono::steady_clock::time_point at{};
};
thread_local Told told;
}  // namespace

// A date field whose text is not a date of the calendar (31/02/2026) keeps the focus; the user is
// told why.
Level WindowController::OnOtherEvent(const Event& e) {
    if (e.code != event::Refused) return Level::Benign;
    const Control* c = window_ ? window_->Find(e.feq) : nullptr;
    if (!c) return Level::Benign;
    // The entry's own picture, else its variable's (an entry made with `UseDate` alone).
    const std::string picture = !c->picture().empty() ? c->picture() : c->use() ? c->use()->Picture() : std::string();
    if (picture.size() < 2 || picture[0] != '@' || (picture[1] != 'd' && picture[1] != 'D')) return Level::Benign;
    const auto now = std::chrono::steady_clock::now();
    if (told.window == window_->id() && told.feq == e.feq && told.text == c->value() &&
        now - told.at < std::chrono::milliseconds(300))
        return Level::Benign;
    told = {window_->id(), e.feq, c->value(), now};
    Message("Data inválida", "Atenção", Icon::Exclamation);
    told.at = std::chrono::steady_clock::now();  // from the answer on
    return Level::Benign;
}

Level WindowController::OnCompleted() {
    CloseWith(Response::Completed);
    return Level::Benign;
}

Response WindowController::CallProcedure(int, Request) { return Response::Cancelled; }

Level WindowController::PrepareRequest() { return Level::Benign; }

void WindowController::UpdateComponents() { window().Update(); }

Level WindowController::Teardown() {
    if (position_ && window_ && window_->opened()) StorePosition();
    window_.reset();
    return Level::Benign;
}

void WindowController::SetHistoryRecords(std::string name) { historyName_ = std::move(name); }

void WindowController::LinkHistoryControl(int feq) {
    historyControls_.push_back(feq);
    window()[feq].Alert(key::FieldHistory);
}

void WindowController::SaveHistory() {
    auto& history = ctx_.fieldHistory[historyName_.empty() ? procedure_ : historyName_];
    for (int feq : historyControls_)
        if (Control* c = window().Find(feq)) history[feq] = c->value();
}

void WindowController::RestorePosition() {
    settings::SettingsFile ini(position_->file);
    std::string section = procedure_;
    if (ini.read_text(section, "XPos").empty()) return;  // never stored
    Rect at{static_cast<int>(ini.read_number(section, "XPos")), static_cast<int>(ini.read_number(section, "YPos")),
            static_cast<int>(ini.read_number(section, "Width")), static_cast<int>(ini.read_number(section, "Height"))};
    window().SetPosition(at);
    window().SetMaximized(ini.read_number(section, "Maximize") != 0);
}

void WindowController::StorePosition() {
    settings::SettingsFile ini(position_->file);
    const WindowHeader& h = window().header();
    std::string section = procedure_;
    auto ec = ini.update([&](settings::Content& c) {
        c.set(section, "Maximize", h.maximized ? "1" : "0");
        c.set(section, "Minimize", h.iconized ? "1" : "0");
        c.set(section, "XPos", std::to_string(h.at.x));
        c.set(section, "YPos", std::to_string(h.at.y));
        c.set(section, "Width", std::to_string(h.at.w));
        c.set(section, "Height", std::to_string(h.at.h));
    });
    if (ec) std::fprintf(stderr, "vorel: %s: window position not stored: %s\n", procedure_.c_str(), ec.message().c_str());
}

}  // namespace vorel::ui
