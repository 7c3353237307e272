// Prototypes of the connection layouts the table engine could use, measured on raw SQLite:
//   attach   one connection per thread, each table file attached to it (the engine's layout)
//   perfile  one connection per table file and thread (no attach; commits are not atomic across files)
//   folder   one database per folder, each table a SQL table inside it
// Measured: opening and closing a table, a small transaction over two tables, and two threads
// committing single rows into two different tables at once.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

fs::path folder() {
    static fs::path f = [] {
        std::string t = (fs::temp_directory_path() / "vorel-layouts-XXXXXX").string();
        return fs::path(mkdtemp(t.data()));
    }();
    return f;
}

sqlite3* open_db(const fs::path& p) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(p.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_busy_timeout(db, 10000);
    sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    return db;
}

void exec(sqlite3* db, const std::string& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql.c_str(), err ? err : "?");
        sqlite3_free(err);
    }
}

void make_file(const fs::path& p, const std::string& table = "rec") {
    sqlite3* db = open_db(p);
    exec(db, "CREATE TABLE IF NOT EXISTS " + table + " (rid INTEGER PRIMARY KEY, a INTEGER, b TEXT)");
    exec(db, "CREATE INDEX IF NOT EXISTS " + table + "_k0 ON " + table + " (a)");
    sqlite3_close(db);
}

void OpenClose_Attach(benchmark::State& state) {
    make_file(folder() / "a.db");
    sqlite3* db = open_db(folder() / "main-attach.db");
    for (auto _ : state) {
        exec(db, "ATTACH '" + (folder() / "a.db").string() + "' AS t0");
        exec(db, "SELECT count(*) FROM t0.sqlite_master");
        exec(db, "DETACH t0");
    }
    sqlite3_close(db);
}

void OpenClose_Connection(benchmark::State& state) {
    make_file(folder() / "a.db");
    for (auto _ : state) {
        sqlite3* db = open_db(folder() / "a.db");
        exec(db, "SELECT count(*) FROM sqlite_master");
        sqlite3_close(db);
    }
}

// A transaction writing one row into each of two tables.
void Txn2_Attach(benchmark::State& state) {
    make_file(folder() / "x.db");
    make_file(folder() / "y.db");
    sqlite3* db = open_db(folder() / "main-txn.db");
    exec(db, "ATTACH '" + (folder() / "x.db").string() + "' AS x");
    exec(db, "ATTACH '" + (folder() / "y.db").string() + "' AS y");
    exec(db, "PRAGMA x.synchronous=FULL; PRAGMA y.synchronous=FULL");
    for (auto _ : state) exec(db, "BEGIN; INSERT INTO x.rec(a,b) VALUES(1,'x'); INSERT INTO y.rec(a,b) VALUES(1,'y'); COMMIT");
    sqlite3_close(db);
}

void Txn2_PerFileConnections_NotAtomic(benchmark::State& state) {
    make_file(folder() / "x.db");
    make_file(folder() / "y.db");
    sqlite3* x = open_db(folder() / "x.db");
    sqlite3* y = open_db(folder() / "y.db");
    for (auto _ : state) {
        exec(x, "BEGIN; INSERT INTO rec(a,b) VALUES(1,'x')");
        exec(y, "BEGIN; INSERT INTO rec(a,b) VALUES(1,'y')");
        exec(x, "COMMIT");
        exec(y, "COMMIT");
    }
    sqlite3_close(x);
    sqlite3_close(y);
}

void Txn2_FolderDatabase(benchmark::State& state) {
    make_file(folder() / "folder.db", "x");
    make_file(folder() / "folder.db", "y");
    sqlite3* db = open_db(folder() / "folder.db");
    for (auto _ : state) exec(db, "BEGIN; INSERT INTO x(a,b) VALUES(1,'x'); INSERT INTO y(a,b) VALUES(1,'y'); COMMIT");
    sqlite3_close(db);
}

// Two threads, each committing single rows into its own table: separate files vs one folder file.
void two_writers(benchmark::State& state, bool same_file) {
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto work = [&](const char* name) {
            fs::path p = same_file ? folder() / "shared.db" : folder() / (std::string(name) + ".db");
            sqlite3* db = open_db(p);
            std::string table = same_file ? name : "rec";
            for (int i = 0; i < rows; ++i) exec(db, "INSERT INTO " + table + "(a,b) VALUES(1,'z')");
            sqlite3_close(db);
        };
        if (same_file) {
            make_file(folder() / "shared.db", "p");
            make_file(folder() / "shared.db", "q");
        } else {
            make_file(folder() / "p.db");
            make_file(folder() / "q.db");
        }
        std::thread a(work, "p"), b(work, "q");
        a.join();
        b.join();
    }
    state.counters["commits/s"] = benchmark::Counter(2.0 * rows * static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate);
}
void TwoWriters_SeparateFiles(benchmark::State& s) { two_writers(s, false); }
void TwoWriters_OneFolderFile(benchmark::State& s) { two_writers(s, true); }

}  // namespace

BENCHMARK(OpenClose_Attach)->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenClose_Connection)->Unit(benchmark::kMicrosecond);
BENCHMARK(Txn2_Attach)->Unit(benchmark::kMicrosecond);
BENCHMARK(Txn2_PerFileConnections_NotAtomic)->Unit(benchmark::kMicrosecond);
BENCHMARK(Txn2_FolderDatabase)->Unit(benchmark::kMicrosecond);
BENCHMARK(TwoWriters_SeparateFiles)->Arg(300)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(TwoWriters_OneFolderFile)->Arg(300)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(folder(), ec);
    return 0;
}
