// The monthly computation over a month of movement rows (200,000 by default, over 2,000 products;
// VOREL_BENCH_COMPUTATION_ROWS changes the rows), all products, against a raw SQLite baseline in
// the same program that produces the same files in one ordered pass: it reads the month's exits and
// entries through their (product, date) keys, values each product's rows in memory in the work
// table's order (an exit to another state reads the product's entries once, for its last
// entries), inserts each work row once with its results into a work table without indexes, writes
// one month record per product, and builds the work table's indexes (the engine's schema) at the
// end. Alternated rounds (bench_rounds prints every round and the median ratios, wall and CPU).
//
// Peak memory: the process's resident high-water mark (VmHWM, reset through /proc/self/clear_refs
// before the pass) and SQLite's own high-water mark, for one engine pass, printed at the end; run
// with 20,000 and 2,000,000 rows to compare. VOREL_BENCH_MEMORY_ONLY=1: only that pass (after the
// first one that writes the month records), without the timed rounds.
//
// VOREL_BENCH_DUMP=<file>: runs the engine once and writes its results instead of timing: every
// month record of the month and every work row (results included), one per line in a fixed order,
// and the order in which each key of both files delivers them, so that two builds of the engine can
// be compared on this data set (scripts/compare-computation.sh).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../company_month.h"
#include "../data/rounds.h"
#include "movimentos.h"
#include "vorel/computation/calculo_produtos.h"
#include "vorel/core/paths.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/sqlite_collation.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"

namespace fs = std::filesystem;
using namespace vorel;

namespace {

constexpr int kProdutos = 2000;
constexpr int kRounds = 5;

int linhas() { return bench_company::Linhas("VOREL_BENCH_COMPUTATION_ROWS", 200000); }

fs::path g_root;
dictionary::CaminhosAno g_ano;

void Prepara() {
    const bench_company::Pastas pastas = bench_company::PreparaEmpresa("vorel-bench-computation", 2016, 3);
    g_root = pastas.root;
    g_ano = pastas.ano;

    // The registers and the month: entries (CFOP 1102, column 1) and exits (5102, column 2; every
    // tenth 6102, column 5, which reads the last entries back) spread over the products and days.
    data::FileManager cfo(dictionary::CFO()), pro(dictionary::Produtos()), ent(dictionary::EntradaVorel()),
        sai(dictionary::SaidaVorel());
    if (!cfo.open().ok() || !pro.open().ok() || !ent.open().ok() || !sai.open().ok()) std::abort();
    data::Transaction tr({&cfo, &pro, &ent, &sai});
    bench_movimentos::GravaCadastros(cfo, pro, kProdutos);
    const int n = linhas();
    for (int i = 0; i < n; ++i) {
        const int produto = 1 + i % kProdutos;
        const int k = i / kProdutos;  // the product's k-th movement
        const date::Day dia = date::make(2016, 3, 1 + (k * 28) / (n / kProdutos + 1));
        bench_movimentos::GravaMovimento(ent, sai, i, produto, k, dia);
    }
    if (!tr.commit().ok()) std::abort();
    for (auto* fm : {&cfo, &pro, &ent, &sai}) (void)fm->close();
}

// ------------------------------------------------------------------ the engine
double Motor() {
    return bench_rounds::seconds([] {
        bench_movimentos::SemAvisos avisos;
        computation::OpcoesCalculo o;
        o.todos = true;
        computation::ResultadoCalculo r = computation::CalculoProdutos(shell::PeriodoDeTrabalho(), o, avisos);
        if (!r.ok()) std::fprintf(stderr, "engine: %s\n", r.erro.c_str());
        return r.ok();
    });
}

// ------------------------------------------------------------------ the raw SQLite baseline
using bench_company::Sql;
using bench_company::Stmt;

std::vector<std::string> g_ddl;  // the work table's schema as the engine makes it
fs::path g_saldosBase;           // the baseline's own copy of the month records' file

void EsquemaDoTrabalho() {
    g_ddl = bench_company::Esquema(dictionary::EntradaSaidaVorel(), (g_root / "Temp" / "modelo.tps").string());
    g_saldosBase = g_root / "Temp" / "saldos-base.db";
    fs::copy_file(files::resolve(g_ano.CaminhoSaldosVorel), g_saldosBase, fs::copy_options::overwrite_existing);
}

// One work row of the baseline, as the engine's work table keeps it (scaled integers, as stored).
struct Linha {
    long long data = 0, quantidade = 0, base = 0, produto = 0, cfo = 0, complemento = 0, cfocompl = 0, forcli = 0;
    int entsai = 0;
    std::string cnpj, serie, numero;
};

// A product's entry that a last-entries base is taken from (CFOP 1403, 2403, 1409, 2409).
struct EntradaDeBase {
    long long data, quantidade, basePropria;
};

double Base() {
    const fs::path work = g_root / "Temp" / "trabalho-base.db";
    fs::remove(work);
    Sql s;
    if (sqlite3_open(work.c_str(), &s.db) != SQLITE_OK) return -1;
    data::register_collations(s.db);
    s.exec("PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL; PRAGMA cache_size = -8192");
    if (!s.exec(g_ddl.front())) return -1;  // the table; its indexes once it is whole
    if (!s.exec("ATTACH '" + files::resolve(g_ano.CaminhoSaidaVorel).string() + "' AS sai") ||
        !s.exec("ATTACH '" + files::resolve(g_ano.CaminhoEntradaVorel).string() + "' AS ent") ||
        !s.exec("ATTACH '" + g_saldosBase.string() + "' AS sal"))
        return -1;
    const int inicio = date::make(2016, 3, 1), fim = date::make(2016, 3, 31);
    return bench_rounds::seconds([&] {
        // Both streams in (product, date) order through the movement files' own keys.
        Stmt saidas{s.prep("SELECT CodMercadoria, DataSaida, CNPJ, Serie, Numero, CFO, Complemento, Quantidade, BaseCalculo, "
                           "CodigoForCli FROM sai.rec WHERE DataSaida BETWEEN ?1 AND ?2 ORDER BY CodMercadoria, DataSaida")};
        Stmt entradas{s.prep("SELECT CodMercadoria, DataEmissao, Cnpj, Serie, Numero, CFO, Complemento, Quantidade, BaseICMS, "
                             "CodigoForCli, CFOComplementar FROM ent.rec WHERE DataEmissao BETWEEN ?1 AND ?2 "
                             "ORDER BY CodMercadoria, DataEmissao")};
        Stmt ultimas{s.prep("SELECT DataEmissao, Quantidade, BaseICMSPropria FROM ent.rec WHERE CodMercadoria = ? "
                            "AND CFO IN (1403, 2403, 1409, 2409) ORDER BY CodMercadoria, DataEmissao")};
        Stmt ins{s.prep("INSERT INTO main.rec (DATA, CNPJFORPROD, SERIE, NUMERO, CFO, COMPLEMENTO, CFOCOMPL, QUANTIDADE, "
                        "BASEICMS, CODMERCADORIA, ENTSAI, CODIGOFORCLI, SAIVALUNITARIO, SAICONSFINAL, SAINREALIZADO, SAIISENTA, "
                        "SAIOUTORUF, SAISUBSEQUENTE, CONFUSUFINAL, CONFENTRADASDEMHIP, SALDOQUANTIDADE, SALDOVALUNITARIO, "
                        "SALDOBASERETENCAO) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,0,0,0,0,?,0,?,?,?)")};
        Stmt apaga{s.prep("DELETE FROM sal.rec WHERE Produto = ? COLLATE VNOCASE AND Competencia = ?")};
        Stmt grava{s.prep("INSERT INTO sal.rec (Produto, Competencia, Aliquota, QuantProdutos, ValorUnit, BaseAcunulada, "
                          "CalcUsuFinal, Situacao) VALUES (?,?,18000,?,?,?,?,1)")};
        for (sqlite3_stmt* q : {saidas.st, entradas.st}) {
            sqlite3_bind_int(q, 1, inicio);
            sqlite3_bind_int(q, 2, fim);
        }
        auto texto = [](sqlite3_stmt* q, int c) {
            const unsigned char* t = sqlite3_column_text(q, c);
            return t ? std::string(reinterpret_cast<const char*>(t)) : std::string();
        };
        auto le = [&](sqlite3_stmt* q, int entsai, Linha& l) {
            if (sqlite3_step(q) != SQLITE_ROW) return false;
            l.produto = sqlite3_column_int64(q, 0);
            l.data = sqlite3_column_int64(q, 1);
            l.cnpj = texto(q, 2);
            l.serie = texto(q, 3);
            const long long numero = sqlite3_column_int64(q, 4);
            l.numero = std::to_string(numero);
            if (entsai == 2 && l.numero.size() < 6) l.numero.insert(0, 6 - l.numero.size(), ' ');
            l.cfo = sqlite3_column_int64(q, 5);
            l.complemento = sqlite3_column_int64(q, 6);
            l.quantidade = sqlite3_column_int64(q, 7);
            l.base = sqlite3_column_int64(q, 8);
            l.forcli = sqlite3_column_int64(q, 9);
            l.cfocompl = entsai == 1 ? sqlite3_column_int64(q, 10) : 0;
            l.entsai = entsai;
            return true;
        };
        if (!s.exec("BEGIN")) return false;
        Linha sai, ent;
        bool temSai = le(saidas.st, 2, sai), temEnt = le(entradas.st, 1, ent);
        std::vector<Linha> produto;
        std::vector<EntradaDeBase> base;
        while (temSai || temEnt) {
            // The next product's rows from both streams, in the work table's order.
            const long long p = !temEnt || (temSai && sai.produto < ent.produto) ? sai.produto : ent.produto;
            produto.clear();
            while (temSai && sai.produto == p) {
                produto.push_back(std::move(sai));
                temSai = le(saidas.st, 2, sai);
            }
            while (temEnt && ent.produto == p) {
                produto.push_back(std::move(ent));
                temEnt = le(entradas.st, 1, ent);
            }
            std::stable_sort(produto.begin(), produto.end(), [](const Linha& a, const Linha& b) {
                if (a.data != b.data) return a.data < b.data;
                if (a.entsai != b.entsai) return a.entsai < b.entsai;
                return a.numero < b.numero;
            });
            bool baseLida = false;
            long long q = 0, saldo = 0, unit = 0, total = 0;
            auto insere = [&](const Linha* l, long long sai) {
                sqlite3_reset(ins.st);
                int k = 1;
                if (l) {
                    sqlite3_bind_int64(ins.st, k++, l->data);
                    sqlite3_bind_text(ins.st, k++, l->cnpj.c_str(), -1, SQLITE_STATIC);
                    sqlite3_bind_text(ins.st, k++, l->serie.c_str(), -1, SQLITE_STATIC);
                    sqlite3_bind_text(ins.st, k++, l->numero.c_str(), -1, SQLITE_STATIC);
                    for (long long v : {l->cfo, l->complemento, l->cfocompl, l->quantidade, l->base, l->produto})
                        sqlite3_bind_int64(ins.st, k++, v);
                    sqlite3_bind_int(ins.st, k++, l->entsai);
                    sqlite3_bind_int64(ins.st, k++, l->forcli);
                } else {
                    for (; k <= 12; ++k) sqlite3_bind_int(ins.st, k, 0);
                    sqlite3_bind_int64(ins.st, 10, p);
                }
                for (long long v : {unit, sai, sai, q, unit, saldo}) sqlite3_bind_int64(ins.st, k++, v);
                return sqlite3_step(ins.st) == SQLITE_DONE;
            };
            if (!insere(nullptr, 0)) return false;  // the opening row
            for (const Linha& l : produto) {
                long long saida = 0;
                if (l.entsai == 1) {
                    q += l.quantidade;
                    saldo += l.base;
                } else {
                    if (l.cfo == 6102) {
                        if (!baseLida) {  // the product's base entries, once
                            base.clear();
                            sqlite3_bind_int64(ultimas.st, 1, p);
                            while (sqlite3_step(ultimas.st) == SQLITE_ROW)
                                base.push_back({sqlite3_column_int64(ultimas.st, 0), sqlite3_column_int64(ultimas.st, 1),
                                                sqlite3_column_int64(ultimas.st, 2)});
                            sqlite3_reset(ultimas.st);
                            baseLida = true;
                        }
                        long long restante = l.quantidade, lida = 0;
                        for (auto it = base.rbegin(); it != base.rend() && restante > 0; ++it) {
                            if (it->data > l.data) continue;
                            restante -= it->quantidade;
                            lida += it->basePropria;
                        }
                        benchmark::DoNotOptimize(lida);
                    }
                    saida = l.quantidade * unit / 1000000000;
                    q -= l.quantidade;
                    saldo -= saida;
                    total += saida;
                }
                unit = q ? saldo * 1000000000 / q : 0;
                if (!insere(&l, saida)) return false;
            }
            const std::string codigo = std::to_string(p);
            sqlite3_bind_text(apaga.st, 1, codigo.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(apaga.st, 2, inicio);
            if (sqlite3_step(apaga.st) != SQLITE_DONE) return false;
            sqlite3_reset(apaga.st);
            sqlite3_bind_text(grava.st, 1, codigo.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(grava.st, 2, inicio);
            sqlite3_bind_int64(grava.st, 3, q);
            sqlite3_bind_int64(grava.st, 4, unit);
            sqlite3_bind_int64(grava.st, 5, saldo);
            sqlite3_bind_int64(grava.st, 6, total);
            if (sqlite3_step(grava.st) != SQLITE_DONE) return false;
            sqlite3_reset(grava.st);
        }
        for (std::size_t i = 1; i < g_ddl.size(); ++i)
            if (!s.exec(g_ddl[i])) return false;
        return s.exec("COMMIT");
    });
}

// ------------------------------------------------------------------ the results, for a comparison
// The engine's month records and work rows of one pass, written to `arquivo`.
bool Resultados(const char* arquivo) {
    bench_movimentos::SemAvisos avisos;
    computation::OpcoesCalculo o;
    o.todos = true;
    o.manterTrabalho = true;
    computation::ResultadoCalculo r = computation::CalculoProdutos(shell::PeriodoDeTrabalho(), o, avisos);
    if (!r.ok()) {
        std::fprintf(stderr, "engine: %s\n", r.erro.c_str());
        return false;
    }
    std::FILE* out = std::fopen(arquivo, "w");
    if (!out) return false;
    bench_company::Despeja(out, files::resolve(g_ano.CaminhoSaldosVorel).string(), "month");
    bench_company::Despeja(out, files::resolve(r.arquivoTrabalho).string(), "work");
    std::fclose(out);
    computation::ApagaTrabalho(r.arquivoTrabalho);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Prepara();
    if (const char* arquivo = std::getenv("VOREL_BENCH_DUMP"); arquivo && *arquivo) {
        const bool ok = Resultados(arquivo);
        dictionary::TeardownDictionary();
        std::error_code ec;
        fs::remove_all(g_root, ec);
        return ok ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    Motor();  // one pass first, so the month records exist on both sides
    const char* soMemoria = std::getenv("VOREL_BENCH_MEMORY_ONLY");
    if (!soMemoria || !*soMemoria) {
        EsquemaDoTrabalho();
        bench_rounds::add("monthly computation, " + std::to_string(linhas()) + " rows", "raw SQLite", kRounds, Base, Motor);
        benchmark::RunSpecifiedBenchmarks();
        bench_rounds::print_ratios();
    }
    bench_company::Memoria(std::to_string(linhas()) + " rows", Motor);
    benchmark::Shutdown();
    dictionary::TeardownDictionary();
    std::error_code ec;
    fs::remove_all(g_root, ec);
    return 0;
}
