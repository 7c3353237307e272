// The table engine against raw SQLite on the same schema, in one process: insert N records of a
// 40-field table with two keys in one transaction, read them all in key order, and N/10 gets by key.
// N is 1,000,000 (VOREL_BENCH_RECORDS overrides it). The files live in a temporary folder.
// EngineCommitTwoFiles: one-record transactions over two table files, without a data root and with
// one (its file layer, the super-journal in the root's journal folder).
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

namespace fs = std::filesystem;
using namespace vorel;
using namespace vorel::data;

namespace {

// 40 fields: 10 texts, 15 integers, 10 decimals, 5 dates.
struct Wide {
    std::uint32_t Codigo = 0;
    String<30> Nome;
    std::int32_t Data = 0;
    String<14> Cnpj;
    String<2> Serie;
    String<20> Lote;
    String<40> Endereco;
    String<25> Bairro;
    String<60> Cidade;
    String<2> Uf;
    String<10> Obs1;
    String<8> Obs2;
    std::uint8_t B1 = 0, B2 = 0, B3 = 0;
    std::int16_t S1 = 0, S2 = 0;
    std::uint16_t U1 = 0, U2 = 0, U3 = 0;
    std::int32_t L1 = 0, L2 = 0, L3 = 0;
    std::uint32_t UL1 = 0, UL2 = 0, UL3 = 0;
    std::int32_t D2 = 0, D3 = 0, D4 = 0, D5 = 0;
    DecimalField<13, 3> Q1;
    DecimalField<13, 2> V1, V2, V3, V4;
    DecimalField<15, 2> V5, V6;
    DecimalField<7, 3> A1;
    DecimalField<15, 0> C1;
    DecimalField<11, 2> V7;
};

NameVariable CaminhoWide;

const TableDesc& WideTable() {
    static const TableDesc d = [] {
        TableBuilder<Wide> b("Wide", "WID");
        b.file(CaminhoWide).version(1);
        b.field("Codigo", &Wide::Codigo).field("Nome", &Wide::Nome).date("Data", &Wide::Data);
        b.field("Cnpj", &Wide::Cnpj).field("Serie", &Wide::Serie).field("Lote", &Wide::Lote);
        b.field("Endereco", &Wide::Endereco).field("Bairro", &Wide::Bairro).field("Cidade", &Wide::Cidade);
        b.field("Uf", &Wide::Uf).field("Obs1", &Wide::Obs1).field("Obs2", &Wide::Obs2);
        b.field("B1", &Wide::B1).field("B2", &Wide::B2).field("B3", &Wide::B3);
        b.field("S1", &Wide::S1).field("S2", &Wide::S2);
        b.field("U1", &Wide::U1).field("U2", &Wide::U2).field("U3", &Wide::U3);
        b.field("L1", &Wide::L1).field("L2", &Wide::L2).field("L3", &Wide::L3);
        b.field("UL1", &Wide::UL1).field("UL2", &Wide::UL2).field("UL3", &Wide::UL3);
        b.date("D2", &Wide::D2).date("D3", &Wide::D3).date("D4", &Wide::D4).date("D5", &Wide::D5);
        b.field("Q1", &Wide::Q1).field("V1", &Wide::V1).field("V2", &Wide::V2).field("V3", &Wide::V3);
        b.field("V4", &Wide::V4).field("V5", &Wide::V5).field("V6", &Wide::V6).field("A1", &Wide::A1);
        b.field("C1", &Wide::C1).field("V7", &Wide::V7);
        b.key("KEY:CODIGO", "Código", {"Codigo"}, kPrimary | kNoCase);
        b.key("KEY:NOMEDATA", "Nome + Data", {"Nome", "Data"}, kDuplicates | kNoCase);
        return b.build();
    }();
    return d;
}

int records() {
    const char* v = std::getenv("VOREL_BENCH_RECORDS");
    return v && *v ? std::atoi(v) : 1000000;
}

fs::path folder() {
    static fs::path f = [] {
        std::string t = (fs::temp_directory_path() / "vorel-bench-XXXXXX").string();
        fs::path p = mkdtemp(t.data());
        fs::create_directories(p / "state");
        set_state_folder(p / "state");
        return p;
    }();
    return f;
}

// The values of record i, the same for both sides.
struct Values {
    std::uint32_t codigo;
    std::string nome;
    std::int32_t data;
};
Values values(int i, int n) {
    // Codes in a shuffled order, so that the primary key is not filled in sequence.
    std::uint32_t code = static_cast<std::uint32_t>((static_cast<std::uint64_t>(i) * 7919u) % static_cast<std::uint64_t>(n)) + 1;
    return {code, "Produto " + std::to_string(code % 5000), 78531 + i % 365};
}

void fill(Wide& r, int i, int n) {
    Values v = values(i, n);
    r.Codigo = v.codigo;
    r.Nome = v.nome;
    r.Data = v.data;
    r.Cnpj = "12345678000199";
    r.Serie = "1";
    r.Lote = "L" + std::to_string(i % 100);
    r.Endereco = "Rua das Flores, 123";
    r.Bairro = "Centro";
    r.Cidade = "Sao Paulo";
    r.Uf = "SP";
    r.B1 = static_cast<std::uint8_t>(i);
    r.L1 = i;
    r.UL1 = static_cast<std::uint32_t>(i) * 3u;
    r.D2 = 78531;
    r.Q1 = DecimalField<13, 3>::from_scaled(i * 1000LL + 500);
    r.V1 = DecimalField<13, 2>::from_scaled(i * 10LL + 3);
    r.V5 = DecimalField<15, 2>::from_scaled(i * 7LL);
    r.A1 = DecimalField<7, 3>::from_scaled(18000);
    r.C1 = DecimalField<15, 0>::from_scaled(i);
}

// ---------------------------------------------------------------- the engine
void EngineInsert(benchmark::State& state) {
    const int n = records();
    ::sync();  // the other side's written pages do not go to disk on this side's time
    for (auto _ : state) {
        CaminhoWide.set((folder() / "engine.tps").string());
        fs::remove(folder() / "engine.tps");
        FileManager fm(WideTable());
        if (fm.open() != 0) state.SkipWithError("open failed");
        Wide& r = fm.rec<Wide>();
        Transaction t({&fm});
        for (int i = 0; i < n; ++i) {
            fm.clear_record();
            fill(r, i, n);
            if (fm.add() != 0) {
                state.SkipWithError("add failed");
                break;
            }
        }
        if (t.commit() != 0) state.SkipWithError("commit failed");
    }
    state.counters["records/s"] = benchmark::Counter(double(n) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void EngineReadAll(benchmark::State& state) {
    const int n = records();
    for (auto _ : state) {
        FileManager fm(WideTable());
        fm.open();
        int count = 0;
        std::uint64_t sum = 0;
        fm.set("WID:KEY:NOMEDATA");
        while (fm.next() == 0) {
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
        fm.open();
        std::mt19937 rng(42);
        std::uint64_t sum = 0;
        for (int i = 0; i < gets; ++i) {
            fm.rec<Wide>().Codigo = static_cast<std::uint32_t>(rng() % static_cast<unsigned>(n)) + 1;
            if (fm.get(0) != 0) {
                state.SkipWithError("get failed");
                break;
            }
            sum += fm.rec<Wide>().UL1;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["gets/s"] = benchmark::Counter(double(gets) * double(state.iterations()), benchmark::Counter::kIsRate);
}

// ---------------------------------------------------------------- raw SQLite, same schema
// The record as the raw side keeps it: plain C arrays and integers.
struct RawRec {
    std::int64_t v[40];
    char text[12][64];
};


std::string raw_schema_columns() {
    std::string s;
    for (const auto& f : WideTable().fields) {
        if (!s.empty()) s += ", ";
        s += "\"" + f.label + "\"" + (is_text(f.type) ? " TEXT NOT NULL DEFAULT ''" : " INTEGER NOT NULL DEFAULT 0");
    }
    return s;
}

sqlite3* raw_open(const fs::path& p) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(p.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    register_collations(db);
    sqlite3_exec(db, "PRAGMA synchronous=FULL; PRAGMA journal_mode=DELETE; PRAGMA cache_size=-32768", nullptr, nullptr, nullptr);
    return db;
}

// Binds one record's values as the engine would store them (texts without trailing blanks,
// decimals as scaled integers), from the same struct.
void raw_bind(sqlite3_stmt* st, const Wide& r) {
    int i = 1;
    auto text = [&](std::string_view v) {
        while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
        sqlite3_bind_text(st, i++, v.data(), static_cast<int>(v.size()), SQLITE_STATIC);
    };
    auto num = [&](std::int64_t v) { sqlite3_bind_int64(st, i++, v); };
    num(r.Codigo); text(r.Nome.value()); num(r.Data); text(r.Cnpj.value()); text(r.Serie.value()); text(r.Lote.value());
    text(r.Endereco.value()); text(r.Bairro.value()); text(r.Cidade.value()); text(r.Uf.value()); text(r.Obs1.value());
    text(r.Obs2.value());
    num(r.B1); num(r.B2); num(r.B3); num(r.S1); num(r.S2); num(r.U1); num(r.U2); num(r.U3);
    num(r.L1); num(r.L2); num(r.L3); num(r.UL1); num(r.UL2); num(r.UL3); num(r.D2); num(r.D3); num(r.D4); num(r.D5);
    num(r.Q1.scaled()); num(r.V1.scaled()); num(r.V2.scaled()); num(r.V3.scaled()); num(r.V4.scaled());
    num(r.V5.scaled()); num(r.V6.scaled()); num(r.A1.scaled()); num(r.C1.scaled()); num(r.V7.scaled());
}

// Reads one row into the same struct.
void raw_read(sqlite3_stmt* st, Wide& r) {
    int i = 0;
    auto text = [&]() {
        const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        std::string_view v(t ? t : "", static_cast<std::size_t>(sqlite3_column_bytes(st, i)));
        ++i;
        return v;
    };
    auto num = [&]() { return sqlite3_column_int64(st, i++); };
    r.Codigo = static_cast<std::uint32_t>(num()); r.Nome = text(); r.Data = static_cast<std::int32_t>(num());
    r.Cnpj = text(); r.Serie = text(); r.Lote = text(); r.Endereco = text(); r.Bairro = text(); r.Cidade = text();
    r.Uf = text(); r.Obs1 = text(); r.Obs2 = text();
    r.B1 = static_cast<std::uint8_t>(num()); r.B2 = static_cast<std::uint8_t>(num()); r.B3 = static_cast<std::uint8_t>(num());
    r.S1 = static_cast<std::int16_t>(num()); r.S2 = static_cast<std::int16_t>(num());
    r.U1 = static_cast<std::uint16_t>(num()); r.U2 = static_cast<std::uint16_t>(num()); r.U3 = static_cast<std::uint16_t>(num());
    r.L1 = static_cast<std::int32_t>(num()); r.L2 = static_cast<std::int32_t>(num()); r.L3 = static_cast<std::int32_t>(num());
    r.UL1 = static_cast<std::uint32_t>(num()); r.UL2 = static_cast<std::uint32_t>(num()); r.UL3 = static_cast<std::uint32_t>(num());
    r.D2 = static_cast<std::int32_t>(num()); r.D3 = static_cast<std::int32_t>(num()); r.D4 = static_cast<std::int32_t>(num());
    r.D5 = static_cast<std::int32_t>(num());
    r.Q1 = DecimalField<13, 3>::from_scaled(num()); r.V1 = DecimalField<13, 2>::from_scaled(num());
    r.V2 = DecimalField<13, 2>::from_scaled(num()); r.V3 = DecimalField<13, 2>::from_scaled(num());
    r.V4 = DecimalField<13, 2>::from_scaled(num()); r.V5 = DecimalField<15, 2>::from_scaled(num());
    r.V6 = DecimalField<15, 2>::from_scaled(num()); r.A1 = DecimalField<7, 3>::from_scaled(num());
    r.C1 = DecimalField<15, 0>::from_scaled(num()); r.V7 = DecimalField<11, 2>::from_scaled(num());
}

std::string raw_columns() {
    std::string s;
    for (const auto& f : WideTable().fields) s += (s.empty() ? "\"" : ", \"") + f.label + "\"";
    return s;
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
        if (a.open_path((root / "a.tps").string()) || b.open_path((root / "b.tps").string())) {
            state.SkipWithError("open failed");
            return;
        }
        std::uint32_t code = 1;
        for (auto _ : state) {
            Transaction t({&a, &b});
            fill(a.rec<Wide>(), static_cast<int>(code), 1 << 30);
            fill(b.rec<Wide>(), static_cast<int>(code), 1 << 30);
            a.rec<Wide>().Codigo = b.rec<Wide>().Codigo = code++;
            if (a.add() || b.add() || t.commit()) state.SkipWithError("commit failed");
        }
    }
    set_data_root({});
}

}  // namespace

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
