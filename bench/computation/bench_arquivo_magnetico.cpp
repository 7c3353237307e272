// The digital file's writer over a work table of 200,000 rows (VOREL_BENCH_ARQUIVO_ROWS changes
// them) and 2,000 products with a typed opening balance and a rate-history row each, against a raw
// baseline in the same program that writes the same lines as a careful engineer would with SQLite
// alone: one connection with the files attached and one read transaction; per product, in code
// order, the typed balance of the month by its index (the balance line), then the rows in key order
// (date, kind, number) with their bases by the CFOP's column (from the register, read once), then
// per listed product its line and its rate of the month from the rate history (the product's own
// rate when none covers the day), all through one buffered stream, synced at the end as the writer
// syncs. Alternated rounds (bench_rounds prints every round and the median ratios, wall and CPU);
// then the peak memory of one writer pass (run with 20,000 and 200,000 rows to compare).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

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
        aliq(dictionary::ProdutosAliq()), ent(dictionary::EntradaVorel()), esa(dictionary::EntradaSaidaVorel());
    if (!emp.open().ok() || !cfo.open().ok() || !pro.open().ok() || !aliq.open().ok() || !ent.open().ok() ||
        !esa.open_path(g_trabalho).ok())
        std::abort();
    data::Transaction tr({&emp, &cfo, &pro, &aliq, &ent, &esa});
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
        aliq.clear_record();
        auto& a = aliq.rec<dictionary::ProdutosAliqRec>();
        a.CODIGO_PRODUTO = p;
        a.CODIGO = p;
        a.ALIQUOTA = p % 2 ? 18 : 12;
        a.DATA_INICIAL = date::make(2016, 1, 1);
        if (!aliq.add().ok()) std::abort();
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
    for (auto* fm : {&emp, &cfo, &pro, &aliq, &ent, &esa}) (void)fm->close();
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

// The program path of `table`'s file (its name variable), as SQLite opens it.
std::string Arquivo(const data::TableDesc& table) { return files::resolve(data::FileManager(table).file_name()); }

double Base() {
    using bench_company::Sql;
    using bench_company::Stmt;
    Sql s;
    if (sqlite3_open_v2(files::resolve(g_trabalho).c_str(), &s.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return -1;
    data::register_collations(s.db);
    for (auto [nome, tabela] : {std::pair{"pro", &dictionary::Produtos()}, std::pair{"aliq", &dictionary::ProdutosAliq()},
                                std::pair{"ent", &dictionary::EntradaVorel()}, std::pair{"cfo", &dictionary::CFO()}}) {
        Stmt a{s.prep(std::string("ATTACH ?1 AS ") + nome)};
        sqlite3_bind_text(a.st, 1, Arquivo(*tabela).c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(a.st) != SQLITE_DONE) return s.falha("attach");
    }
    const std::string saida = (g_root / "Temp" / "BASE.TXT").string();
    const date::Day inicio = date::make(2016, 3, 1), fim = date::make(2016, 3, 31);
    return bench_rounds::seconds([&] {
        if (!s.exec("BEGIN")) return false;
        Stmt produtos{s.prep("SELECT Codigo, Alicota, Produtos, Medida FROM pro.rec ORDER BY Codigo")};
        Stmt digitado{s.prep("SELECT Quantidade, BaseICMS FROM ent.rec WHERE CodMercadoria = ?1 AND Numero = 0 "
                             "AND DataEmissao BETWEEN ?2 AND ?3 ORDER BY DataEmissao LIMIT 1")};
        Stmt aliquota{s.prep("SELECT ALIQUOTA FROM aliq.rec WHERE CODIGO_PRODUTO = ?1 AND DATA_INICIAL <= ?2 "
                             "AND (DATA_FINAL = 0 OR DATA_FINAL >= ?2) ORDER BY DATA_INICIAL LIMIT 1")};
        Stmt colunas{s.prep("SELECT CODIGO, COLUNA FROM cfo.rec")};
        Stmt q{s.prep("SELECT DATA, ENTSAI, NUMERO, SERIE, CFO, COMPLEMENTO, QUANTIDADE, BASEICMS, CONFENTRADASDEMHIP, "
                      "CODMERCADORIA, CNPJFORPROD, SAICONSFINAL, CONFUSUFINAL FROM main.rec WHERE DATA BETWEEN ?1 AND ?2 "
                      "ORDER BY DATA, ENTSAI, NUMERO COLLATE VNOCASE")};
        std::map<long long, int> coluna;
        while (sqlite3_step(colunas.st) == SQLITE_ROW)
            coluna[sqlite3_column_int64(colunas.st, 0)] = sqlite3_column_int(colunas.st, 1);
        std::FILE* f = std::fopen(saida.c_str(), "wb");
        if (!f) return false;
        std::setvbuf(f, nullptr, _IOFBF, 1 << 16);
        char linha[512];
        long long escritas = 0;
        bool ok = true;
        auto escreve = [&](int n) {
            ok = ok && std::fwrite(linha, 1, static_cast<std::size_t>(n), f) == static_cast<std::size_t>(n);
            ++escritas;
        };
        escreve(std::snprintf(linha, sizeof linha, "01%014lld%-14s%-5s%-5s%-35s%-30s%-2s%04d%02d%02d%04d%02d%02d%-224s\r\n",
                              12345678000195LL, "", "00000", "00000", "EMPRESA DE TESTE", "", "", 2016, 3, 1, 2016, 3, 31, ""));
        struct Listado {
            long long codigo, aliquota;
            std::string descricao, medida;
        };
        std::vector<Listado> lista;
        while (sqlite3_step(produtos.st) == SQLITE_ROW) {
            const long long codigo = sqlite3_column_int64(produtos.st, 0);
            sqlite3_bind_int64(digitado.st, 1, codigo);
            sqlite3_bind_int(digitado.st, 2, inicio);
            sqlite3_bind_int(digitado.st, 3, fim);
            if (sqlite3_step(digitado.st) == SQLITE_ROW) {
                escreve(std::snprintf(linha, sizeof linha, "02%014lld%-14s%-2s%04d%02d%02d%-2s%06d%-4s%02d%013lld%013lld%013d%-14lld%22s%013d\r\n",
                                      12345678000195LL, "", "SP", 2016, 3, 1, "SK", 0, "1403", 0,
                                      sqlite3_column_int64(digitado.st, 0), sqlite3_column_int64(digitado.st, 1), 0, codigo, "", 0));
                const unsigned char* d = sqlite3_column_text(produtos.st, 2);
                const unsigned char* m = sqlite3_column_text(produtos.st, 3);
                lista.push_back({codigo, sqlite3_column_int64(produtos.st, 1), d ? reinterpret_cast<const char*>(d) : "",
                                 m ? reinterpret_cast<const char*>(m) : ""});
            }
            sqlite3_reset(digitado.st);
        }
        sqlite3_bind_int(q.st, 1, inicio);
        sqlite3_bind_int(q.st, 2, fim);
        while (sqlite3_step(q.st) == SQLITE_ROW) {
            const date::Ymd d = date::split(static_cast<date::Day>(sqlite3_column_int64(q.st, 0)));
            const unsigned char* cnpj = sqlite3_column_text(q.st, 10);
            const unsigned char* serie = sqlite3_column_text(q.st, 3);
            const auto c = coluna.find(sqlite3_column_int64(q.st, 4));
            const bool consumidor = c != coluna.end() && c->second == 2;
            escreve(std::snprintf(
                linha, sizeof linha, "02%014lld%-14s%-2s%04d%02d%02d%-2s%06lld%04lld%02lld%013lld%013lld%013lld%-14lld%22s%013d\r\n",
                std::atoll(cnpj ? reinterpret_cast<const char*>(cnpj) : "0"), "ISENTO", "SP", d.year, d.month, d.day,
                serie ? reinterpret_cast<const char*>(serie) : "", std::atoll(reinterpret_cast<const char*>(sqlite3_column_text(q.st, 2))),
                sqlite3_column_int64(q.st, 4), sqlite3_column_int64(q.st, 5), sqlite3_column_int64(q.st, 6),
                sqlite3_column_int64(q.st, consumidor ? 11 : 7), sqlite3_column_int64(q.st, consumidor ? 12 : 8),
                sqlite3_column_int64(q.st, 9), "", 0));
        }
        for (const Listado& p : lista)
            escreve(std::snprintf(linha, sizeof linha, "04%-14lld%-75.75s%-3.3s\r\n", p.codigo, p.descricao.c_str(), p.medida.c_str()));
        for (const Listado& p : lista) {
            sqlite3_bind_int64(aliquota.st, 1, p.codigo);
            sqlite3_bind_int(aliquota.st, 2, inicio);
            const long long a = sqlite3_step(aliquota.st) == SQLITE_ROW ? sqlite3_column_int64(aliquota.st, 0) : p.aliquota;
            sqlite3_reset(aliquota.st);
            escreve(std::snprintf(linha, sizeof linha, "05%-14lld%04d%02d%02d%04d%02d%02d%04lld\r\n", p.codigo, 2016, 3, 1, 2016,
                                  3, 31, (a + 5) / 10));
        }
        const long long total = escritas + 5;
        for (auto [tipo, n] : {std::pair{1, 1LL}, std::pair{2, escritas - 1 - 2 * static_cast<long long>(lista.size())},
                               std::pair{4, static_cast<long long>(lista.size())}, std::pair{5, static_cast<long long>(lista.size())},
                               std::pair{6, total}})
            escreve(std::snprintf(linha, sizeof linha, "06%02d%014lld\r\n", tipo, n));
        ok = ok && s.exec("COMMIT");
        ok = ok && std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
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
    // Both sides wrote the same number of lines of the same lengths.
    const auto tamanho = [](const char* nome) { return fs::file_size(g_root / "Temp" / nome); };
    std::printf("file sizes: writer %llu bytes, baseline %llu bytes\n", static_cast<unsigned long long>(tamanho("ARQ.TXT")),
                static_cast<unsigned long long>(tamanho("BASE.TXT")));
    bench_company::Memoria(std::to_string(linhas()) + " rows", [] { (void)Motor(); });
    benchmark::Shutdown();
    dictionary::TeardownDictionary();
    std::error_code ec;
    fs::remove_all(g_root, ec);
    return 0;
}
