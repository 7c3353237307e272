// Filling a page report of about 1,000 pages from its bands, and rendering it to PDF and to page
// images, with the sample entries listing (40 details a page, groups, page totals, page of pages).
#include <QGuiApplication>
#include <QImage>
#include <cstdlib>

#include <benchmark/benchmark.h>

#include "sample_reports.h"
#include "vorel/report/pdf.h"
#include "vorel/report/renderer.h"

namespace {

using namespace vorel::report;

constexpr Mils kDetailHeight = 9600;  // 40 details of 240 mils a page
constexpr std::size_t kEntries = 39950;  // about 1,000 pages

// Painting needs a QGuiApplication (offscreen); made once, on the benchmarks' thread, kept to the end.
void ensure_gui() {
    static int argc = 1;
    static char name[] = "bench_report";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() != nullptr) return;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    new QGuiApplication(argc, argv);
}

const std::vector<samples::Entry>& entries() {
    static const auto list = samples::entries(kEntries);
    return list;
}

const Document& thousand_pages() {
    ensure_gui();
    static const Document d = samples::run_entries_listing(entries(), nullptr, kDetailHeight).document;
    return d;
}

void BM_FillThousandPages(benchmark::State& state) {
    ensure_gui();
    for (auto _ : state) {
        RunResult r = samples::run_entries_listing(entries(), nullptr, kDetailHeight);
        benchmark::DoNotOptimize(r.document.pages.data());
        state.counters["pages"] = static_cast<double>(r.document.pages.size());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(kEntries));
}
BENCHMARK(BM_FillThousandPages)->Unit(benchmark::kMillisecond);

void BM_ThousandPagesToPdf(benchmark::State& state) {
    const Document& d = thousand_pages();
    for (auto _ : state) {
        std::string pdf = pdf_bytes(d);
        benchmark::DoNotOptimize(pdf.data());
        state.counters["pdf_MB"] = static_cast<double>(pdf.size()) / 1e6;
    }
    state.counters["pages"] = static_cast<double>(d.pages.size());
}
BENCHMARK(BM_ThousandPagesToPdf)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_PageImageForPreview(benchmark::State& state) {
    const Page& page = thousand_pages().pages[1];
    for (auto _ : state) {
        QImage image = page_image(page, static_cast<double>(state.range(0)));
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_PageImageForPreview)->Arg(96)->Arg(150)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
