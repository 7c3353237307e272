// Resizer and PopupMenu.
#include "vorel/ui/toolbar.h"

#include <stdexcept>

#include "vorel/ui/message_box.h"
#include "vorel/ui/runtime.h"

namespace vorel::ui {

void Resizer::Setup(Window& window) {
    original_ = window.header().at;
    controls_.clear();
    for (Control* c : window.Controls()) controls_[c->feq()] = c->state().at;
}

void Resizer::Resize(Window& window) {
    Rect now = window.header().at;
    if (original_.w <= 0 || original_.h <= 0 || now.w <= 0 || now.h <= 0) return;
    for (Control* c : window.Controls()) {
        auto it = controls_.find(c->feq());
        if (it == controls_.end()) continue;
        const Rect& r = it->second;
        c->At(r.x * now.w / original_.w, r.y * now.h / original_.h, r.w * now.w / original_.w,
              r.h * now.h / original_.h);
    }
}

int PopupMenu::Ask() {
    ProcContext* ctx = ProcContext::Current();
    if (!ctx) throw std::logic_error("a popup menu asked outside a procedure thread");
    MessageBoxAsked box;
    box.popup = true;
    box.buttons = SplitButtons(items_);
    box.defaultButton = 0;
    if (Window* w = ctx->TopWindow()) box.window = w->id();
    return ctx->AskMessageBox(std::move(box));
}

}  // namespace vorel::ui
