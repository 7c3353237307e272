// The monthly sheet of a month with 2,000 products and 200,000 work-table rows (an opening
// balance and 99 movements per product: entries, final-consumer sales, returns, cash-register
// rows), summed by supplier: filling the pages, and rendering them to PDF.
//
// The sheet from the work table against a plain baseline, alternated rounds (bench_rounds prints
// each round and the median ratios): the engine side reads the run's work table through the
// engine in its key order and fills the pages as the sheet's procedure does; the baseline reads
// the same rows with raw SQLite in the same order and writes the same cells of each row (the date,
// numbers and series, the quantities, bases and values formatted with their places, thousands
// points and decimal comma, zeros blank) and each product's heading and totals as text lines into
// a string stream. Both sides look products and CFO columns up through the same functions.
#include <QGuiApplication>
#include <sqlite3.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "../data/rounds.h"
#include "vorel/core/date.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/sqlite_collation.h"
#include "vorel/data/state_folder.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/fiscal/linha_planilha.h"
#include "vorel/report/pdf.h"
#include "vorel/sheets/planilha_mensal.h"

namespace {

namespace fs = std::filesystem;

using namespace vorel;

constexpr int kProdutos = 2000;
constexpr int kPorProduto = 100;

void ensure_gui() {
    static int argc = 1;
    static char name[] = "bench_sheet";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() != nullptr) return;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    new QGuiApplication(argc, argv);
}

const std::vector<dictionary::EntradaSaidaVorelRec>& linhas() {
    static const std::vector<dictionary::EntradaSaidaVorelRec> v = [] {
        std::vector<dictionary::EntradaSaidaVorelRec> out;
        out.reserve(kProdutos * kPorProduto);
        const date::Day inicio = date::make(2016, 7, 1);
        for (int p = 1; p <= kProdutos; ++p) {
            for (int i = 0; i < kPorProduto; ++i) {
                dictionary::EntradaSaidaVorelRec r{};
                r.CODMERCADORIA = Decimal(p);
                r.ENTSAI = static_cast<std::uint8_t>(i == 0 ? 0 : (i % 5 == 1 ? 1 : 2));
                r.DATA = inicio + i % 31;
                if (i > 0) r.NUMERO = std::to_string(100000 + i);
                r.SERIE = "1";
                r.CFO = static_cast<std::uint16_t>(i % 5 == 1 ? 1102 : (i % 7 == 0 ? 1202 : 5405));
                if (i % 11 == 0 && i > 0) r.ALIQUOTA = "F";
                r.QUANTIDADE = Decimal(1 + i % 9);
                r.BASEICMS = Decimal::from_string("123.45");
                r.SAIVALUNITARIO = Decimal::from_string("12.345678");
                r.SAICONSFINAL = Decimal::from_string("98.76");
                r.CONFUSUFINAL = Decimal::from_string("87.65");
                r.SALDOQUANTIDADE = Decimal(1000 - i);
                r.SALDOVALUNITARIO = Decimal::from_string("12.345678");
                r.SALDOBASERETENCAO = Decimal::from_string("12345.67");
                out.push_back(r);
            }
        }
        return out;
    }();
    return v;
}

sheets::Consultas Cadastros() {
    sheets::Consultas c;
    c.produto = [](const Decimal& codigo) {
        return sheets::ProdutoPlanilha{"PRODUTO " + codigo.to_string(), "UN", Decimal(18)};
    };
    c.coluna = [](std::uint16_t cfo, std::uint8_t) -> std::optional<std::uint8_t> { return cfo == 1102 ? 1 : 2; };
    c.fornecedor = [](const Decimal& produto) { return static_cast<std::uint32_t>(produto.to_integer() % 50); };
    return c;
}

sheets::DadosEmpresa Empresa() {
    sheets::DadosEmpresa e;
    e.nome = "1 - EMPRESA DE TESTE ( CIDADE ) ";
    e.mes = 7;
    e.ano = 2016;
    return e;
}

report::Document Preenche() {
    sheets::PlanilhaMensal p(Empresa(), sheets::kResumoFornecedores, Cadastros());
    for (const auto& r : linhas()) p.Linha(r);
    return p.Termina();
}

void BM_SheetFill(benchmark::State& state) {
    ensure_gui();
    (void)linhas();
    for (auto _ : state) {
        report::Document d = Preenche();
        benchmark::DoNotOptimize(d.pages.data());
        state.counters["pages"] = static_cast<double>(d.pages.size());
    }
    state.SetItemsProcessed(state.iterations() * kProdutos * kPorProduto);
}
BENCHMARK(BM_SheetFill)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SheetPdf(benchmark::State& state) {
    ensure_gui();
    static const report::Document d = Preenche();
    for (auto _ : state) {
        std::string pdf = report::pdf_bytes(d);
        benchmark::DoNotOptimize(pdf.data());
        state.counters["MB"] = static_cast<double>(pdf.size()) / 1e6;
    }
    state.counters["pages"] = static_cast<double>(d.pages.size());
}
BENCHMARK(BM_SheetPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

// ------------------------------------------------------------ the sheet from the work table
constexpr int kRounds = 5;
fs::path g_pasta;
std::string g_trabalho;  // the work table's file, written once through the engine

void GravaTrabalho() {
    std::string t = (fs::temp_directory_path() / "vorel-bench-sheet-XXXXXX").string();
    g_pasta = mkdtemp(t.data());
    fs::create_directories(g_pasta / "state");
    data::set_state_folder(g_pasta / "state");
    g_trabalho = (g_pasta / "trabalho.tps").string();
    data::FileManager esa(dictionary::EntradaSaidaVorel());
    if (!esa.open_path(g_trabalho).ok()) std::abort();
    {
        data::Transaction tr({&esa});
        for (const auto& r : linhas()) {
            esa.rec<dictionary::EntradaSaidaVorelRec>() = r;
            if (!esa.add().ok()) std::abort();
        }
        if (!tr.commit().ok()) std::abort();
    }
    (void)esa.close();
}

// The engine: the procedure's read loop (the fields the sheet prints) and the sheet's filling (the
// previewer left out).
double Motor() {
    report::Document d;
    double s = bench_rounds::seconds([&] {
        data::FileManager esa(dictionary::EntradaSaidaVorel());
        if (!esa.open_path(g_trabalho).ok()) return false;
        sheets::PlanilhaMensal p(Empresa(), sheets::kResumoFornecedores, Cadastros());
        (void)esa.send("QUICKSCAN=on");
        if (!fiscal::LeSoCamposDaLinha(esa).ok()) return false;
        if (!esa.set(dictionary::keys::ESA_KEY_DATA_ENTSAI_NUM_AUX).ok()) return false;
        const auto& linha = esa.rec<dictionary::EntradaSaidaVorelRec>();
        while (esa.next().ok()) p.Linha(linha);
        p.UltimaPagina();
        d = p.Termina();
        (void)esa.close();
        return !d.pages.empty();
    });
    return s;
}

// A scaled integer with its places, "." between thousands and "," before the decimals.
void Numero(std::string& out, long long v, int casas, bool branco) {
    if (v == 0 && branco) {
        out += ';';
        return;
    }
    if (v < 0) out += '-';
    unsigned long long a = v < 0 ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    char dig[32];
    int n = 0;
    do {
        dig[n++] = static_cast<char>('0' + a % 10);
        a /= 10;
    } while (a > 0 || n <= casas);
    for (int i = n - 1; i >= 0; --i) {
        out += dig[i];
        if (i == casas && casas > 0) out += ',';
        else if (i > casas && (i - casas) % 3 == 0) out += '.';
    }
    out += ';';
}

double Base() {
    std::string texto;
    double s = bench_rounds::seconds([&] {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(g_trabalho.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return false;
        data::register_collations(db);
        sqlite3_stmt* q = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT CODMERCADORIA, ENTSAI, DATA, NUMERO, SERIE, CFO, COMPLEMENTO, ALIQUOTA, QUANTIDADE, "
                           "BASEICMS, SAIVALUNITARIO, SAICONSFINAL, SAINREALIZADO, SAIISENTA, SAIOUTORUF, SAISUBSEQUENTE, "
                           "CONFUSUFINAL, CONFENTRADASDEMHIP, SALDOQUANTIDADE, SALDOVALUNITARIO, SALDOBASERETENCAO "
                           "FROM rec ORDER BY CODMERCADORIA, DATA, ENTSAI, NUMERO COLLATE VNOCASE, rid",
                           -1, &q, nullptr);
        if (!q) return false;
        const sheets::Consultas consultas = Cadastros();
        std::ostringstream saida;
        std::string linha;
        long long anterior = 0;
        long long totais[10] = {};
        std::map<std::uint32_t, long long> porFornecedor;
        auto rodape = [&] {
            linha = "Soma Geral;";
            for (long long t : totais) Numero(linha, t, 2, true);
            saida << linha << '\n';
        };
        while (sqlite3_step(q) == SQLITE_ROW) {
            const long long produto = sqlite3_column_int64(q, 0);
            if (produto != anterior) {
                if (anterior != 0) rodape();
                const sheets::ProdutoPlanilha pro = consultas.produto(Decimal(produto));
                saida << "Mercadoria :;" << produto << " - " << pro.descricao << ";" << pro.medida << ";"
                      << pro.aliquota.to_fixed(3, '.') << '\n';
                std::fill(std::begin(totais), std::end(totais), 0);
                anterior = produto;
            }
            const int entsai = sqlite3_column_int(q, 1);
            const char* numero = reinterpret_cast<const char*>(sqlite3_column_text(q, 3));
            const char* aliquota = reinterpret_cast<const char*>(sqlite3_column_text(q, 7));
            if (entsai != 0 && !*numero) continue;
            int coluna = 0;
            if (entsai != 0 && !*aliquota)
                coluna = consultas
                             .coluna(static_cast<std::uint16_t>(sqlite3_column_int(q, 5)),
                                     static_cast<std::uint8_t>(sqlite3_column_int(q, 6)))
                             .value_or(0);
            const bool entrada = coluna == 1 || coluna == 7 || coluna == 8;
            const date::Day dia = sqlite3_column_int(q, 2);
            linha.clear();
            char data[16];
            std::snprintf(data, sizeof data, "%02d/%02d/%02d;", date::day(dia), date::month(dia), date::year(dia) % 100);
            linha += data;
            const char* serie = reinterpret_cast<const char*>(sqlite3_column_text(q, 4));
            const long long quantidade = sqlite3_column_int64(q, 8);
            ((linha += entrada ? numero : "") += ';') += entrada ? serie : "";
            linha += ';';
            Numero(linha, entrada ? quantidade : 0, 3, true);
            Numero(linha, entrada ? sqlite3_column_int64(q, 9) : 0, 2, true);
            ((linha += entrada ? "" : numero) += ';') += entrada ? "" : serie;
            linha += ';';
            Numero(linha, entrada ? 0 : quantidade, 3, true);
            Numero(linha, sqlite3_column_int64(q, 10), 6, true);
            for (int c = 0; c < 7; ++c) {
                const long long v = sqlite3_column_int64(q, 11 + c);
                Numero(linha, v, 2, true);
                totais[3 + c] += v;
            }
            Numero(linha, sqlite3_column_int64(q, 18), 3, false);
            Numero(linha, sqlite3_column_int64(q, 19), 6, false);
            Numero(linha, sqlite3_column_int64(q, 20), 2, false);
            saida << linha << '\n';
            totais[0] += entrada ? quantidade : 0;
            totais[1] += entrada ? sqlite3_column_int64(q, 9) : 0;
            totais[2] += entrada ? 0 : quantidade;
            porFornecedor[consultas.fornecedor(Decimal(produto))] += sqlite3_column_int64(q, 11);
        }
        if (anterior != 0) rodape();
        sqlite3_finalize(q);
        sqlite3_close(db);
        texto = saida.str();
        return !texto.empty() && !porFornecedor.empty();
    });
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    ensure_gui();
    benchmark::Initialize(&argc, argv);
    GravaTrabalho();
    bench_rounds::add("monthly sheet from the work table, " + std::to_string(kProdutos * kPorProduto) + " rows",
                      "raw SQLite and a text stream", kRounds, Base, Motor);
    benchmark::RunSpecifiedBenchmarks();
    bench_rounds::print_ratios();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(g_pasta, ec);
    return 0;
}
