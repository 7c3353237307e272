// The table engine's everyday paths against a plain baseline in the same program, alternated round
// by round (bench_rounds prints each round's ratio and the median):
// - read-modify-write: `while (next() == 0) { ...; put(); }` over 100,000 records of the 40-field
//   table in one transaction, against raw SQLite reading in key order and updating by rowid the
//   columns outside the keys;
// - a browse step (back and forth by one record from a record's place) inside 100,000 records with
//   equal keys, against the same step in a unique key;
// - text lines written and read through the text-line driver, against a plain buffered stream
//   making the same bytes from the same record.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "rounds.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/ui/browse_manager.h"
#include "wide_table.h"

using namespace bench_wide;

namespace {

constexpr int kRounds = 5;

int rmw_records() {
    const char* v = std::getenv("VOREL_BENCH_RMW_RECORDS");
    return v && *v ? std::atoi(v) : 100000;
}

// ------------------------------------------------------------ read-modify-write
fs::path engine_file() { return folder() / "rmw-engine.tps"; }
fs::path raw_file() { return folder() / "rmw-raw.db"; }

void make_rmw_files() {
    const int n = rmw_records();
    CaminhoWide.set(engine_file().string());
    FileManager fm(WideTable());
    if (!fm.open().ok()) std::abort();
    Transaction t({&fm});
    for (int i = 0; i < n; ++i) {
        fm.clear_record();
        fill(fm.rec<Wide>(), i, n);
        if (!fm.add().ok()) std::abort();
    }
    if (!t.commit().ok()) std::abort();
    (void)fm.close();
    fs::copy_file(engine_file(), raw_file(), fs::copy_options::overwrite_existing);
}

// Both sides keep their file open from pass to pass (and so its page cache), as a computation does
// while it runs.
std::unique_ptr<FileManager> g_rmw;  // closed before the thread's storage session ends

double engine_rmw() {
    if (!g_rmw) {
        g_rmw = std::make_unique<FileManager>(WideTable());
        if (!g_rmw->open_path(engine_file().string()).ok()) return -1;
    }
    FileManager& fm = *g_rmw;
    int key = fm.key_number(data::KeyName{"WID:KEY:NOMEDATA"});
    return bench_rounds::seconds([&] {
        Transaction t({&fm});
        auto& r = fm.rec<Wide>();
        int count = 0;
        (void)fm.set(key);
        while (fm.next().ok()) {
            r.V2 = DecimalField<13, 2>::from_scaled(r.V2.scaled() + 1);
            if (!fm.put().ok()) return false;
            ++count;
        }
        return count == rmw_records() && t.commit().ok();
    });
}

double raw_rmw() {
    static sqlite3* db = raw_open(raw_file());
    static sqlite3_stmt* sel = nullptr;
    static sqlite3_stmt* upd = nullptr;
    if (!sel) {
        sqlite3_prepare_v2(db, ("SELECT " + raw_columns() + ", rid FROM rec ORDER BY \"Nome\" COLLATE VNOCASE, \"Data\", rid").c_str(),
                           -1, &sel, nullptr);
        // Every column outside the keys (so no index is rewritten), as the engine writes a record
        // whose key columns hold what was read; parameters numbered as raw_bind binds them.
        const TableDesc& d = WideTable();
        std::vector<bool> chave(d.fields.size());
        for (const auto& k : d.keys)
            for (const auto& c : k.components) chave[static_cast<std::size_t>(c.field)] = true;
        std::string set;
        for (std::size_t i = 0; i < d.fields.size(); ++i) {
            if (chave[i]) continue;
            set += (set.empty() ? "\"" : ", \"") + d.fields[i].label + "\" = ?" + std::to_string(i + 1);
        }
        sqlite3_prepare_v2(db, ("UPDATE rec SET " + set + " WHERE rid = ?41").c_str(), -1, &upd, nullptr);
    }
    return bench_rounds::seconds([&] {
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        Wide r;
        int count = 0;
        while (sqlite3_step(sel) == SQLITE_ROW) {
            raw_read(sel, r);
            r.V2 = DecimalField<13, 2>::from_scaled(r.V2.scaled() + 1);
            raw_bind(upd, r);
            sqlite3_bind_int64(upd, 41, sqlite3_column_int64(sel, 40));
            if (sqlite3_step(upd) != SQLITE_DONE) return false;
            sqlite3_reset(upd);
            ++count;
        }
        sqlite3_reset(sel);
        return count == rmw_records() && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    });
}

// ------------------------------------------------------------ browse steps among equal keys
struct Passo {
    std::uint32_t Codigo = 0;
    String<4> Grupo;
    String<30> Nome;
};
NameVariable CaminhoPasso;
const TableDesc& PassoTable() {
    static const TableDesc d = TableBuilder<Passo>("Passo", "PAS")
                                   .file(CaminhoPasso)
                                   .version(1)
                                   .field("Codigo", &Passo::Codigo)
                                   .field("Grupo", &Passo::Grupo)
                                   .field("Nome", &Passo::Nome)
                                   .key("KEY:CODIGO", "Código", {"Codigo"}, kPrimary | kNoCase)
                                   .key("KEY:GRUPO", "Grupo", {"Grupo"}, kDuplicates | kNoCase)
                                   .build();
    return d;
}
constexpr int kEqualKeys = 100000;
constexpr int kSteps = 2000;
std::vector<std::int64_t> g_places;

void make_step_file() {
    CaminhoPasso.set((folder() / "passo.tps").string());
    FileManager fm(PassoTable());
    if (!fm.open().ok()) std::abort();
    Transaction t({&fm});
    for (int i = 1; i <= kEqualKeys; ++i) {
        fm.clear_record();
        auto& r = fm.rec<Passo>();
        r.Codigo = static_cast<std::uint32_t>(i);
        r.Grupo = "A";  // every record shares the key value
        r.Nome = "Registro " + std::to_string(i);
        if (!fm.add().ok()) std::abort();
        g_places.push_back(fm.position().id);
    }
    if (!t.commit().ok()) std::abort();
}

// kSteps steps of a browse at records spread over the middle of the file: one back (ScrollUp) and
// one forward (ScrollDown) from the record's place.
double browse_steps(KeyName key) {
    FileManager fm(PassoTable());
    if (!fm.open().ok()) return -1;
    vorel::ui::TableSource src(fm);
    src.SetOrder(fm.key_number(key));
    std::mt19937 rng(7);
    std::vector<std::int64_t> at(kSteps);
    for (auto& p : at) p = g_places[kEqualKeys / 4 + rng() % (kEqualKeys / 2)];
    return bench_rounds::seconds([&] {
        for (std::int64_t p : at) {
            src.Before(p);
            if (!src.Previous() || src.Current() != p - 1) return false;
            src.After(p);
            if (!src.Next() || src.Current() != p + 1) return false;
        }
        return true;
    });
}

// ------------------------------------------------------------ text lines
struct Linha {
    String<14> Cnpj;
    String<8> Data;
    String<10> Codigo;
    String<60> Descricao;
    String<13> Valor;
    String<40> Resto;
};
NameVariable CaminhoLinhas;
const TableDesc& LinhaTable() {
    static const TableDesc d = TableBuilder<Linha>("Linha", "LIN")
                                   .file(CaminhoLinhas)
                                   .text_lines()
                                   .field("Cnpj", &Linha::Cnpj)
                                   .field("Data", &Linha::Data)
                                   .field("Codigo", &Linha::Codigo)
                                   .field("Descricao", &Linha::Descricao)
                                   .field("Valor", &Linha::Valor)
                                   .field("Resto", &Linha::Resto)
                                   .build();
    return d;
}
constexpr int kLines = 200000;

void fill_line(Linha& r, int i) {
    r.Cnpj = "12345678000199";
    r.Data = std::to_string(78531 + i % 365);
    r.Codigo = std::to_string(i);
    r.Descricao = "Mercadoria de teste numero " + std::to_string(i % 977);
    r.Valor = std::to_string(i * 7) + ",00";
    r.Resto = i % 3 ? "observacao" : "";
}

double engine_write() {
    CaminhoLinhas.set((folder() / "linhas-engine.txt").string());
    return bench_rounds::seconds([&] {
        FileManager fm(LinhaTable());
        if (!fm.create().ok() || !fm.open().ok()) return false;
        auto& r = fm.rec<Linha>();
        for (int i = 0; i < kLines; ++i) {
            fill_line(r, i);
            if (!fm.add().ok()) return false;
        }
        return fm.close().ok();
    });
}

// The same bytes: each field at its width, trailing blanks cut, CR LF.
double plain_write() {
    fs::path p = folder() / "linhas-plain.txt";
    return bench_rounds::seconds([&] {
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        Linha r;
        std::string line;
        for (int i = 0; i < kLines; ++i) {
            fill_line(r, i);
            line.clear();
            line.append(r.Cnpj.value()).append(r.Data.value()).append(r.Codigo.value());
            line.append(r.Descricao.value()).append(r.Valor.value()).append(r.Resto.value());
            while (!line.empty() && line.back() == ' ') line.pop_back();
            line += "\r\n";
            out.write(line.data(), static_cast<std::streamsize>(line.size()));
        }
        out.close();
        return !out.fail();
    });
}

double engine_read() {
    CaminhoLinhas.set((folder() / "linhas-engine.txt").string());
    return bench_rounds::seconds([&] {
        FileManager fm(LinhaTable());
        if (!fm.open().ok()) return false;
        auto& r = fm.rec<Linha>();
        int n = 0;
        std::size_t sum = 0;
        (void)fm.set(0);
        while (fm.next().ok()) {
            sum += r.Codigo.value()[0];
            ++n;
        }
        benchmark::DoNotOptimize(sum);
        (void)fm.close();
        return n == kLines;
    });
}

double plain_read() {
    fs::path p = folder() / "linhas-plain.txt";
    return bench_rounds::seconds([&] {
        std::ifstream in(p, std::ios::binary);
        Linha r;
        std::string line;
        int n = 0;
        std::size_t sum = 0;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::string_view v(line);
            auto part = [&](std::size_t at, std::size_t w) { return at < v.size() ? v.substr(at, w) : std::string_view(); };
            r.Cnpj = part(0, 14);
            r.Data = part(14, 8);
            r.Codigo = part(22, 10);
            r.Descricao = part(32, 60);
            r.Valor = part(92, 13);
            r.Resto = part(105, std::string_view::npos);
            sum += r.Codigo.value()[0];
            ++n;
        }
        benchmark::DoNotOptimize(sum);
        return n == kLines;
    });
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    make_rmw_files();
    make_step_file();
    bench_rounds::add("ReadModifyWrite", "raw", kRounds, raw_rmw, engine_rmw, "100,000 records");
    bench_rounds::add("BrowseStep", "unique-key", kRounds, [] { return browse_steps(data::KeyName{"PAS:KEY:CODIGO"}); },
                      [] { return browse_steps(data::KeyName{"PAS:KEY:GRUPO"}); }, "2,000 steps each way");
    bench_rounds::add("TextLinesWrite", "plain-stream", kRounds, plain_write, engine_write, "200,000 lines");
    bench_rounds::add("TextLinesRead", "plain-stream", kRounds, plain_read, engine_read, "200,000 lines");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_rmw.reset();
    bench_rounds::print_ratios();
    auto bytes = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    std::printf("text files written by the driver and by the plain stream are %s\n",
                bytes(folder() / "linhas-engine.txt") == bytes(folder() / "linhas-plain.txt") ? "byte for byte the same"
                                                                                            : "DIFFERENT");
    std::error_code ec;
    fs::remove_all(folder(), ec);
    return 0;
}
