// The management sheet's gathering of a month (200,000 exits and entries over 2,000 products by
// default; VOREL_BENCH_GESTAO_ROWS changes the rows), all products, into the run's work table,
// against a raw SQLite baseline in the same program doing the same reads and writes: the exits in
// product and date order with each exit's batch looked up and, for an old batch, its opening
// entry's CNPJ; the entries in the same order; every row inserted into a table of the engine's own
// work schema, in one transaction. Alternated rounds (bench_rounds prints every round and the
// median ratios).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../company_month.h"
#include "../data/rounds.h"
#include "vorel/core/paths.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/sqlite_collation.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/sheets/movimento_gestao.h"
#include "vorel/shell/globals.h"

namespace fs = std::filesystem;
using namespace vorel;

namespace {

constexpr int kProdutos = 2000;
constexpr int kRounds = 3;

int linhas() { return bench_company::Linhas("VOREL_BENCH_GESTAO_ROWS", 200000); }

fs::path g_root;
dictionary::CaminhosAno g_ano;
dictionary::CaminhosComuns g_comuns;

void Prepara() {
    const bench_company::Pastas pastas = bench_company::PreparaEmpresa("vorel-bench-gestao", 2016, 3);
    g_root = pastas.root;
    g_comuns = pastas.comuns;
    g_ano = pastas.ano;

    // Per product: an old batch "L1" with its opening entry; then the month's movements, two in
    // five entries, the others exits of that batch.
    data::FileManager lot(dictionary::LoteVorel()), ent(dictionary::EntradaVorel()), sai(dictionary::SaidaVorel());
    if (!lot.open().ok() || !ent.open().ok() || !sai.open().ok()) std::abort();
    data::Transaction tr({&lot, &ent, &sai});
    for (int p = 1; p <= kProdutos; ++p) {
        lot.clear_record();
        auto& l = lot.rec<dictionary::LoteVorelRec>();
        l.LOTE = "L1";
        l.CODPRODUTO = p;
        if (!lot.add().ok()) std::abort();
        ent.clear_record();
        auto& e = ent.rec<dictionary::EntradaVorelRec>();
        e.CodMercadoria = p;
        e.DataEmissao = date::make(2016, 3, 1);
        e.Lote = "L1";
        e.Cnpj = "11111111000100";
        e.Saldo_Inicial = 1;
        e.Quantidade = 10;
        e.BaseICMS = 50;
        if (!ent.add().ok()) std::abort();
    }
    const int n = linhas();
    for (int i = 0; i < n; ++i) {
        const int produto = 1 + i % kProdutos;
        const int k = i / kProdutos;
        const date::Day dia = date::make(2016, 3, 1 + (k * 28) / (n / kProdutos + 1));
        if (k % 5 < 2) {
            ent.clear_record();
            auto& e = ent.rec<dictionary::EntradaVorelRec>();
            e.CodMercadoria = produto;
            e.DataEmissao = dia;
            e.Numero = static_cast<std::uint32_t>(i + 1);
            e.CFO = 1403;
            e.Cnpj = "22222222000100";
            e.Quantidade = 30;
            e.BaseICMS = 90;
            if (!ent.add().ok()) std::abort();
        } else {
            sai.clear_record();
            auto& s = sai.rec<dictionary::SaidaVorelRec>();
            s.CodMercadoria = produto;
            s.DataSaida = dia;
            s.Numero = static_cast<std::uint32_t>(i + 1);
            s.CFO = 5405;
            s.Lote = "L1";
            s.Quantidade = 7;
            s.BaseCalculo = 25;
            if (!sai.add().ok()) std::abort();
        }
    }
    if (!tr.commit().ok()) std::abort();
    for (auto* fm : {&lot, &ent, &sai}) (void)fm->close();
}

// ------------------------------------------------------------------ the engine
double Motor() {
    return bench_rounds::seconds([] {
        const std::string arquivo = (g_root / "Temp" / "trabalho.tps").string();
        fs::remove(arquivo);
        data::FileManager esa(dictionary::EntradaSaidaVorel());
        esa.set_create(true);
        if (!esa.open_path(arquivo).ok()) return false;
        sheets::OpcoesMontagem o;
        o.periodo = {1, 2016, 3};
        o.arquivoErros = shell::PastaTemp.Get() + "Erros_Notas.txt";
        const sheets::ResultadoMontagem r = sheets::MontaMovimentoMes(esa, o, {});
        if (!r.ok()) std::fprintf(stderr, "engine: %s\n", r.falha.c_str());
        (void)esa.close();
        return r.ok();
    });
}

// ------------------------------------------------------------------ the raw SQLite baseline
using bench_company::Sql;
using bench_company::Stmt;

std::vector<std::string> g_ddl;  // the work table's schema as the engine makes it
std::string g_insert;            // every column, as the engine writes a cleared record

// The insert of a work row: the twelve gathered columns as parameters, the others blank or zero.
std::string Insert(sqlite3_stmt* info) {
    static const char* const kColunas[] = {"DATA", "SERIE", "NUMERO", "CFO", "COMPLEMENTO", "CFOCOMPL",
                                           "QUANTIDADE", "BASEICMS", "CODMERCADORIA", "ENTSAI", "LOTE", "CNPJFORPROD"};
    std::string nomes, valores;
    for (const char* c : kColunas) {
        nomes += std::string(nomes.empty() ? "" : ", ") + c;
        valores += valores.empty() ? "?" : ", ?";
    }
    while (sqlite3_step(info) == SQLITE_ROW) {
        const std::string nome = reinterpret_cast<const char*>(sqlite3_column_text(info, 1));
        const std::string tipo = reinterpret_cast<const char*>(sqlite3_column_text(info, 2));
        if (nome == "rid" || std::find(std::begin(kColunas), std::end(kColunas), nome) != std::end(kColunas)) continue;
        nomes += ", " + nome;
        valores += tipo.find("TEXT") != std::string::npos ? ", ''" : ", 0";
    }
    return "INSERT INTO main.rec (" + nomes + ") VALUES (" + valores + ")";
}

void EsquemaDoTrabalho() {
    const std::string modelo = (g_root / "Temp" / "modelo.tps").string();
    g_ddl = bench_company::Esquema(dictionary::EntradaSaidaVorel(), modelo);
    Sql s;
    sqlite3_open(modelo.c_str(), &s.db);
    Stmt info{s.prep("PRAGMA table_info(rec)")};
    g_insert = Insert(info.st);
}

double Base() {
    return bench_rounds::seconds([&] {
        const fs::path work = g_root / "Temp" / "trabalho-base.db";
        fs::remove(work);
        Sql s;
        if (sqlite3_open(work.c_str(), &s.db) != SQLITE_OK) return false;
        data::register_collations(s.db);
        s.exec("PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL");
        for (const std::string& d : g_ddl)
            if (!s.exec(d)) return false;
        if (!s.exec("ATTACH '" + files::resolve(g_ano.CaminhoSaidaVorel).string() + "' AS sai") ||
            !s.exec("ATTACH '" + files::resolve(g_ano.CaminhoEntradaVorel).string() + "' AS ent") ||
            !s.exec("ATTACH '" + files::resolve(g_comuns.CaminhoLoteVorel).string() + "' AS lot"))
            return false;
        const int inicio = date::make(2016, 3, 1), fim = date::make(2016, 3, 31);
        Stmt ins{s.prep(g_insert)};
        Stmt lote{s.prep("SELECT TIPO FROM lot.rec WHERE LOTE = ? COLLATE VNOCASE AND CODPRODUTO = ? LIMIT 1")};
        Stmt abertura{s.prep("SELECT Cnpj FROM ent.rec WHERE CodMercadoria = ? AND Lote = ? COLLATE VNOCASE AND "
                             "Numero = 0 LIMIT 1")};
        if (!s.exec("BEGIN")) return false;
        Stmt saidas{s.prep("SELECT DataSaida, Serie, Numero, CFO, Complemento, CFOComplementar, Quantidade, "
                           "BaseCalculo, CodMercadoria, Lote FROM sai.rec WHERE DataSaida BETWEEN ? AND ? "
                           "ORDER BY CodMercadoria, DataSaida")};
        sqlite3_bind_int(saidas.st, 1, inicio);
        sqlite3_bind_int(saidas.st, 2, fim);
        while (sqlite3_step(saidas.st) == SQLITE_ROW) {
            for (int c : {0, 1, 3, 4, 6, 7, 8}) sqlite3_bind_value(ins.st, c + 1, sqlite3_column_value(saidas.st, c));
            std::string numero = std::to_string(sqlite3_column_int64(saidas.st, 2));
            if (numero.size() < 6) numero.insert(0, 6 - numero.size(), ' ');
            sqlite3_bind_text(ins.st, 3, numero.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(ins.st, 6, std::atoi(reinterpret_cast<const char*>(sqlite3_column_text(saidas.st, 5))));
            sqlite3_bind_int(ins.st, 10, 2);
            sqlite3_bind_value(ins.st, 11, sqlite3_column_value(saidas.st, 9));
            sqlite3_bind_text(ins.st, 12, "", 0, SQLITE_STATIC);
            sqlite3_bind_value(lote.st, 1, sqlite3_column_value(saidas.st, 9));
            sqlite3_bind_value(lote.st, 2, sqlite3_column_value(saidas.st, 8));
            if (sqlite3_step(lote.st) == SQLITE_ROW && sqlite3_column_int(lote.st, 0) == 0) {
                sqlite3_bind_value(abertura.st, 1, sqlite3_column_value(saidas.st, 8));
                sqlite3_bind_value(abertura.st, 2, sqlite3_column_value(saidas.st, 9));
                if (sqlite3_step(abertura.st) == SQLITE_ROW) sqlite3_bind_value(ins.st, 12, sqlite3_column_value(abertura.st, 0));
                sqlite3_reset(abertura.st);
            }
            sqlite3_reset(lote.st);
            if (sqlite3_step(ins.st) != SQLITE_DONE) return s.falha("insert");
            sqlite3_reset(ins.st);
        }
        Stmt entradas{s.prep("SELECT DataEmissao, Serie, Numero, CFO, Complemento, CFOComplementar, Quantidade, "
                             "BaseICMS, CodMercadoria, Lote FROM ent.rec WHERE DataEmissao BETWEEN ? AND ? "
                             "ORDER BY CodMercadoria, DataEmissao")};
        sqlite3_bind_int(entradas.st, 1, inicio);
        sqlite3_bind_int(entradas.st, 2, fim);
        while (sqlite3_step(entradas.st) == SQLITE_ROW) {
            for (int c = 0; c < 10; ++c) sqlite3_bind_value(ins.st, c + 1, sqlite3_column_value(entradas.st, c));
            const long long n = sqlite3_column_int64(entradas.st, 2);
            const std::string numero = n == 0 ? std::string() : std::to_string(n);
            sqlite3_bind_text(ins.st, 3, numero.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(ins.st, 10, 1);
            sqlite3_bind_value(ins.st, 11, sqlite3_column_value(entradas.st, 9));
            sqlite3_bind_text(ins.st, 12, "", 0, SQLITE_STATIC);
            if (sqlite3_step(ins.st) != SQLITE_DONE) return s.falha("insert");
            sqlite3_reset(ins.st);
        }
        return s.exec("COMMIT");
    });
}

}  // namespace

int main(int argc, char** argv) {
    Prepara();
    benchmark::Initialize(&argc, argv);
    EsquemaDoTrabalho();
    bench_rounds::add("management sheet's gathering, " + std::to_string(linhas()) + " rows", "raw SQLite", kRounds,
                      Base, Motor);
    benchmark::RunSpecifiedBenchmarks();
    bench_rounds::print_ratios();
    benchmark::Shutdown();
    dictionary::TeardownDictionary();
    std::error_code ec;
    fs::remove_all(g_root, ec);
    return 0;
}
