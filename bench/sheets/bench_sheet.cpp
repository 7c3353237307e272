// The monthly sheet of a month with 2,000 products and 200,000 work-table rows (an opening
// balance and 99 movements per product: entries, final-consumer sales, returns, cash-register
// rows), summed by supplier: filling the pages, and rendering them to PDF.
#include <QGuiApplication>
#include <cstdlib>
#include <vector>

#include <benchmark/benchmark.h>

#include "vorel/core/date.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/report/pdf.h"
#include "vorel/sheets/planilha_mensal.h"

namespace {

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

}  // namespace
BENCHMARK_MAIN();
