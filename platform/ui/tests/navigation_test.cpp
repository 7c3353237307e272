// KeyboardNavigator and FocusHighlighter in a window procedure, driven headless; saved window
// positions; CriticalSection and LockGuard.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "vorel/ui/critical_section.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/toolbar.h"
#include "vorel/ui/window_controller.h"

using namespace vorel::ui;

namespace {

enum : int {
    kEntryA = 2, kEntryOff = 3, kList = 4, kDrop = 5, kNotes = 6, kOk = 7, kNext = 8, kCheck = 9,
    kHidden = 10, kEntryB = 11, kLines = 12
};

struct Seen {
    int okPressed = 0;
    int nextPressed = 0;
    int listAccepted = 0;
};

class NavWindow : public WindowController {
public:
    NavWindow(ProcContext& ctx, Seen& seen) : WindowController(ctx, "NavWindow", "Navegação"), seen_(seen) {}
    Level Setup() override {
        WindowController::Setup();
        Window& w = window();
        w.Prompt(1, "Nome:");
        w.Entry(kEntryA, Use(a_)).At(100, 10, 80, 12);
        w.Entry(kEntryOff, Use(b_)).At(100, 30, 80, 12).Disable();
        w.List(kList, {{"Código", 30, 'R'}}).At(10, 50, 200, 80)
            .Rows({{{"1"}}, {{"2"}}, {{"3"}}}).Selected(1);
        w.DropList(kDrop, Use(col_), {"1 CFO Entrada", "2 Saída Consumidor Final"}).At(100, 140, 80, 12);
        w.TextBox(kNotes, Use(notes_)).At(10, 160, 200, 40);
        w.Button(kOk, "&OK");
        w.Button(kNext, "&Próximo");
        w.Check(kCheck, "Ativo", Use(flag_)).At(10, 210, 60, 12);
        w.Entry(kHidden, Use(c_)).Hide();
        w.Entry(kEntryB, Use(d_)).At(100, 230, 80, 12);
        w.List(kLines, {{"Linha", 30, 'R'}}).At(10, 250, 200, 40);  // a grid without rows
        w.SetPosition({0, 0, 400, 300});
        w.SetDefaultButton(kOk);
        navigator().ExcludeControl(kOk);
        SetResizer(&resizer_);
        OnButton(kOk, [this] { ++seen_.okPressed; return Level::Benign; });
        OnButton(kNext, [this] { ++seen_.nextPressed; return Level::Benign; });
        OnButton(kList, [this] { ++seen_.listAccepted; return Level::Benign; });
        return Level::Benign;
    }

private:
    Seen& seen_;
    Resizer resizer_;
    std::string a_, b_, c_, d_, notes_;
    int col_ = 0;
    bool flag_ = false;
};

struct NavFixture : ::testing::Test {
    Runtime rt;
    HeadlessDriver ui{rt};
    Seen seen;
    int w = 0;
    void SetUp() override {
        StandardHighlightColour().Set(13828095);
        rt.Start("Nav", [this](ProcContext& ctx) { NavWindow(ctx, seen).Execute(); });
        w = ui.WindowByCaption("Navegação");
    }
    void FocusAndPress(int feq, int keyCode) {
        ui.FocusOn(ui.Control(w, feq));
        ui.Key(w, keyCode);
    }
};

TEST_F(NavFixture, KeysMoveByControlKind) {
    struct Case {
        const char* what;
        int from, keyCode, focusAfter;
    };
    const Case cases[] = {
        {"entry: Enter moves on, over the disabled entry", kEntryA, key::Enter, kList},
        {"entry: Down moves on", kEntryA, key::Down, kList},
        {"entry: Up moves back", kEntryB, key::Up, kCheck},
        {"entry: Left stays", kEntryA, key::Left, kEntryA},
        {"entry: Right stays", kEntryA, key::Right, kEntryA},
        {"list: Right moves on", kList, key::Right, kDrop},
        {"list: Left moves back", kList, key::Left, kEntryA},
        {"drop list: Enter moves on", kDrop, key::Enter, kNotes},
        {"button not excluded: Enter moves on", kNext, key::Enter, kCheck},
        {"check box: Up moves back", kCheck, key::Up, kNext},
        {"check box: Down moves on, over the hidden entry", kCheck, key::Down, kEntryB},
        {"list without rows: Enter moves on, the default button is not pressed", kLines, key::Enter, kEntryA},
    };
    for (const Case& c : cases) {
        FocusAndPress(c.from, c.keyCode);
        EXPECT_EQ(ui.Focus(w), c.focusAfter) << c.what;
    }
    EXPECT_EQ(seen.nextPressed, 0);
    EXPECT_EQ(seen.okPressed, 0);
}

TEST_F(NavFixture, EnterKeepsItsOwnMeaningOnListsExcludedButtonsAndTextBoxes) {
    FocusAndPress(kList, key::Enter);  // a list that does not drop down: the default button
    EXPECT_EQ(seen.okPressed, 1);
    EXPECT_EQ(ui.Focus(w), kList);
    FocusAndPress(kOk, key::Enter);    // excluded button: pressed
    EXPECT_EQ(seen.okPressed, 2);
    ui.Type(ui.Control(w, kNotes), "linha 1");
    ui.Key(w, key::Enter);             // passed on as Shift+Enter: a new line, focus stays
    EXPECT_EQ(ui.Focus(w), kNotes);
    EXPECT_EQ(ui.Value(ui.Control(w, kNotes)), "linha 1\n");
    EXPECT_TRUE(ui.State(ui.Control(w, kNotes)).alertKeys == std::vector<int>{key::Enter});
}

TEST_F(NavFixture, TheFocusedControlIsHighlightedAndTheBoxFollowsItOnMaximize) {
    ui.FocusOn(ui.Control(w, kEntryB));
    const auto& h = ui.Mirror(w).header;
    EXPECT_TRUE(h.box.shown);
    EXPECT_EQ(h.box.rect, (Rect{98, 228, 84, 16}));
    EXPECT_EQ(h.box.fill, 13828095);
    EXPECT_EQ(ui.State(ui.Control(w, kEntryB)).bg, 13828095);
    ui.FocusOn(ui.Control(w, kNext));  // buttons are not highlighted: the old highlight goes
    EXPECT_FALSE(ui.Mirror(w).header.box.shown);
    EXPECT_EQ(ui.State(ui.Control(w, kEntryB)).bg, kDefaultColour);
    ui.FocusOn(ui.Control(w, kEntryA));
    ui.Maximize(w, {0, 0, 800, 600});
    EXPECT_EQ(ui.Mirror(w).header.box.rect, (Rect{198, 18, 164, 28}));
}

// A control inside a disabled group is passed over like a disabled one (the front end greys it with
// its group), and reached again once the group is enabled.
TEST(Navigation, TabPassesOverTheControlsOfADisabledGroup) {
    enum : int { kFirst = 1, kGroup, kInside, kLast, kToggle };
    Runtime rt;
    HeadlessDriver ui{rt};
    rt.Start("Grupo", [](ProcContext& ctx) {
        std::string a, b, c;
        Window w(ctx, "Grupo");
        w.Entry(kFirst, Use(a)).At(10, 10, 60, 12);
        w.Add(kGroup, ControlType::Group, "Fornecedor").At(5, 30, 200, 40).Disable();
        w.Entry(kInside, Use(b)).Parent(kGroup).At(10, 45, 60, 12);
        w.Entry(kLast, Use(c)).At(10, 80, 60, 12);
        w.Button(kToggle, "&Filtrar");
        w.Open();
        for (Event e; (e = w.Accept()).code != event::None;) {
            if (e.code == event::CloseWindow) w.Close();
            if (e.code == event::Accepted && e.feq == kToggle) w[kGroup].Enable();
        }
    });
    const int w = ui.WindowByCaption("Grupo");
    ui.FocusOn(ui.Control(w, kFirst));
    ui.Key(w, key::Tab);
    EXPECT_EQ(ui.Focus(w), kLast);
    ui.Press(ui.Control(w, kToggle));
    ui.FocusOn(ui.Control(w, kFirst));
    ui.Key(w, key::Tab);
    EXPECT_EQ(ui.Focus(w), kInside);
    rt.Shutdown();
}

TEST(FocusHighlighter, ADisabledOrHiddenControlNeverGetsTheBox) {
    Runtime rt;
    ProcContext ctx(rt, 1, "T");
    Window w(ctx, "T");
    w.Entry(1, nullptr).At(10, 10, 50, 10);
    w.Entry(2, nullptr).At(10, 30, 50, 10).Disable();
    w.Entry(3, nullptr).At(10, 50, 50, 10).Hide();
    w.Button(4, "&OK");
    FocusHighlighter fh;
    fh.Setup(w, StandardConfig(255));
    fh.Draw(w, 1);
    EXPECT_EQ(fh.current(), 1);
    EXPECT_TRUE(w.header().box.shown);
    for (int feq : {2, 3, 4, 0}) {
        fh.Erase(w);
        fh.Draw(w, feq);
        EXPECT_EQ(fh.current(), 0) << feq;
        EXPECT_FALSE(w.header().box.shown) << feq;
        EXPECT_EQ(w[1].state().bg, kDefaultColour) << feq;
    }
}

TEST(WindowPositions, AreStoredUnderTheProcedureNameAndRestored) {
    auto dir = std::filesystem::temp_directory_path() / ("vorel-ui-pos-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    ::setenv("VOREL_SETTINGS_DIR", dir.c_str(), 1);
    Runtime rt;
    HeadlessDriver ui(rt);
    Rect seen;
    auto proc = [&](ProcContext& ctx) {
        struct W : WindowController {
            using WindowController::WindowController;
            Level Setup() override {
                WindowController::Setup();
                window().Button(1, "&Fecha");
                SetCancelButton(1);
                RememberPosition();
                return Level::Benign;
            }
        } win(ctx, "WLegenda", "Legenda dos funcionários");
        win.Execute();
    };
    rt.Start("WLegenda", proc);
    int w = ui.WindowByCaption("Legenda dos funcionários");
    ui.Resize(w, {15, 25, 300, 200});
    ui.Press(ui.ByText(w, "&Fecha"));
    std::ifstream in(dir / "Vorel.ini");
    std::stringstream text;
    text << in.rdbuf();
    for (const char* k : {"[WLegenda]", "Maximize=0", "Minimize=0", "XPos=15", "YPos=25", "Width=300", "Height=200"})
        EXPECT_NE(text.str().find(k), std::string::npos) << k << "\n" << text.str();
    rt.Start("WLegenda", proc);
    w = ui.WindowByCaption("Legenda dos funcionários");
    EXPECT_EQ(ui.Mirror(w).header.at, (Rect{15, 25, 300, 200}));
    ui.Press(ui.ByText(w, "&Fecha"));
    ::unsetenv("VOREL_SETTINGS_DIR");
    std::filesystem::remove_all(dir);
}

TEST(LockGuard, HoldsOneSectionAtATime) {
    CriticalSection a, b;
    LockGuard g;
    g.Acquire(&a);
    EXPECT_EQ(g.held(), &a);
    g.Acquire(&b);  // leaves a
    EXPECT_EQ(g.held(), &b);
    bool other = false;
    std::thread t([&] { other = a.Handle().try_lock(); if (other) a.Handle().unlock(); });
    t.join();
    EXPECT_TRUE(other);
    g.Acquire(nullptr);
    EXPECT_EQ(g.held(), nullptr);
    std::thread t2([&] { other = b.Handle().try_lock(); if (other) b.Handle().unlock(); });
    t2.join();
    EXPECT_TRUE(other);
}

}  // namespace
