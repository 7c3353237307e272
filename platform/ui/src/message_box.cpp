// Message boxes and file dialogs on the running procedure's thread.
#include "vorel/ui/message_box.h"

#include <stdexcept>

#include "vorel/ui/runtime.h"
#include "vorel/ui/window.h"

namespace vorel::ui {

namespace {
ProcContext& Here() {
    ProcContext* ctx = ProcContext::Current();
    if (!ctx) throw std::logic_error("a message box asked outside a procedure thread");
    return *ctx;
}

// The procedure's top window is disabled while it waits.
class DisabledWhileAsking {
public:
    explicit DisabledWhileAsking(ProcContext& ctx) : w_(ctx.TopWindow()) {
        if (w_ && w_->opened()) {
            was_ = w_->header().enabled;
            w_->SetEnabled(false);
            w_->Display();
        } else {
            w_ = nullptr;
        }
    }
    ~DisabledWhileAsking() {
        if (w_) w_->SetEnabled(was_);
    }
    int window() const { return w_ ? w_->id() : 0; }

private:
    Window* w_;
    bool was_ = true;
};
}  // namespace

std::vector<std::string> SplitButtons(const std::string& buttons) {
    std::vector<std::string> r;
    std::string cur;
    for (char c : buttons) {
        if (c == '|') { r.push_back(cur); cur.clear(); }
        else cur += c;
    }
    r.push_back(cur);
    return r;
}

int Message(const std::string& text, const std::string& title, Icon icon, const std::string& buttons,
            int defaultButton) {
    ProcContext& ctx = Here();
    DisabledWhileAsking disabled(ctx);
    MessageBoxAsked box;
    box.window = disabled.window();
    box.title = title;
    box.text = text;
    box.icon = icon;
    box.buttons = SplitButtons(buttons);
    box.defaultButton = defaultButton;
    return ctx.AskMessageBox(std::move(box));
}

std::string Ask(const std::string& text, const std::string& title, Icon icon, const std::string& buttons,
                int defaultButton) {
    int n = Message(text, title, icon, buttons, defaultButton);
    auto list = SplitButtons(buttons);
    if (n < 1 || n > static_cast<int>(list.size())) return {};
    return list[static_cast<std::size_t>(n - 1)];
}

std::optional<std::string> ChooseFile(const FileRequest& request) {
    ProcContext& ctx = Here();
    DisabledWhileAsking disabled(ctx);
    FileDialogAsked d;
    d.window = disabled.window();
    d.title = request.title;
    d.filter = request.filter;
    d.folder = request.folder;
    d.initial = request.initial;
    d.save = request.save;
    d.chooseFolder = request.chooseFolder;
    return ctx.AskFile(std::move(d));
}

}  // namespace vorel::ui
