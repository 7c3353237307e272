// The monthly computation over a month of movement rows (200,000 by default, over 2,000 products;
// VOREL_BENCH_COMPUTATION_ROWS changes the rows), all products, against a raw SQLite baseline in
// the same program that does the same writes in the same transactions: it reads the month's exits
// and entries and inserts the work rows (the engine's own schema and indexes), reads each
// product's rows back in key order (and for an exit to another state the product's entries back
// from its date), updates each row's result and balance columns and writes one record per product.
// Alternated rounds (bench_rounds prints every round and the median ratios).
//
// Peak memory: the process's resident high-water mark (VmHWM, reset through /proc/self/clear_refs
// before the pass) and SQLite's own high-water mark, for one engine pass, printed at the end; run
// with 50,000 and 200,000 rows to compare.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
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
        computation::ResultadoCalculo r = computation::CalculoProdutos(o, avisos);
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

double Base() {
    const fs::path work = g_root / "Temp" / "trabalho-base.db";
    fs::remove(work);
    Sql s;
    if (sqlite3_open(work.c_str(), &s.db) != SQLITE_OK) return -1;
    data::register_collations(s.db);
    s.exec("PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL");
    for (const std::string& d : g_ddl)
        if (!s.exec(d)) return -1;
    if (!s.exec("ATTACH '" + files::resolve(g_ano.CaminhoSaidaVorel).string() + "' AS sai") ||
        !s.exec("ATTACH '" + files::resolve(g_ano.CaminhoEntradaVorel).string() + "' AS ent") ||
        !s.exec("ATTACH '" + g_saldosBase.string() + "' AS sal"))
        return -1;
    const int inicio = date::make(2016, 3, 1), fim = date::make(2016, 3, 31);
    return bench_rounds::seconds([&] {
        std::set<long long> produtos;
        Stmt ins{s.prep("INSERT INTO main.rec (DATA, CNPJFORPROD, SERIE, NUMERO, CFO, COMPLEMENTO, CFOCOMPL, QUANTIDADE, "
                        "BASEICMS, CODMERCADORIA, ENTSAI, CODIGOFORCLI) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)")};
        auto reune = [&](const char* sql, int entsai) {
            Stmt q{s.prep(sql)};
            sqlite3_bind_int(q.st, 1, inicio);
            sqlite3_bind_int(q.st, 2, fim);
            if (!s.exec("BEGIN")) return false;
            while (sqlite3_step(q.st) == SQLITE_ROW) {
                for (int c = 0; c < 10; ++c) sqlite3_bind_value(ins.st, c + 1, sqlite3_column_value(q.st, c));
                sqlite3_bind_int(ins.st, 11, entsai);
                sqlite3_bind_value(ins.st, 12, sqlite3_column_value(q.st, 10));
                if (sqlite3_step(ins.st) != SQLITE_DONE) return false;
                sqlite3_reset(ins.st);
                produtos.insert(sqlite3_column_int64(q.st, 9));
            }
            return s.exec("COMMIT");
        };
        if (!reune("SELECT DataSaida, CNPJ, Serie, Numero, CFO, Complemento, 0, Quantidade, BaseCalculo, CodMercadoria, "
                   "CodigoForCli FROM sai.rec WHERE DataSaida BETWEEN ? AND ? ORDER BY DataSaida",
                   2) ||
            !reune("SELECT DataEmissao, Cnpj, Serie, Numero, CFO, Complemento, CFOComplementar, Quantidade, BaseICMS, "
                   "CodMercadoria, CodigoForCli FROM ent.rec WHERE DataEmissao BETWEEN ? AND ? ORDER BY DataEmissao",
                   1))
            return false;
        Stmt abre{s.prep("INSERT INTO main.rec (CODMERCADORIA) VALUES (?)")};
        Stmt linhas{s.prep("SELECT rid, QUANTIDADE, BASEICMS, ENTSAI, CFO, DATA FROM main.rec WHERE CODMERCADORIA = ? "
                           "ORDER BY CODMERCADORIA, DATA, ENTSAI, NUMERO COLLATE VNOCASE")};
        // An exit to another state reads the product's entries back from its date (none of these
        // entries is of a CFOP that gives a base, so every one of them is read).
        Stmt ultimas{s.prep("SELECT CFO, Quantidade, BaseICMSPropria, Aliquota FROM ent.rec WHERE CodMercadoria = ? "
                            "AND DataEmissao <= ? ORDER BY CodMercadoria DESC, DataEmissao DESC, rid DESC")};
        Stmt atualiza{s.prep("UPDATE main.rec SET SAIVALUNITARIO = ?, SAICONSFINAL = ?, SAINREALIZADO = 0, SAIISENTA = 0, "
                             "SAIOUTORUF = 0, SAISUBSEQUENTE = 0, CONFUSUFINAL = ?, CONFENTRADASDEMHIP = 0, "
                             "SALDOQUANTIDADE = ?, SALDOVALUNITARIO = ?, SALDOBASERETENCAO = ? WHERE rid = ?")};
        Stmt apaga{s.prep("DELETE FROM sal.rec WHERE Produto = ? AND Competencia = ?")};
        Stmt grava{s.prep("INSERT INTO sal.rec (Produto, Competencia, Aliquota, QuantProdutos, ValorUnit, BaseAcunulada, "
                          "CalcUsuFinal, Situacao) VALUES (?,?,18000,?,?,?,?,1)")};
        if (!s.exec("BEGIN")) return false;
        for (long long p : produtos) {
            sqlite3_bind_int64(abre.st, 1, p);
            if (sqlite3_step(abre.st) != SQLITE_DONE) return false;
            sqlite3_reset(abre.st);
            long long q = 0, base = 0, unit = 0, total = 0;  // scaled integers, as stored
            sqlite3_bind_int64(linhas.st, 1, p);
            while (sqlite3_step(linhas.st) == SQLITE_ROW) {
                long long quant = sqlite3_column_int64(linhas.st, 1), b = sqlite3_column_int64(linhas.st, 2);
                long long sai = 0;
                if (sqlite3_column_int(linhas.st, 3) == 1) {
                    q += quant;
                    base += b;
                } else if (sqlite3_column_int(linhas.st, 3) == 2) {
                    if (sqlite3_column_int(linhas.st, 4) == 6102) {
                        sqlite3_bind_int64(ultimas.st, 1, p);
                        sqlite3_bind_int(ultimas.st, 2, sqlite3_column_int(linhas.st, 5));
                        long long lidas = 0;
                        while (sqlite3_step(ultimas.st) == SQLITE_ROW) {
                            lidas += sqlite3_column_int(ultimas.st, 0) + sqlite3_column_int64(ultimas.st, 1) +
                                     sqlite3_column_int64(ultimas.st, 2) + sqlite3_column_int64(ultimas.st, 3);
                        }
                        sqlite3_reset(ultimas.st);
                        benchmark::DoNotOptimize(lidas);
                    }
                    sai = quant * unit / 1000000000;
                    q -= quant;
                    base -= sai;
                    total += sai;
                }
                unit = q ? base * 1000000000 / q : 0;
                sqlite3_bind_int64(atualiza.st, 1, unit);
                sqlite3_bind_int64(atualiza.st, 2, sai);
                sqlite3_bind_int64(atualiza.st, 3, sai);
                sqlite3_bind_int64(atualiza.st, 4, q);
                sqlite3_bind_int64(atualiza.st, 5, unit);
                sqlite3_bind_int64(atualiza.st, 6, base);
                sqlite3_bind_int64(atualiza.st, 7, sqlite3_column_int64(linhas.st, 0));
                if (sqlite3_step(atualiza.st) != SQLITE_DONE) return false;
                sqlite3_reset(atualiza.st);
            }
            sqlite3_reset(linhas.st);
            const std::string codigo = std::to_string(p);
            sqlite3_bind_text(apaga.st, 1, codigo.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(apaga.st, 2, inicio);
            if (sqlite3_step(apaga.st) != SQLITE_DONE) return false;
            sqlite3_reset(apaga.st);
            sqlite3_bind_text(grava.st, 1, codigo.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(grava.st, 2, inicio);
            sqlite3_bind_int64(grava.st, 3, q);
            sqlite3_bind_int64(grava.st, 4, unit);
            sqlite3_bind_int64(grava.st, 5, base);
            sqlite3_bind_int64(grava.st, 6, total);
            if (sqlite3_step(grava.st) != SQLITE_DONE) return false;
            sqlite3_reset(grava.st);
        }
        return s.exec("COMMIT");
    });
}

}  // namespace

int main(int argc, char** argv) {
    Prepara();
    benchmark::Initialize(&argc, argv);
    Motor();  // one pass first, so the month records exist on both sides
    EsquemaDoTrabalho();
    bench_rounds::add("monthly computation, " + std::to_string(linhas()) + " rows", "raw SQLite", kRounds, Base, Motor);
    benchmark::RunSpecifiedBenchmarks();
    bench_rounds::print_ratios();
    bench_company::Memoria(std::to_string(linhas()) + " rows", Motor);
    benchmark::Shutdown();
    dictionary::TeardownDictionary();
    std::error_code ec;
    fs::remove_all(g_root, ec);
    return 0;
}
