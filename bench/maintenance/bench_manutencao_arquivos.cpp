// The table maintenance window's Build ("&Reindexa") and Pack ("&Limpa") as the window runs them
// (`ExecutaOperacao`: the file opened exclusively, every key rebuilt or the file compacted in one
// transaction, the records counted) over a rate-history table of 1,000,000 records
// (VOREL_BENCH_MANUTENCAO_ROWS changes it; VOREL_BENCH_MANUTENCAO_ROUNDS the 3 rounds), against raw
// SQLite on a copy of the same file: REINDEX, or VACUUM, then a count (rollback journal, synchronous
// FULL, as the engine writes). Alternated rounds print the median ratio (wall and CPU); the memory of
// one engine Build and one Pack at 100,000 records and at the size measured follows.
#include <benchmark/benchmark.h>

#include <string>

#include "../company_month.h"
#include "../data/rounds.h"
#include "vorel/core/paths.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/sqlite_collation.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/name_variables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/maintenance/manutencao_arquivos.h"

namespace fs = std::filesystem;
using namespace vorel;
using bench_company::Sql;

namespace {

constexpr int kPequeno = 100000;

// A rate-history file of `n` rows at `arquivo`.
void Historico(const std::string& arquivo, int n) {
    data::FileManager fm(dictionary::ProdutosAliq());
    if (!fm.open_path(arquivo).ok()) std::abort();
    {
        data::Transaction t({&fm});
        auto& a = fm.rec<dictionary::ProdutosAliqRec>();
        for (int i = 0; i < n; ++i) {
            fm.clear_record();
            a.CODIGO_PRODUTO = Decimal(1 + (i * 7919) % 20000);
            a.CODIGO = Decimal(i + 1);
            a.ALIQUOTA = Decimal(7 + i % 19);
            a.DATA_INICIAL = date::make(1990, 1, 1) + i % 9000;
            if (!fm.add().ok()) std::abort();
        }
        if (!t.commit().ok()) std::abort();
    }
    (void)fm.close();
}

const maintenance::TabelaListada& Tabela() {
    static const maintenance::TabelaListada t = [] {
        for (const auto& x : maintenance::TabelasDaManutencao())
            if (x.rotulo == "ProdutosAliq") return x;
        std::abort();
    }();
    return t;
}

bool PassoEngine(maintenance::Operacao op, const std::string& arquivo, int n) {
    dictionary::CaminhoProdutosAliq.set(arquivo);
    const maintenance::ResultadoOperacao r = maintenance::ExecutaOperacao(op, Tabela());
    if (!r.acessoNegado.empty() || r.registros != std::to_string(n)) {
        std::fprintf(stderr, "engine: %s %s\n", r.registros.value_or("-").c_str(), r.nome.value_or(r.acessoNegado).c_str());
        return false;
    }
    return true;
}

bool PassoRaw(const char* comando, const std::string& arquivo, int n) {
    Sql s;
    if (sqlite3_open(arquivo.c_str(), &s.db) != SQLITE_OK) return false;
    data::register_collations(s.db);
    if (!s.exec("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL") || !s.exec(comando)) return false;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(s.db, "SELECT count(*) FROM rec", -1, &st, nullptr);
    const bool ok = sqlite3_step(st) == SQLITE_ROW && sqlite3_column_int64(st, 0) == n;
    sqlite3_finalize(st);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const int n = bench_company::Linhas("VOREL_BENCH_MANUTENCAO_ROWS", 1000000);
    const bench_company::Pastas p = bench_company::PreparaEmpresa("vorel-bench-manutencao", 2016, 1);
    const std::string engine = (p.root / "BComuns" / "ProdAliq.Tps").string(),
                      pequeno = (p.root / "BComuns" / "ProdAliqPequeno.Tps").string(),
                      raw = (p.root / "raw.db").string();
    Historico(engine, n);
    Historico(pequeno, kPequeno);
    fs::copy_file(engine, raw);

    const int rodadas = bench_company::Linhas("VOREL_BENCH_MANUTENCAO_ROUNDS", 3);
    const std::string tamanho = std::to_string(n) + " records";
    bench_rounds::add("Build (REINDEX) of " + tamanho, "raw-sqlite", rodadas,
                      [&] { return bench_rounds::seconds([&] { return PassoRaw("REINDEX", raw, n); }); },
                      [&] { return bench_rounds::seconds([&] { return PassoEngine(maintenance::Operacao::Build, engine, n); }); });
    bench_rounds::add("Pack (VACUUM) of " + tamanho, "raw-sqlite", rodadas,
                      [&] { return bench_rounds::seconds([&] { return PassoRaw("VACUUM", raw, n); }); },
                      [&] { return bench_rounds::seconds([&] { return PassoEngine(maintenance::Operacao::Pack, engine, n); }); });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench_rounds::print_ratios();
    for (const auto op : {maintenance::Operacao::Build, maintenance::Operacao::Pack})
        for (const auto& [arquivo, registros] : {std::pair{pequeno, kPequeno}, std::pair{engine, n}})
            bench_company::Memoria(std::string(op == maintenance::Operacao::Build ? "Build" : "Pack") + " of " +
                                       std::to_string(registros) + " records",
                                   [&, a = arquivo, r = registros] { (void)PassoEngine(op, a, r); });
    dictionary::TeardownDictionary();
    std::error_code ec;
    fs::remove_all(p.root, ec);
    return 0;
}
