// The customer-code repair of a year's exits (`AjustaCodigosForCli`, the window "AjustaCodForCli")
// over 100,000 exits (VOREL_BENCH_FORCLI_ROWS changes it; VOREL_BENCH_FORCLI_ROUNDS the 5 rounds) against a raw SQLite baseline in the same
// program doing the same work on copies of the same files: the year's exits read in date order
// through the date index, each document zero-filled and looked up among the active customers by
// CNPJ, then by CPF, through their indexes, the code written where it changed, a commit after every
// 1001 exits read and at the end (rollback journal, synchronous FULL, as the engine writes).
// Before each pass every code is set back to 0 (not timed). Alternated rounds print the median
// ratio (wall and CPU); the memory of one engine pass at 10,000 exits and at the size measured follows.
#include <benchmark/benchmark.h>

#include <string>

#include "../company_month.h"
#include "../data/rounds.h"
#include "vorel/core/paths.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/sqlite_collation.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/maintenance/codigo_forcli.h"

namespace fs = std::filesystem;
using namespace vorel;
using bench_company::Sql;
using bench_company::Stmt;

namespace {

constexpr int kClientes = 2000;
constexpr int kPequeno = 10000;

fs::path g_root;
std::string g_forcli;  // the engine's customer register file

// Customer i's document: a CNPJ for four in five, a CPF for the others.
std::string Documento(int i) {
    const std::string n = std::to_string(i % 5 == 4 ? 12345000000LL + i : 11222000000000LL + i);
    return std::string((i % 5 == 4 ? 11 : 14) - n.size(), '0') + n;
}

// Company `empresa`'s exits of 2016: `n` of them, one document in twenty unknown, one in fifty "0".
std::string Saidas(int empresa, int n) {
    auto ano = dictionary::CaminhosArquivosAno(g_root.string() + "/", static_cast<std::uint32_t>(empresa), 2016);
    if (dictionary::CriaPastas(ano)) std::abort();
    data::FileManager fm(dictionary::SaidaVorel());
    if (!fm.open_path(ano.CaminhoSaidaVorel).ok()) std::abort();
    {
        data::Transaction t({&fm});
        auto& s = fm.rec<dictionary::SaidaVorelRec>();
        for (int i = 0; i < n; ++i) {
            fm.clear_record();
            s.DataSaida = date::make(2016, 1 + i % 12, 1 + (i / 12) % 28);
            s.Numero = static_cast<std::uint32_t>(i + 1);
            s.Serie = "1";
            s.CFO = 5102;
            s.CodMercadoria = 1 + i % 500;
            s.Quantidade = Decimal(1 + i % 7);
            s.BaseCalculo = Decimal(10 + i % 100);
            s.CNPJ = i % 50 == 0 ? std::string("0") : i % 20 == 1 ? std::string("99999999000199") : Documento(i % kClientes);
            if (!fm.add().ok()) std::abort();
        }
        if (!t.commit().ok()) std::abort();
    }
    (void)fm.close();
    return ano.CaminhoSaidaVorel;
}

void Cadastro() {
    data::FileManager fm(dictionary::ForCli());
    if (!fm.open().ok()) std::abort();
    data::Transaction t({&fm});
    auto& f = fm.rec<dictionary::ForCliRec>();
    for (int i = 0; i < kClientes; ++i) {
        fm.clear_record();
        f.Codigo = static_cast<std::uint32_t>(i + 1);
        f.Nome = "Cliente " + std::to_string(i);
        if (i % 5 == 4) f.CPF = Documento(i);
        else f.CGC = Documento(i);
        if (!fm.add().ok()) std::abort();
    }
    if (!t.commit().ok()) std::abort();
    (void)fm.close();
    g_forcli = fm.file_name();
}

bool Zera(const std::string& arquivo) {
    Sql s;
    if (sqlite3_open(files::resolve(arquivo).c_str(), &s.db) != SQLITE_OK) return false;
    data::register_collations(s.db);
    return s.exec("UPDATE rec SET CodigoForCli = 0");
}

bool PassoEngine(int empresa) {
    const maintenance::ResultadoReparo r =
        maintenance::AjustaCodigosForCli(maintenance::MovimentosForCli::Saidas, {static_cast<std::uint32_t>(empresa), 2016, 1});
    if (!r.ok()) std::fprintf(stderr, "engine: %s\n", r.erro.c_str());
    return r.ok() && r.alterados > 0;
}

// The same reads, look-ups, writes and commits through SQLite's own API.
bool PassoRaw(const std::string& saidas, const std::string& forcli) {
    Sql s;
    if (sqlite3_open(saidas.c_str(), &s.db) != SQLITE_OK) return false;
    data::register_collations(s.db);
    if (!s.exec("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL") ||
        !s.exec("ATTACH '" + forcli + "' AS f"))
        return false;
    Stmt le{s.prep("SELECT rid, CNPJ, CodigoForCli FROM main.rec WHERE DataSaida BETWEEN ? AND ? ORDER BY DataSaida, rid")};
    Stmt cgc{s.prep("SELECT Codigo FROM f.rec WHERE CGC = ? COLLATE VNOCASE AND Inativo = 0 ORDER BY rid LIMIT 1")};
    Stmt cpf{s.prep("SELECT Codigo FROM f.rec WHERE CPF = ? COLLATE VNOCASE AND Inativo = 0 ORDER BY rid LIMIT 1")};
    Stmt grava{s.prep("UPDATE main.rec SET CodigoForCli = ? WHERE rid = ?")};
    sqlite3_bind_int64(le.st, 1, date::make(2016, 1, 1));
    sqlite3_bind_int64(le.st, 2, date::make(2016, 12, 31));
    auto acha = [](sqlite3_stmt* st, const std::string& chave) -> long long {
        sqlite3_reset(st);
        sqlite3_bind_text(st, 1, chave.c_str(), static_cast<int>(chave.size()), SQLITE_STATIC);
        return sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
    };
    if (!s.exec("BEGIN IMMEDIATE")) return false;
    long long lidos = 0, alterados = 0, noLote = 0;
    while (sqlite3_step(le.st) == SQLITE_ROW) {
        ++lidos;
        const char* t = reinterpret_cast<const char*>(sqlite3_column_text(le.st, 1));
        std::string doc = t ? t : "";
        if (!doc.empty() && doc != "0") {
            const std::size_t z = doc.find_first_not_of('0');
            const std::string n = z == std::string::npos ? "0" : doc.substr(z);
            long long codigo = n.size() <= 14 ? acha(cgc.st, std::string(14 - n.size(), '0') + n) : -1;
            if (codigo < 0 && n.size() <= 11) codigo = acha(cpf.st, std::string(11 - n.size(), '0') + n);
            if (codigo >= 0 && codigo != sqlite3_column_int64(le.st, 2)) {
                sqlite3_reset(grava.st);
                sqlite3_bind_int64(grava.st, 1, codigo);
                sqlite3_bind_int64(grava.st, 2, sqlite3_column_int64(le.st, 0));
                if (sqlite3_step(grava.st) != SQLITE_DONE) return s.falha("update");
                ++alterados;
            }
        }
        if (++noLote > 1000) {
            if (!s.exec("COMMIT") || !s.exec("BEGIN IMMEDIATE")) return false;
            noLote = 0;
        }
    }
    return s.exec("COMMIT") && alterados > 0 && lidos > 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int n = bench_company::Linhas("VOREL_BENCH_FORCLI_ROWS", 100000);
    const bench_company::Pastas p = bench_company::PreparaEmpresa("vorel-bench-forcli", 2016, 1);
    g_root = p.root;
    shell::PastaRaiz.Set(g_root.string() + "/");
    Cadastro();
    const std::string engine = Saidas(1, n), pequeno = Saidas(2, kPequeno);
    // The baseline's copies of the same files.
    fs::create_directories(g_root / "raw");
    const std::string rawSaidas = (g_root / "raw" / "Saidas.db").string(), rawForCli = (g_root / "raw" / "ForCli.db").string();
    fs::copy_file(files::resolve(engine), rawSaidas);
    fs::copy_file(files::resolve(g_forcli), rawForCli);

    const int rodadas = bench_company::Linhas("VOREL_BENCH_FORCLI_ROUNDS", 5);
    bench_rounds::add("customer codes of " + std::to_string(n) + " exits", "raw-sqlite", rodadas,
                      [&] {
                          if (!Zera(rawSaidas)) return -1.0;
                          return bench_rounds::seconds([&] { return PassoRaw(rawSaidas, rawForCli); });
                      },
                      [&] {
                          if (!Zera(engine)) return -1.0;
                          return bench_rounds::seconds([] { return PassoEngine(1); });
                      });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench_rounds::print_ratios();
    for (const auto& [empresa, arquivo, oque] : {std::tuple{2, pequeno, kPequeno}, std::tuple{1, engine, n}}) {
        if (!Zera(arquivo)) return 1;
        bench_company::Memoria(std::to_string(oque) + " exits", [e = empresa] { (void)PassoEngine(e); });
    }
    dictionary::TeardownDictionary();
    std::error_code ec;
    fs::remove_all(g_root, ec);
    return 0;
}
