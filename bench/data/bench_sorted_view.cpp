// A view in a dynamic order over 10,000 and over 1,000,000 records of the 40-field table: time per
// pass and peak memory while it runs. Memory is counted three ways: the program's own allocations
// (a counting operator new), SQLite's (sqlite3_memory_highwater) and the process's resident set
// (its peak reset through /proc/self/clear_refs where Linux offers it). The table file's page cache
// is warmed by a read in key order first, so the figures show what the sort itself takes.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>

#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/data/view.h"
#include "wide_table.h"

// ---- counting allocator: live bytes and their peak -----------------------------------------------
namespace {
std::atomic<std::int64_t> g_live{0}, g_peak{0};
constexpr std::size_t kHeader = 64;  // at least every alignment asked for below 64

// Each block: [padding][size][head] then the caller's bytes; size and head sit just before them.
void* counted_alloc(std::size_t n, std::size_t align) {
    std::size_t head = align > kHeader ? align : kHeader;
    void* raw = std::aligned_alloc(head, ((n + head + head - 1) / head) * head);
    if (!raw) throw std::bad_alloc();
    char* user = static_cast<char*>(raw) + head;
    reinterpret_cast<std::size_t*>(user)[-2] = n;
    reinterpret_cast<std::size_t*>(user)[-1] = head;
    std::int64_t live = g_live += static_cast<std::int64_t>(n);
    std::int64_t peak = g_peak.load();
    while (live > peak && !g_peak.compare_exchange_weak(peak, live)) {
    }
    return user;
}
void counted_free(void* p) {
    if (!p) return;
    char* user = static_cast<char*>(p);
    std::size_t n = reinterpret_cast<std::size_t*>(user)[-2];
    std::size_t head = reinterpret_cast<std::size_t*>(user)[-1];
    g_live -= static_cast<std::int64_t>(n);
    std::free(user - head);
}
}  // namespace

void* operator new(std::size_t n) { return counted_alloc(n, 0); }
void* operator new[](std::size_t n) { return counted_alloc(n, 0); }
void* operator new(std::size_t n, std::align_val_t a) { return counted_alloc(n, static_cast<std::size_t>(a)); }
void* operator new[](std::size_t n, std::align_val_t a) { return counted_alloc(n, static_cast<std::size_t>(a)); }
void operator delete(void* p) noexcept { counted_free(p); }
void operator delete[](void* p) noexcept { counted_free(p); }
void operator delete(void* p, std::size_t) noexcept { counted_free(p); }
void operator delete[](void* p, std::size_t) noexcept { counted_free(p); }
void operator delete(void* p, std::align_val_t) noexcept { counted_free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { counted_free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { counted_free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { counted_free(p); }

using namespace bench_wide;

namespace {

bool reset_rss_peak() {
    std::ofstream f("/proc/self/clear_refs");
    f << "5";
    return static_cast<bool>(f);
}
long rss_peak_kb() {
    std::ifstream f("/proc/self/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

fs::path file_of(int n) { return folder() / ("sorted-" + std::to_string(n) + ".tps"); }

void make_file(int n) {
    FileManager fm(WideTable());
    if (!fm.open_path(file_of(n).string()).ok()) std::abort();
    Transaction t({&fm});
    for (int i = 0; i < n; ++i) {
        fm.clear_record();
        fill(fm.rec<Wide>(), i, n);
        if (!fm.add().ok()) std::abort();
    }
    if (!t.commit().ok()) std::abort();
}

void SortedView(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    make_file(n);
    FileManager fm(WideTable());
    if (!fm.open_path(file_of(n).string()).ok()) state.SkipWithError("open failed");
    // Warm the file's page cache (bounded by its cache size) with a read in key order.
    (void)fm.set(data::KeyName{"WID:KEY:NOMEDATA"});
    while (fm.next().ok()) {
    }
    std::int64_t heap_peak = 0, sqlite_peak = 0, heap_base = 0, sqlite_base = 0;
    long rss_base = 0, rss_peak = 0;
    bool rss_ok = true;
    for (auto _ : state) {
        heap_base = g_live.load();
        g_peak = heap_base;
        sqlite_base = sqlite3_memory_used();
        sqlite3_memory_highwater(1);
        rss_ok = reset_rss_peak();
        rss_base = rss_peak_kb();
        View v(fm, data::KeyName{"WID:KEY:CODIGO"});
        v.order_by({"Lote", "-UL1"});  // an order no key gives
        if (!v.open().ok()) state.SkipWithError("view failed");
        int count = 0;
        std::uint64_t sum = 0;
        while (v.next().ok()) {
            ++count;
            sum += fm.rec<Wide>().L1;
        }
        benchmark::DoNotOptimize(sum);
        (void)v.close();
        heap_peak = g_peak.load() - heap_base;
        sqlite_peak = sqlite3_memory_highwater(0) - sqlite_base;
        rss_peak = rss_peak_kb() - rss_base;
        if (count != n) state.SkipWithError("wrong count");
    }
    state.counters["records"] = n;
    state.counters["heap_peak_KiB"] = static_cast<double>(heap_peak) / 1024;
    state.counters["sqlite_peak_KiB"] = static_cast<double>(sqlite_peak) / 1024;
    if (rss_ok) state.counters["rss_peak_growth_KiB"] = static_cast<double>(rss_peak);
    state.counters["sqlite_total_KiB"] = static_cast<double>(sqlite_base + sqlite_peak) / 1024;
}

}  // namespace

BENCHMARK(SortedView)->Arg(10000)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(folder(), ec);
    return 0;
}
