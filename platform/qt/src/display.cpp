// Display check before Qt starts.
#include "vorel/qt/display.h"

#include <cstdlib>
#include <string_view>

namespace vorel::qt {

namespace {
bool Set(const char* v) { return v != nullptr && *v != '\0'; }
}  // namespace

std::optional<std::string> MissingDisplay(const EnvReader& env) {
    const char* platform = env("QT_QPA_PLATFORM");
    std::string_view p = Set(platform) ? std::string_view(platform) : std::string_view();
    // "xcb:wayland" style lists: the first one is tried first; judge by it.
    p = p.substr(0, p.find_first_of(":;"));
    if (!p.empty() && p != "xcb" && p != "wayland" && p.rfind("wayland-", 0) != 0) return std::nullopt;
    bool x11 = Set(env("DISPLAY"));
    bool wayland = Set(env("WAYLAND_DISPLAY"));
    if (p == "xcb" && x11) return std::nullopt;
    if (p.rfind("wayland", 0) == 0 && wayland) return std::nullopt;
    if (p.empty() && (x11 || wayland)) return std::nullopt;
    return std::string("vorel: no display to open windows on (DISPLAY and WAYLAND_DISPLAY are not set; "
                       "QT_QPA_PLATFORM=offscreen runs without one)");
}

std::optional<std::string> MissingDisplay() {
    return MissingDisplay([](const char* name) { return std::getenv(name); });
}

}  // namespace vorel::qt
