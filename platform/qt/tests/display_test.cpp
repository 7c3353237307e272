// The display check made before Qt starts, and the keyboard option read from qel.ini.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "vorel/qt/display.h"
#include "vorel/qt/front_end.h"

namespace vorel::qt {
namespace {

TEST(Display, MissingOnlyWhenNoPlatformCanShowWindows) {
    struct Case {
        const char* name;
        std::map<std::string, std::string> env;
        bool missing;
    } cases[] = {
        {"nothing set", {}, true},
        {"X display", {{"DISPLAY", ":0"}}, false},
        {"Wayland display", {{"WAYLAND_DISPLAY", "wayland-0"}}, false},
        {"empty DISPLAY", {{"DISPLAY", ""}}, true},
        {"offscreen platform", {{"QT_QPA_PLATFORM", "offscreen"}}, false},
        {"xcb without a display", {{"QT_QPA_PLATFORM", "xcb"}}, true},
        {"xcb with a display", {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":99"}}, false},
        {"wayland asked, only X", {{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":0"}}, true},
    };
    for (const auto& c : cases) {
        auto why = MissingDisplay([&](const char* name) -> const char* {
            auto it = c.env.find(name);
            return it == c.env.end() ? nullptr : it->second.c_str();
        });
        EXPECT_EQ(why.has_value(), c.missing) << c.name;
        if (why) {
            EXPECT_EQ(why->find('\n'), std::string::npos) << c.name;
            EXPECT_NE(why->find("no display"), std::string::npos) << c.name;
        }
    }
}

TEST(KeyboardOption, KeypadCommaUnlessTecladoPadraoBRIsSet) {
    auto dir = std::filesystem::temp_directory_path() / ("vorel-qt-ini-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    ::setenv("VOREL_SETTINGS_DIR", dir.c_str(), 1);
    struct Case {
        const char* content;  // nullptr: no file
        bool comma;
    } cases[] = {
        {nullptr, true},
        {"[Parametros]\r\nOutra=1\r\n", true},
        {"[Parametros]\r\nTecladoPadraoBR   =0\r\n", true},
        {"[Parametros]\r\nTecladoPadraoBR   =1\r\n", false},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(dir / "qel.ini");
        if (c.content) std::ofstream(dir / "qel.ini") << c.content;
        EXPECT_EQ(KeypadDecimalIsComma(), c.comma) << (c.content ? c.content : "(no file)");
    }
    ::unsetenv("VOREL_SETTINGS_DIR");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vorel::qt
