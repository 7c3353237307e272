// Whether the program can open windows: checked before any Qt object exists.
//
// Qt aborts with a long message when it finds no display. The executable asks `MissingDisplay`
// first and, when it answers, prints that one line and exits non-zero. A display is there when
// QT_QPA_PLATFORM names a platform that needs none (offscreen, minimal, vnc, linuxfb, eglfs, ...)
// or when DISPLAY or WAYLAND_DISPLAY is set (xcb, wayland, or no platform named).
//
//     if (auto why = vorel::qt::MissingDisplay(getenv_fn)) { std::fprintf(stderr, "%s\n", why->c_str()); return 2; }
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace vorel::qt {

// Reads an environment variable; nullptr when it is not set.
using EnvReader = std::function<const char*(const char*)>;

// nullopt when windows can be shown; otherwise the one-line message for the user.
std::optional<std::string> MissingDisplay(const EnvReader& env);
std::optional<std::string> MissingDisplay();  // the process environment

}  // namespace vorel::qt
