// The monthly sheet's `;` writer (GravaPlanilhaExcel, called directly: its window paces rows by a
// timer) over a work table of 200,000 rows (VOREL_BENCH_PLANILHA_ROWS changes them) and 2,000
// products, with the summary by product, against a raw baseline in the same program: the same rows
// read in the same key order (product, date, kind, number) through SQLite, each CFOP's sheet column
// and each product's description, unit and rate looked up the same way (a CFOP once a run, a
// product once at its block), and the same lines (the picture module's numbers) written through one
// buffered stream. Alternated rounds (bench_rounds prints every round and the median ratios, wall
// and CPU); then the peak memory of one writer pass (run with 20,000 and 200,000 rows to compare).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "../company_month.h"
#include "../data/rounds.h"
#include "vorel/core/date.h"
#include "vorel/core/paths.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/sqlite_collation.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/exports/planilha_excel.h"

namespace fs = std::filesystem;
using namespace vorel;

namespace {

constexpr int kProdutos = 2000;
constexpr int kRounds = 5;

int linhas() { return bench_company::Linhas("VOREL_BENCH_PLANILHA_ROWS", 200000); }

fs::path g_root;
std::string g_trabalho;

void Prepara() {
    const bench_company::Pastas pastas = bench_company::PreparaEmpresa("vorel-bench-planilha", 2016, 3);
    g_root = pastas.root;
    g_trabalho = pastas.root.string() + "/Temp/trabalho.tps";
    data::FileManager emp(dictionary::Empresa()), cfo(dictionary::CFO()), pro(dictionary::Produtos()),
        esa(dictionary::EntradaSaidaVorel());
    if (!emp.open().ok() || !cfo.open().ok() || !pro.open().ok() || !esa.open_path(g_trabalho).ok()) std::abort();
    data::Transaction tr({&emp, &cfo, &pro, &esa});
    emp.clear_record();
    auto& e = emp.rec<dictionary::EmpresaRec>();
    e.Codigo = 1;
    e.RAZAOSOCIAL = "EMPRESA DE TESTE";
    e.CIDADE = "SAO PAULO";
    if (!emp.add().ok()) std::abort();
    for (auto [codigo, coluna] : {std::pair{1102, 1}, std::pair{5102, 2}, std::pair{1661, 2}, std::pair{6102, 5}}) {
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
    }
    const int n = linhas();
    const int porProduto = n / kProdutos;
    for (int i = 0; i < n; ++i) {
        esa.clear_record();
        auto& w = esa.rec<dictionary::EntradaSaidaVorelRec>();
        const int produto = 1 + i / porProduto, k = i % porProduto;
        w.CODMERCADORIA = std::min(produto, kProdutos);
        w.SALDOQUANTIDADE = 100 + k;
        w.SALDOVALUNITARIO = Decimal::from_string("2.5");
        w.SALDOBASERETENCAO = 250 + k;
        if (k == 0) {  // the product's opening row
            if (!esa.add().ok()) std::abort();
            continue;
        }
        const int tipo = k % 10;
        w.DATA = date::make(2016, 3, 1 + (k * 30) / porProduto);
        w.ENTSAI = tipo < 3 ? 1 : 2;
        w.NUMERO = std::to_string(1000 + i);
        w.SERIE = "1";
        w.CFO = tipo < 3 ? 1102 : tipo == 3 ? 1661 : tipo == 4 ? 6102 : tipo == 5 ? 0 : 5102;
        w.ALIQUOTA = tipo == 5 ? "F" : "";
        w.QUANTIDADE = 2;
        w.BASEICMS = tipo < 3 ? Decimal(20) : Decimal(0);
        w.SAIVALUNITARIO = Decimal::from_string("2.5");
        w.SAICONSFINAL = tipo >= 5 ? Decimal::from_string("3.5") : Decimal(0);
        w.SAIOUTORUF = tipo == 4 ? Decimal::from_string("7.25") : Decimal(0);
        w.CONFUSUFINAL = tipo >= 5 ? Decimal::from_string("1.5") : Decimal(0);
        if (!esa.add().ok()) std::abort();
    }
    if (!tr.commit().ok()) std::abort();
    for (auto* fm : {&emp, &cfo, &pro, &esa}) (void)fm->close();
}

double Motor() {
    return bench_rounds::seconds([] {
        exports::OpcoesPlanilhaExcel o;
        o.caminho = g_root.string() + "/Temp/PLANILHA.CSV";
        o.resumo = 1;
        const exports::ResultadoPlanilhaExcel r = exports::GravaPlanilhaExcel(g_trabalho, {1, 2016, 3}, o);
        if (!r.saida.ok()) std::fprintf(stderr, "writer: %s\n", r.saida.error.c_str());
        return r.saida.ok();
    });
}

// A stored (scaled) number through a picture, as the writer's columns show it.
std::string N(const picture::Picture& p, long long escalado, int casas) {
    return picture::format(p, Decimal::from_scaled(escalado, casas));
}

// The baseline: one connection on the work table with the registers attached, the rows in key
// order, the same placement, totals, summary and lines, written through one buffered stream.
double Base() {
    using bench_company::Sql;
    using bench_company::Stmt;
    Sql s;
    if (sqlite3_open_v2(files::resolve(g_trabalho).c_str(), &s.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return -1;
    data::register_collations(s.db);
    const auto comuns = dictionary::CaminhosArquivosComuns(g_root.string() + "/");
    const auto empresa = dictionary::CaminhosArquivosEmpresa(g_root.string() + "/", 1, 0, 0);
    if (!s.exec("ATTACH '" + files::resolve(comuns.CaminhoCFO).string() + "' AS cfo") ||
        !s.exec("ATTACH '" + files::resolve(empresa.CaminhoProdutos).string() + "' AS pro"))
        return -1;
    const std::string saida = (g_root / "Temp" / "BASE.CSV").string();
    return bench_rounds::seconds([&] {
        Stmt q{s.prep("SELECT CODMERCADORIA, DATA, ENTSAI, NUMERO, SERIE, CFO, COMPLEMENTO, ALIQUOTA, QUANTIDADE, BASEICMS, "
                      "SAIVALUNITARIO, SAICONSFINAL, SAINREALIZADO, SAIISENTA, SAIOUTORUF, SAISUBSEQUENTE, CONFUSUFINAL, "
                      "CONFENTRADASDEMHIP, SALDOQUANTIDADE, SALDOVALUNITARIO, SALDOBASERETENCAO FROM main.rec "
                      "ORDER BY CODMERCADORIA, DATA, ENTSAI, NUMERO COLLATE VNOCASE")};
        Stmt qp{s.prep("SELECT Produtos, Medida, Alicota FROM pro.rec WHERE Codigo = ?")};
        Stmt qc{s.prep("SELECT COLUNA FROM cfo.rec WHERE ESTADO = '' AND CODIGO = ? AND COMPLEMENTO = ?")};
        std::FILE* f = std::fopen(saida.c_str(), "wb");
        if (!f) return false;
        std::setvbuf(f, nullptr, _IOFBF, 1 << 16);
        auto grava = [&](const std::string& l) {
            std::fwrite(l.data(), 1, l.size(), f);
            std::fwrite("\r\n", 1, 2, f);
        };
        const picture::Picture q3("@n-19`3b"), b2("@n-15`2b"), s3("@n-16`3b"), u6("@n-15`6b"), v2("@n-15`2b"),
            sq("@n-15`3"), su("@n-15`6"), sb("@n-15`2"), z2("@n-15`2"), al("@n-5`2"), cod("@n-13"), rq("@n-19`3");
        std::map<std::pair<long long, long long>, std::optional<int>> colunas;
        struct Resumo { std::string descricao; std::array<long long, 7> somas{}; long long sq = 0, su = 0, sb = 0; };
        std::map<long long, Resumo> resumo;
        grava(";;;;Controle de Estoque - Mercadorias Enquadradas na Substituicao Tributaria");
        grava(";;;;;(Criterio de Avaliacao Valor Medio Ponderado Movel)");
        long long atual = -1;
        long long tq = 0, tb = 0, ts = 0;
        std::array<long long, 7> tv{};
        auto totais = [&] {
            std::string l = "SOMA GERAL;;;" + N(s3, tq, 3) + ";" + N(b2, tb, 2) + ";;;" + N(s3, ts, 3) + ";";
            for (long long v : tv) l += ";" + N(v2, v, 2);
            grava(l + ";;;;");
        };
        while (sqlite3_step(q.st) == SQLITE_ROW) {
            const long long produto = sqlite3_column_int64(q.st, 0);
            const int entsai = sqlite3_column_int(q.st, 2);
            const std::string numero = reinterpret_cast<const char*>(sqlite3_column_text(q.st, 3));
            const std::string serie = reinterpret_cast<const char*>(sqlite3_column_text(q.st, 4));
            const long long cfo = sqlite3_column_int64(q.st, 5), compl_ = sqlite3_column_int64(q.st, 6);
            const std::string aliquota = reinterpret_cast<const char*>(sqlite3_column_text(q.st, 7));
            if (produto != atual) {
                if (atual >= 0) totais();
                sqlite3_reset(qp.st);
                sqlite3_bind_int64(qp.st, 1, produto);
                std::string desc, medida;
                long long aliq = 0;
                if (sqlite3_step(qp.st) == SQLITE_ROW) {
                    desc = reinterpret_cast<const char*>(sqlite3_column_text(qp.st, 0));
                    medida = reinterpret_cast<const char*>(sqlite3_column_text(qp.st, 1));
                    aliq = sqlite3_column_int64(qp.st, 2);
                }
                const std::string texto = std::to_string(produto) + " - " + desc;
                grava("");
                grava("");
                grava("Contribuinte:;1;" + text::pad("EMPRESA DE TESTE", 40) + ";SAO PAULO;;;;;;;;;Inscricao Estadual:;" +
                      std::string(20, ' ') + ";;;;;");
                grava("Mes e Ano Referencia:;3/2016;;;;Mercadoria:;" + text::pad(texto, 50) + ";;;;Unidade de Medida:;" +
                      text::pad(medida, 3) + ";;;;;Aliquota;" + picture::format(al, Decimal::from_scaled(aliq, 3)));
                grava(";;;Entradas;;;;;;;Saidas;;;;;;Saldos");
                grava("Data;Doc. Fiscal;;Quantidade;Base Calculo;Doc. Fiscal;;Quantidade;;VALOR DA BASE DE CALCULO DA "
                      "RETENCAO;;;;;Valor de;Confronto;;Base Retencao");
                grava(";Numero;Serie;;Retencao;Numero;Serie;;Valor;Saida Usuario;Fato Gerador;Saida Isenta;Saida Outro;"
                      "Saida com;Base Efetiva;Base Entrada;Quantidade;Valor;Valor");
                grava(";;;;;;;;;   Final;nao Realizado;nao Incidente;Estado;Subsequente;Cons Final;Demais Hipot.;;Unit;Total");
                grava("01;02;03;04;05;06;07;08;09;10;11;12;13;14;15;16;17;18;19");
                atual = produto;
                tq = tb = ts = 0;
                tv = {};
                resumo[produto].descricao = desc;
            }
            Resumo& r = resumo[produto];
            r.sq = sqlite3_column_int64(q.st, 18);
            r.su = sqlite3_column_int64(q.st, 19);
            r.sb = sqlite3_column_int64(q.st, 20);
            const std::string saldos = "; " + N(sq, r.sq, 3) + ";" + N(su, r.su, 6) + ";" + N(sb, r.sb, 2) + ";";
            if (entsai == 0) {
                grava(std::string(10, ' ') + ";      ;  ;" + std::string(19, ' ') + ";" + std::string(15, ' ') + ";        ;   ;" +
                      std::string(16, ' ') + ";" + std::string(15 * 8 + 7, ' ') + saldos);
                continue;
            }
            if (numero.empty()) continue;
            int coluna = 0;
            const bool caixa = aliquota == "F";
            if (!caixa) {
                auto [i, novo] = colunas.try_emplace({cfo, compl_});
                if (novo) {
                    sqlite3_reset(qc.st);
                    sqlite3_bind_int64(qc.st, 1, cfo);
                    sqlite3_bind_int64(qc.st, 2, compl_);
                    if (sqlite3_step(qc.st) == SQLITE_ROW) i->second = sqlite3_column_int(qc.st, 0);
                }
                coluna = i->second.value_or(0);
            }
            const long long qtd = sqlite3_column_int64(q.st, 8), base = sqlite3_column_int64(q.st, 9);
            const bool entrada = coluna == 1 || coluna == 7 || coluna == 8;
            const bool naEntrada = cfo == 1661 || cfo == 2661 || cfo == 1662 || cfo == 2662 || cfo == 178 || cfo == 278;
            const bool subtrai = coluna == 8 || cfo == 1661 || cfo == 2661 || cfo == 1411 || cfo == 2411 || cfo == 1202 ||
                                 cfo == 2202 || cfo == 178 || cfo == 278 ||
                                 (coluna == 2 && ((cfo >= 1001 && cfo <= 4999) || cfo < 500));
            const int sinal = subtrai ? -1 : 1;
            std::string e02 = caixa ? "0" : (entrada || naEntrada) ? numero.substr(0, 6) : "";
            std::string s06 = entrada || naEntrada ? "" : numero.substr(0, 8);
            const date::Ymd d = date::split(static_cast<date::Day>(sqlite3_column_int64(q.st, 1)));
            char data[16];
            std::snprintf(data, sizeof data, "%02d/%02d/%04d", d.day, d.month, d.year);
            std::string l = std::string(data) + ";" + text::right(e02, 6) + ";" + text::pad(entrada ? serie : "", 2) + ";" +
                            N(q3, entrada ? qtd : 0, 3) + ";" + N(b2, entrada && coluna != 7 ? base : 0, 2) + ";" +
                            text::pad(s06, 8) + "; " + text::pad(entrada ? "" : serie, 2) + ";" + N(s3, entrada ? 0 : qtd, 3) +
                            ";" + N(u6, sqlite3_column_int64(q.st, 10), 6);
            for (int k = 0; k < 7; ++k) {
                const long long v = sqlite3_column_int64(q.st, 11 + k);
                l += ";" + N(v2, v, 2);
                tv[k] += sinal * v;
                r.somas[k] += sinal * v;
            }
            grava(l + saldos);
            if (entrada) {
                tq += sinal * qtd;
                tb += sinal * base;
            } else {
                ts += sinal * qtd;
            }
        }
        if (atual >= 0) totais();
        grava("");
        grava("");
        grava(";;;;;;RESUMO");
        for (int k = 0; k < 10; ++k) grava(";;;;;;;;;cabecalho do resumo");
        std::array<long long, 7> geral{};
        for (const auto& [codigo, r] : resumo) {
            std::string l = picture::format(cod, Decimal(codigo)) + ";" + text::pad(r.descricao, 50) + ";;;;;;;";
            for (int k = 0; k < 7; ++k) {
                l += ";" + N(z2, r.somas[k], 2);
                geral[k] += r.somas[k];
            }
            grava(l + ";" + N(rq, r.sq, 3) + ";" + N(su, r.su, 6) + ";" + N(sb, r.sb, 2) + ";");
        }
        grava("");
        std::string l = "SOMA GERAL;;;;;;;;";
        for (long long v : geral) l += ";" + N(z2, v, 2);
        grava(l + ";;;;");
        return std::fflush(f) == 0 && std::fclose(f) == 0;
    });
}

}  // namespace

int main(int argc, char** argv) {
    Prepara();
    benchmark::Initialize(&argc, argv);
    bench_rounds::add("monthly sheet file, " + std::to_string(linhas()) + " rows", "raw SQLite", kRounds, Base, Motor);
    benchmark::RunSpecifiedBenchmarks();
    bench_rounds::print_ratios();
    std::printf("file sizes: engine %ju bytes, baseline %ju bytes\n",
                static_cast<std::uintmax_t>(fs::file_size(g_root / "Temp" / "PLANILHA.CSV")),
                static_cast<std::uintmax_t>(fs::file_size(g_root / "Temp" / "BASE.CSV")));
    bench_company::Memoria(std::to_string(linhas()) + " rows", [] { (void)Motor(); });
    benchmark::Shutdown();
    dictionary::TeardownDictionary();
    std::error_code ec;
    fs::remove_all(g_root, ec);
    return 0;
}
