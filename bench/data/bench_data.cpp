// The table engine against raw SQLite on the same schema, in one process: insert N records of a
// 40-field table with two keys in one transaction, read them all in key order, and N/10 gets by key.
// N is 1,000,000 (VOREL_BENCH_RECORDS overrides it). The files live in a temporary folder.
// EngineCommitTwoFiles: one-record transactions over two table files, without a data root and with
// one (its file layer, the super-journal in the root's journal folder).
// EngineOpenClose: opening and closing a table, /0 the whole open (attach, checks, the sharing lock
// file), /1 while the thread holds the file open in another table (the sharing locks and checks).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "vorel/core/decimal_field.h"
#include "vorel/core/fixed_string.h"
#include "vorel/data/data_root.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/sqlite_collation.h"
#include "vorel/data/state_folder.h"
#include "vorel/data/table_desc.h"
#include "vorel/data/transaction.h"
#include "wide_table.h"

namespace fs = std::filesystem;
using namespace vorel;
using namespace vorel::data;

namespace {

using namespace bench_wide;

// ---------------------------------------------------------------- the engine
void EngineInsert(benchmark::State& state) {
    const int n = records();
    ::sync();  // the other side's written pages do not go to disk on this side's time
    for (auto _ : state) {
        CaminhoWide.set((folder() / "engine.tps").string());
        fs::remove(folder() / "engine.tps");
        FileManager fm(WideTable());
        if (!fm.open().ok()) state.SkipWithError("open failed");
        Wide& r = fm.rec<Wide>();
        Transaction t({&fm});
        for (int i = 0; i < n; ++i) {
            fm.clear_record();
            fill(r, i, n);
            if (!fm.add().ok()) {
                state.SkipWithError("add failed");
                break;
            }
        }
        if (!t.commit().ok()) state.SkipWithError("commit failed");
    }
    state.counters["records/s"] = benchmark::Counter(double(n) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void EngineReadAll(benchmark::State& state) {
    const int n = records();
    for (auto _ : state) {
        FileManager fm(WideTable());
        (void)fm.open();
        int count = 0;
        std::uint64_t sum = 0;
        (void)fm.set(data::KeyName{"WID:KEY:NOMEDATA"});
        while (fm.next().ok()) {
            ++count;
            sum += fm.rec<Wide>().Codigo;
        }
        benchmark::DoNotOptimize(sum);
        if (count != n) state.SkipWithError("wrong count");
    }
    state.counters["records/s"] = benchmark::Counter(double(n) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void EngineGet(benchmark::State& state) {
    const int n = records();
    const int gets = n / 10;
    for (auto _ : state) {
        FileManager fm(WideTable());
        (void)fm.open();
        std::mt19937 rng(42);
        std::uint64_t sum = 0;
        for (int i = 0; i < gets; ++i) {
            fm.rec<Wide>().Codigo = static_cast<std::uint32_t>(rng() % static_cast<unsigned>(n)) + 1;
            if (!fm.get(0).ok()) {
                state.SkipWithError("get failed");
                break;
            }
            sum += fm.rec<Wide>().UL1;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["gets/s"] = benchmark::Counter(double(gets) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void RawInsert(benchmark::State& state) {
    const int n = records();
    ::sync();
    for (auto _ : state) {
        fs::remove(folder() / "raw.db");
        sqlite3* db = raw_open(folder() / "raw.db");
        sqlite3_exec(db, ("CREATE TABLE rec (rid INTEGER PRIMARY KEY AUTOINCREMENT, " + raw_schema_columns() + ")").c_str(), nullptr,
                     nullptr, nullptr);
        sqlite3_exec(db, "CREATE UNIQUE INDEX k0 ON rec (\"Codigo\")", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "CREATE INDEX k1 ON rec (\"Nome\" COLLATE VNOCASE, \"Data\")", nullptr, nullptr, nullptr);
        std::string params;
        for (int i = 1; i <= 40; ++i) params += (i > 1 ? ", ?" : "?") + std::to_string(i);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, ("INSERT INTO rec (" + raw_columns() + ") VALUES (" + params + ")").c_str(), -1, &st, nullptr);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        Wide r;
        for (int i = 0; i < n; ++i) {
            r = Wide{};
            fill(r, i, n);
            raw_bind(st, r);
            if (sqlite3_step(st) != SQLITE_DONE) {
                state.SkipWithError("insert failed");
                break;
            }
            sqlite3_reset(st);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_finalize(st);
        sqlite3_close(db);
    }
    state.counters["records/s"] = benchmark::Counter(double(n) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void RawReadAll(benchmark::State& state) {
    const int n = records();
    for (auto _ : state) {
        sqlite3* db = raw_open(folder() / "raw.db");
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, ("SELECT " + raw_columns() + " FROM rec ORDER BY \"Nome\" COLLATE VNOCASE, \"Data\", rid").c_str(),
                           -1, &st, nullptr);
        int count = 0;
        std::uint64_t sum = 0;
        Wide r;
        while (sqlite3_step(st) == SQLITE_ROW) {
            raw_read(st, r);
            ++count;
            sum += r.Codigo;
        }
        benchmark::DoNotOptimize(sum);
        sqlite3_finalize(st);
        sqlite3_close(db);
        if (count != n) state.SkipWithError("wrong count");
    }
    state.counters["records/s"] = benchmark::Counter(double(n) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void RawGet(benchmark::State& state) {
    const int n = records();
    const int gets = n / 10;
    for (auto _ : state) {
        sqlite3* db = raw_open(folder() / "raw.db");
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, ("SELECT " + raw_columns() + " FROM rec WHERE \"Codigo\" = ?1").c_str(), -1, &st, nullptr);
        std::mt19937 rng(42);
        std::uint64_t sum = 0;
        Wide r;
        for (int i = 0; i < gets; ++i) {
            sqlite3_bind_int64(st, 1, static_cast<std::int64_t>(rng() % static_cast<unsigned>(n)) + 1);
            if (sqlite3_step(st) != SQLITE_ROW) {
                state.SkipWithError("get failed");
                break;
            }
            raw_read(st, r);
            sum += r.UL1;
            sqlite3_reset(st);
        }
        benchmark::DoNotOptimize(sum);
        sqlite3_finalize(st);
        sqlite3_close(db);
    }
    state.counters["gets/s"] = benchmark::Counter(double(gets) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void EngineCommitTwoFiles(benchmark::State& state) {
    const bool with_root = state.range(0) != 0;
    const fs::path root = folder() / (with_root ? "root" : "plain");
    fs::create_directories(root);
    set_data_root(with_root ? root : fs::path());
    {
        FileManager a(WideTable()), b(WideTable());
        if (!a.open_path((root / "a.tps").string()).ok() || !b.open_path((root / "b.tps").string()).ok()) {
            state.SkipWithError("open failed");
            return;
        }
        std::uint32_t code = 1;
        for (auto _ : state) {
            Transaction t({&a, &b});
            fill(a.rec<Wide>(), static_cast<int>(code), 1 << 30);
            fill(b.rec<Wide>(), static_cast<int>(code), 1 << 30);
            a.rec<Wide>().Codigo = b.rec<Wide>().Codigo = code++;
            if (!a.add().ok() || !b.add().ok() || !t.commit().ok()) state.SkipWithError("commit failed");
        }
    }
    set_data_root({});
}

void EngineOpenClose(benchmark::State& state) {
    const std::string file = (folder() / "openclose.tps").string();
    FileManager keep(WideTable());
    if (!keep.open_path(file).ok()) {
        state.SkipWithError("open failed");
        return;
    }
    if (state.range(0) == 0) (void)keep.close();
    FileManager fm(WideTable());
    for (auto _ : state) {
        if (!fm.open_path(file).ok() || !fm.close().ok()) state.SkipWithError("open failed");
    }
}

}  // namespace

BENCHMARK(EngineOpenClose)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(EngineCommitTwoFiles)->Arg(0)->Arg(1)->Iterations(300)->Unit(benchmark::kMillisecond);
BENCHMARK(EngineInsert)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(RawInsert)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(RawReadAll)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(EngineReadAll)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(RawGet)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(EngineGet)->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(folder(), ec);
    return 0;
}
