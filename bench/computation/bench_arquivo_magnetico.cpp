// The digital file's writer over a work table of 200,000 rows (VOREL_BENCH_ARQUIVO_ROWS changes
// them) and 2,000 products with a typed opening balance each, against a raw baseline in the same
// program: the same rows read in key order (date, kind, number) through SQLite and the same number
// of 142-position lines formatted into one buffered stream, synced at the end as the writer syncs.
// Alternated rounds (bench_rounds prints every round and the median ratios, wall and CPU); then
// the peak memory of one writer pass (run with 20,000 and 200,000 rows to compare).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "../company_month.h"
#include "../data/rounds.h"
#include "vorel/computation/arquivo_magnetico.h"
#include "vorel/core/paths.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/sqlite_collation.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"

namespace fs = std::filesystem;
using namespace vorel;

namespace {

constexpr int kProdutos = 2000;
constexpr int kRounds = 5;

int linhas() { return bench_company::Linhas("VOREL_BENCH_ARQUIVO_ROWS", 200000); }

fs::path g_root;
std::string g_trabalho;

struct SemAvisos : computation::AvisosArquivo {
    bool Progresso(const computation::ContadoresArquivo&) override { return true; }
};

void Prepara() {
    const bench_company::Pastas pastas = bench_company::PreparaEmpresa("vorel-bench-arquivo", 2016, 3);
    g_root = pastas.root;
    g_trabalho = pastas.root.string() + "/Temp/trabalho.tps";
    data::FileManager emp(dictionary::Empresa()), cfo(dictionary::CFO()), pro(dictionary::Produtos()),
        ent(dictionary::EntradaVorel()), esa(dictionary::EntradaSaidaVorel());
    if (!emp.open().ok() || !cfo.open().ok() || !pro.open().ok() || !ent.open().ok() || !esa.open_path(g_trabalho).ok())
        std::abort();
    data::Transaction tr({&emp, &cfo, &pro, &ent, &esa});
    emp.clear_record();
    auto& e = emp.rec<dictionary::EmpresaRec>();
    e.Codigo = 1;
    e.CGC = "12345678000195";
    e.RAZAOSOCIAL = "EMPRESA DE TESTE";
    if (!emp.add().ok()) std::abort();
    for (auto [codigo, coluna] : {std::pair{1102, 1}, std::pair{5102, 2}}) {
        cfo.clear_record();
        auto& c = cfo.rec<dictionary::CFORec>();
        c.CODIGO = static_cast<std::int16_t>(codigo);
        c.COLUNA = static_cast<std::uint8_t>(coluna);
        if (!cfo.add().ok()) std::abort();
    }
    for (int p = 1; p <= kProdutos; ++p) {
        pro.clear_record();
        auto& r = pro.rec<dictionary::ProdutosRec>();
        r.Codigo = p;
        r.Produtos = "PRODUTO " + std::to_string(p);
        r.Alicota = 18;
        r.Medida = "UN";
        if (!pro.add().ok()) std::abort();
        ent.clear_record();
        auto& t = ent.rec<dictionary::EntradaVorelRec>();
        t.CodMercadoria = p;
        t.DataEmissao = date::make(2016, 3, 1);
        t.Numero = 0;
        t.Quantidade = 100;
        t.BaseICMS = 1000;
        if (!ent.add().ok()) std::abort();
    }
    const int n = linhas();
    for (int i = 0; i < n; ++i) {
        esa.clear_record();
        auto& w = esa.rec<dictionary::EntradaSaidaVorelRec>();
        const bool entrada = i % 3 == 0;
        w.DATA = date::make(2016, 3, 1 + (i * 31) / n);
        w.ENTSAI = entrada ? 1 : 2;
        w.NUMERO = std::to_string(1000 + i);
        w.SERIE = "1";
        w.CFO = entrada ? 1102 : 5102;
        w.CODMERCADORIA = 1 + i % kProdutos;
        w.QUANTIDADE = 2;
        w.BASEICMS = entrada ? Decimal(20) : Decimal(0);
        w.SAICONSFINAL = entrada ? Decimal(0) : Decimal::from_string("3.5");
        w.CNPJFORPROD = entrada ? "11222333000181" : "";
        if (!esa.add().ok()) std::abort();
    }
    if (!tr.commit().ok()) std::abort();
    for (auto* fm : {&emp, &cfo, &pro, &ent, &esa}) (void)fm->close();
}

computation::PedidoArquivo Pedido() {
    computation::PedidoArquivo p;
    p.empresa = 1;
    p.anoTrabalho = 2016;
    p.mesTrabalho = 3;
    p.inicio = date::make(2016, 3, 1);
    p.fim = date::make(2016, 3, 31);
    p.versao = computation::VersaoArquivo::V23;
    p.arquivo = g_root.string() + "/Temp/ARQ.TXT";
    p.trabalho = g_trabalho;
    return p;
}

double Motor() {
    return bench_rounds::seconds([] {
        SemAvisos avisos;
        computation::ResultadoMagnetico r = computation::GravaArquivoMagnetico(Pedido(), avisos);
        if (!r.ok()) std::fprintf(stderr, "writer: %s\n", r.erro.c_str());
        return r.ok();
    });
}

double Base() {
    using bench_company::Sql;
    using bench_company::Stmt;
    Sql s;
    if (sqlite3_open_v2(files::resolve(g_trabalho).c_str(), &s.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return -1;
    data::register_collations(s.db);
    const std::string saida = (g_root / "Temp" / "BASE.TXT").string();
    return bench_rounds::seconds([&] {
        Stmt q{s.prep("SELECT DATA, ENTSAI, NUMERO, SERIE, CFO, COMPLEMENTO, QUANTIDADE, BASEICMS, CONFENTRADASDEMHIP, "
                      "CODMERCADORIA, CNPJFORPROD FROM rec WHERE DATA BETWEEN ?1 AND ?2 "
                      "ORDER BY DATA, ENTSAI, NUMERO COLLATE VNOCASE")};
        sqlite3_bind_int(q.st, 1, date::make(2016, 3, 1));
        sqlite3_bind_int(q.st, 2, date::make(2016, 3, 31));
        std::FILE* f = std::fopen(saida.c_str(), "wb");
        if (!f) return false;
        std::setvbuf(f, nullptr, _IOFBF, 1 << 16);
        char linha[256];
        while (sqlite3_step(q.st) == SQLITE_ROW) {
            const date::Ymd d = date::split(static_cast<date::Day>(sqlite3_column_int64(q.st, 0)));
            const unsigned char* cnpj = sqlite3_column_text(q.st, 10);
            const unsigned char* serie = sqlite3_column_text(q.st, 3);
            const int n = std::snprintf(
                linha, sizeof linha, "02%014lld%-14s%-2s%04d%02d%02d%-2s%06lld%04lld%02lld%013lld%013lld%013lld%-14lld%22s%013d\r\n",
                std::atoll(cnpj ? reinterpret_cast<const char*>(cnpj) : "0"), "ISENTO", "SP", d.year, d.month, d.day,
                serie ? reinterpret_cast<const char*>(serie) : "", std::atoll(reinterpret_cast<const char*>(sqlite3_column_text(q.st, 2))),
                sqlite3_column_int64(q.st, 4), sqlite3_column_int64(q.st, 5), sqlite3_column_int64(q.st, 6),
                sqlite3_column_int64(q.st, 7), sqlite3_column_int64(q.st, 8), sqlite3_column_int64(q.st, 9), "", 0);
            if (std::fwrite(linha, 1, static_cast<std::size_t>(n), f) != static_cast<std::size_t>(n)) return false;
        }
        const bool ok = std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
        return std::fclose(f) == 0 && ok;
    });
}

}  // namespace

int main(int argc, char** argv) {
    Prepara();
    benchmark::Initialize(&argc, argv);
    bench_rounds::add("digital file, " + std::to_string(linhas()) + " rows", "raw SQLite", kRounds, Base, Motor);
    benchmark::RunSpecifiedBenchmarks();
    bench_rounds::print_ratios();
    bench_company::Memoria(std::to_string(linhas()) + " rows", [] { (void)Motor(); });
    benchmark::Shutdown();
    dictionary::TeardownDictionary();
    std::error_code ec;
    fs::remove_all(g_root, ec);
    return 0;
}
