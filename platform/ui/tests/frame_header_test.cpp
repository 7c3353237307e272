// The application frame's parts travel in its window header: the frame mark, status-bar zones and
// the wallpaper reach the front end, and a change of one zone is sent again.
#include <gtest/gtest.h>

#include "vorel/ui/headless.h"
#include "vorel/ui/runtime.h"
#include "vorel/ui/window.h"

using namespace vorel::ui;

TEST(FrameHeader, ZonesAndWallpaperReachTheFrontEnd) {
    Runtime rt;
    rt.Start("TestFrame", [](ProcContext& ctx) {
        Window w(ctx, "Frame");
        w.SetFrame();
        w.SetStatusZone(1, "Pronto");
        w.SetStatusZone(4, "10:00:00");
        w.SetWallpaper("C:\\Trabalho\\FGenerico.bmp", 2);
        w.Button(1, "&Sair");
        w.Open();
        for (Event e; (e = w.Accept()).code != event::None;) {
            if (e.code == event::Accepted) w.SetStatusZone(4, "10:00:01");
            if (e.code == event::CloseWindow) w.Close();
        }
    });
    HeadlessDriver ui(rt);
    int w = ui.WindowByCaption("Frame");
    const WindowHeader& h = ui.Mirror(w).header;
    EXPECT_TRUE(h.frame);
    EXPECT_EQ(h.status, "Pronto");
    EXPECT_EQ(h.zones, (std::vector<std::string>{"", "", "10:00:00"}));
    EXPECT_EQ(h.wallpaper, "C:\\Trabalho\\FGenerico.bmp");
    EXPECT_EQ(h.wallpaperLayout, 2);
    ui.Press(ui.ByText(w, "Sair"));
    EXPECT_EQ(ui.Mirror(w).header.zones.back(), "10:00:01");
    ui.CloseWindow(w);
}
