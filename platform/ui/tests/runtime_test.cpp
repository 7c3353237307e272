// Procedure threads, calls on the same thread, message boxes and the window event loop, driven
// through the headless driver.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "vorel/ui/headless.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/progress_window.h"
#include "vorel/ui/runtime.h"
#include "vorel/ui/window.h"
#include "vorel/ui/window_controller.h"

using namespace vorel::ui;

namespace {

// A window with an entry, a check box and two buttons; "&OK" ends with Response 1.
void SimpleForm(ProcContext& ctx, std::string& name, bool& flag, std::vector<std::string>* log) {
    Window w(ctx, "Simple");
    w.Prompt(1, "Nome:");
    w.Entry(2, Use(name));
    w.Check(3, "Ativo", Use(flag));
    w.Button(4, "&OK");
    w.Button(5, "&Cancela");
    w.Open();
    for (Event e; (e = w.Accept()).code != event::None;) {
        if (log) log->push_back(std::string(event::Name(e.code)) + " " + std::to_string(e.feq));
        if (e.code == event::Accepted && e.feq == 4) { ctx.response = Response::Completed; w.Close(); }
        if (e.code == event::Accepted && e.feq == 5) { ctx.response = Response::Cancelled; w.Close(); }
        if (e.code == event::CloseWindow) w.Close();
    }
}

TEST(ProcedureThreads, CallOnTheSameThreadReturnsItsResponse) {
    Runtime rt;
    std::atomic<int> calledResponse{-1};
    std::atomic<bool> sameThread{false};
    std::atomic<int> requestSeen{-1};
    std::string name;
    bool flag = false;
    ProcedureRegistry::Add("TestCalled", [&](ProcContext& ctx) {
        requestSeen = static_cast<int>(ctx.request);
        SimpleForm(ctx, name, flag, nullptr);
    });
    rt.Start("TestCaller", [&](ProcContext& ctx) {
        auto me = std::this_thread::get_id();
        ctx.request = Request::View;
        Response r = ctx.Call("TestCalled", Request::Change);
        sameThread = me == std::this_thread::get_id();
        calledResponse = static_cast<int>(r);
        EXPECT_EQ(ctx.request, Request::View);  // the caller's own request is kept
    });
    HeadlessDriver ui(rt);
    int w = ui.WindowByCaption("Simple");
    EXPECT_EQ(requestSeen, static_cast<int>(Request::Change));
    ui.Type(ui.ByPrompt(w, "Nome"), "Maria");
    ui.Press(ui.ByText(w, "OK"));
    ui.WaitIdle();
    EXPECT_EQ(calledResponse, 1);
    EXPECT_TRUE(sameThread);
    EXPECT_EQ(name, "Maria");
    EXPECT_THROW(rt.Start("NoSuchProcedure"), std::invalid_argument);
}

TEST(ProcedureThreads, TwoProceduresRunAtOnceAndALongLoopHoldsUpNoOther) {
    Runtime rt;
    std::atomic<bool> release{false};
    std::atomic<long> turns{0};
    int busy = rt.Start("Busy", [&](ProcContext& ctx) {
        while (!release && !ctx.StopRequested()) ++turns;  // a long computation
        ctx.response = Response::Completed;
    });
    // A generous time-out: the busy loop takes a whole core, and a loaded machine may be slow to
    // schedule the form's thread beside it.
    HeadlessDriver ui(rt, std::chrono::seconds(30));
    ui.AllowBusy(busy);
    ui.WaitUntil([&] { return turns > 0; }, "the loop to start");
    std::string name;
    bool flag = false;
    int form = rt.Start("Form", [&](ProcContext& ctx) { SimpleForm(ctx, name, flag, nullptr); });
    int w = ui.WindowByCaption("Simple");
    ui.Type(ui.ByPrompt(w, "Nome"), "José");
    ui.Press(ui.ByText(w, "&OK"));
    ui.WaitUntil([&] { return rt.Finished(form).has_value(); }, "the form to end");
    EXPECT_EQ(*rt.Finished(form), Response::Completed);
    EXPECT_FALSE(rt.Finished(busy).has_value());  // still looping
    long before = turns;
    ui.WaitUntil([&] { return turns > before; }, "the loop to go on");
    release = true;
    ui.WaitUntil([&] { return rt.Finished(busy).has_value(); }, "the loop to end");
}

TEST(ProcedureThreads, ShutdownEndsBlockedProceduresAndAnswersBoxesWithZero) {
    std::atomic<int> answer{-1};
    {
        Runtime rt;
        rt.Start("Asker", [&](ProcContext&) { answer = Message("Continua?", "Atenção", Icon::Question, "&Não|&Sim"); });
        std::string name;
        bool flag = false;
        rt.Start("Form", [&](ProcContext& ctx) { SimpleForm(ctx, name, flag, nullptr); });
        HeadlessDriver ui(rt);
        ASSERT_TRUE(ui.HasMessageBox());
        ASSERT_TRUE(ui.HasWindow("Simple"));
    }  // the runtime's destructor stops and joins both
    EXPECT_EQ(answer, 0);
}

TEST(MessageBoxes, TheAnswerReachesTheCodeThatAsked) {
    Runtime rt;
    std::string chosen;
    int number = 0;
    rt.Start("Asker", [&](ProcContext& ctx) {
        Window w(ctx, "Owner");
        w.Button(1, "&Go");
        w.Open();
        for (Event e; (e = w.Accept()).code != event::None;) {
            if (e.code == event::Accepted) {
                number = Message("Primeira?", "Atenção", Icon::Question, "&Sim|&Não", 2);
                chosen = Ask("Deseja continuar???", "Atenção!!!", Icon::Information, "&Não|&Sim");
                w.Close();
            }
        }
    });
    HeadlessDriver ui(rt);
    int w = ui.WindowByCaption("Owner");
    ui.Press(ui.ByText(w, "Go"));
    const auto& box = ui.PendingMessageBox();
    EXPECT_EQ(box.title, "Atenção");
    EXPECT_EQ(box.defaultButton, 2);
    EXPECT_FALSE(ui.Mirror(w).header.enabled);  // the owner is disabled while it asks
    ui.Answer("&Não");
    EXPECT_EQ(ui.PendingMessageBox().text, "Deseja continuar???");
    ui.Answer("Sim");
    ui.WaitIdle();
    EXPECT_EQ(number, 2);
    EXPECT_EQ(chosen, "&Sim");
    EXPECT_EQ(ui.MessageBoxes().size(), 2u);
    EXPECT_THROW(ui.Answer(1), DriverError);  // nothing waits any more
}

TEST(WindowModel, LeavingAChangedFieldAcceptsIt) {
    Runtime rt;
    std::vector<std::string> log;
    std::string name = "Ana";
    bool flag = true;
    rt.Start("Form", [&](ProcContext& ctx) { SimpleForm(ctx, name, flag, &log); });
    HeadlessDriver ui(rt);
    int w = ui.WindowByCaption("Simple");
    EXPECT_EQ(ui.Value(ui.ByPrompt(w, "Nome")), "Ana");
    EXPECT_EQ(ui.Value(ui.ByText(w, "Ativo")), "1");
    EXPECT_EQ(ui.Focus(w), 2);
    ui.Key(w, key::Tab);  // unchanged: no accepted event
    EXPECT_EQ(ui.Focus(w), 3);
    ui.Type(ui.Control(w, 2), "Bia");
    ui.Key(w, key::Tab);
    EXPECT_EQ(name, "Bia");
    ui.Check(ui.Control(w, 3), false);
    EXPECT_FALSE(flag);
    ui.Key(w, key::ShiftTab);
    EXPECT_EQ(ui.Focus(w), 2);
    std::vector<std::string> want = {"open window 0", "selected 3", "selected 2", "accepted 2", "selected 3",
                                     "accepted 3", "selected 2"};
    EXPECT_EQ(log, want);
    ui.CloseWindow(w);
    EXPECT_FALSE(ui.HasWindow("Simple"));
}

TEST(WindowModel, AWindowRefusesUseFromAnotherThread) {
    Runtime rt;
    Window* made = nullptr;
    std::atomic<bool> ready{false};
    rt.Start("Owner", [&](ProcContext& ctx) {
        Window w(ctx, "Owned");
        w.Button(1, "&Fecha");
        made = &w;
        ready = true;
        w.Open();
        for (Event e; (e = w.Accept()).code != event::None;)
            if (e.code == event::Accepted) w.Close();
    });
    HeadlessDriver ui(rt);
    int id = ui.WindowByCaption("Owned");
    ASSERT_TRUE(ready);
    EXPECT_THROW(made->SetCaption("x"), std::logic_error);
    ui.Press(ui.ByText(id, "Fecha"));
}

}  // namespace

namespace {

TEST(ProgressWindow, ShowsProgressAndStopsWhenCancelled) {
    Runtime rt;
    std::atomic<long> reached{0};
    std::atomic<bool> goOn{false};
    int t = rt.Start("Long", [&](ProcContext& ctx) {
        ProgressWindow pw(ctx, "Calculando...");
        for (long i = 0; i < 1000000000L; ++i) {
            if (!pw.Update(i, 1000000000L, "Produto " + std::to_string(i))) break;
            reached = i;
            if (i == 10) while (!goOn && !ctx.StopRequested()) std::this_thread::yield();
        }
        ctx.response = Response::Cancelled;
    });
    HeadlessDriver ui(rt);
    ui.AllowBusy(t);
    ui.WaitUntil([&] { return reached >= 10; }, "ten steps");
    goOn = true;
    int w = ui.WindowByCaption("Calculando...");
    ui.WaitUntil([&] { return !ui.Text(ui.Control(w, ProgressWindow::kText)).empty(); }, "the progress text");
    ui.Press(ui.ByText(w, "&Cancela"));
    ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "the loop to stop");
    EXPECT_LT(reached.load(), 1000000000L - 1);
}

TEST(FileChooser, AsksTheFrontEndAndReturnsThePathOrNothing) {
    Runtime rt;
    std::optional<std::string> first, second;
    rt.Start("Photo", [&](ProcContext&) {
        FileChooser fc("Escolha um Arquivo", "Imagens | *.bmp;*.gif;*.jpg;*.wmf;*.ico;*.pcx");
        first = fc.File("/dados/Imagens");
        second = fc.File("/dados/Imagens");
    });
    HeadlessDriver ui(rt);
    EXPECT_EQ(ui.PendingFileDialog().title, "Escolha um Arquivo");
    EXPECT_EQ(ui.PendingFileDialog().folder, "/dados/Imagens");
    ui.AnswerFile("/dados/Imagens/foto.bmp");
    ui.AnswerFile("");
    ui.WaitIdle();
    EXPECT_EQ(first, "/dados/Imagens/foto.bmp");
    EXPECT_FALSE(second.has_value());
}

}  // namespace

namespace {

TEST(WindowModel, TimerAndPostedEventsReachTheLoop) {
    Runtime rt;
    std::vector<int> seen;
    std::atomic<bool> posted{false};
    rt.Start("Clock", [&](ProcContext& ctx) {
        Window w(ctx, "Relógio");
        w.Button(1, "&Fecha");
        w.SetTimer(1);
        w.Open();
        int ticks = 0;
        for (Event e; (e = w.Accept()).code != event::None;) {
            if (e.code == event::Timer && ++ticks == 3) w.Post(event::User + 7);
            if (e.code >= event::User) { seen.push_back(e.code - event::User); w.SetTimer(0); posted = true; }
            if (e.code == event::Accepted) w.Close();
        }
        seen.push_back(ticks);
    });
    HeadlessDriver ui(rt);
    int w = ui.WindowByCaption("Relógio");
    ui.WaitUntil([&] { return posted.load(); }, "the posted event");
    ui.Press(ui.ByText(w, "&Fecha"));
    ui.WaitIdle();
    EXPECT_EQ(seen, (std::vector<int>{7, 3}));
}

}  // namespace

namespace {

TEST(WindowModel, ATextThatIsNotAValueKeepsTheFocusAndStopsTheOk) {
    Runtime rt;
    int quantity = 5;
    std::atomic<int> response{-1};
    rt.Start("Qtd", [&](ProcContext& ctx) {
        struct W : WindowController {
            int& q;
            W(ProcContext& c, int& qq) : WindowController(c, "Qtd", "Quantidade"), q(qq) {}
            Level Setup() override {
                WindowController::Setup();
                window().Prompt(1, "Quantidade:");
                window().Entry(2, Use(q));
                window().Entry(3, nullptr);
                window().Button(4, "&OK");
                SetOkButton(4);
                return Level::Benign;
            }
        } w(ctx, quantity);
        response = static_cast<int>(w.Execute());
    });
    HeadlessDriver ui(rt);
    int w = ui.WindowByCaption("Quantidade");
    ui.Type(ui.ByPrompt(w, "Quantidade"), "doze");
    ui.Key(w, key::Tab);
    EXPECT_EQ(ui.Focus(w), 2);
    ui.Press(ui.ByText(w, "&OK"));
    EXPECT_EQ(ui.Focus(w), 2);
    EXPECT_EQ(response, -1);  // still open
    EXPECT_EQ(quantity, 5);
    ui.Type(ui.ByPrompt(w, "Quantidade"), "12");
    ui.Press(ui.ByText(w, "&OK"));
    ui.WaitIdle();
    EXPECT_EQ(response, 1);
    EXPECT_EQ(quantity, 12);
}

}  // namespace
