// Window layer: the round trip of a user's event through a procedure thread and back to the front
// end (headless), and the start of a procedure thread.
#include <benchmark/benchmark.h>

#include <atomic>
#include <thread>

#include "vorel/ui/runtime.h"
#include "vorel/ui/window.h"

using namespace vorel::ui;

namespace {

// A front end that counts the control changes it receives.
struct Counter : FrontEnd {
    int window = 0;
    long changes = 0;
    void Apply(const UiMessage& m) override {
        if (auto* o = std::get_if<WindowOpened>(&m)) window = o->header.window;
        if (std::holds_alternative<ControlChanged>(m)) ++changes;
    }
};

void BM_EventRoundTrip(benchmark::State& state) {
    Runtime rt;
    rt.Start("Echo", [](ProcContext& ctx) {
        long n = 0;
        Window w(ctx, "Echo");
        w.Button(1, "&Go");
        w.String(2, "0");
        w.Open();
        for (Event e; (e = w.Accept()).code != event::None;)
            if (e.code == event::Accepted) w[2].Text(std::to_string(++n));
    });
    Counter fe;
    while (fe.window == 0) {
        rt.Pump(fe);
        rt.WaitActivity(std::chrono::milliseconds(1));
    }
    for (auto _ : state) {
        long before = fe.changes;
        rt.Post({UserEvent::Press, fe.window, 1, 0, 0, {}, {}});
        while (fe.changes == before) {
            rt.Pump(fe);
            if (fe.changes == before) rt.WaitActivity(std::chrono::milliseconds(1));
        }
    }
    rt.Shutdown();
}
BENCHMARK(BM_EventRoundTrip)->Unit(benchmark::kMicrosecond);

void BM_StartProcedureThread(benchmark::State& state) {
    Runtime rt;
    for (auto _ : state) {
        int id = rt.Start("Nothing", [](ProcContext& ctx) { ctx.response = Response::Completed; });
        while (!rt.Finished(id)) rt.WaitActivity(std::chrono::milliseconds(1));
    }
}
BENCHMARK(BM_StartProcedureThread)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
