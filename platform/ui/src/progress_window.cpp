// ProgressWindow.
#include "vorel/ui/progress_window.h"

namespace vorel::ui {

ProgressWindow::ProgressWindow(ProcContext& ctx, std::string caption, std::string cancelText)
    : ctx_(ctx), w_(ctx, std::move(caption)) {
    w_.String(kText, "");
    w_.Progress(kBar).Range(0, 100);
    w_.Button(kCancel, std::move(cancelText));
    w_.Open();
}

bool ProgressWindow::Update(long long done, long long total, const std::string& text) {
    if (cancelled_) return false;
    if (ctx_.StopRequested()) return !(cancelled_ = true);
    int percent = total > 0 ? static_cast<int>(done * 100 / total) : 0;
    w_[kBar].Progress(percent);
    if (!text.empty()) w_[kText].Text(text);
    auto now = std::chrono::steady_clock::now();
    bool show = now - lastShown_ >= std::chrono::milliseconds(50) || done >= total;
    if (!show) return true;
    lastShown_ = now;
    for (Event e; (e = w_.Poll()).code != event::None;) {
        if ((e.code == event::Accepted && e.feq == kCancel) || e.code == event::CloseWindow) cancelled_ = true;
    }
    if (w_.closing()) cancelled_ = true;
    return !cancelled_;
}

}  // namespace vorel::ui
