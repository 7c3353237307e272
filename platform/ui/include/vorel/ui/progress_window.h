// ProgressWindow: a window with a progress bar, a text and a cancel button, for long work that
// runs on its procedure's thread.
//
// `Update` shows the progress (sent to the front end at most every 50 ms; the latest wins) and
// looks for the user's events without waiting; it returns false once the cancel button or the
// close box was pressed, or the program is closing: the work then stops.
//
//     ProgressWindow pw(ctx, "Calculando...");
//     for (long i = 0; i < n; ++i) { if (!pw.Update(i, n)) break; ... }
#pragma once

#include <chrono>
#include <string>

#include "vorel/ui/window.h"

namespace vorel::ui {

class ProgressWindow {
public:
    enum : int { kText = 1, kBar = 2, kCancel = 3 };
    ProgressWindow(ProcContext& ctx, std::string caption, std::string cancelText = "&Cancela");
    bool Update(long long done, long long total, const std::string& text = {});
    bool cancelled() const { return cancelled_; }
    Window& window() { return w_; }

private:
    ProcContext& ctx_;
    Window w_;
    bool cancelled_ = false;
    std::chrono::steady_clock::time_point lastShown_{};
};

}  // namespace vorel::ui
