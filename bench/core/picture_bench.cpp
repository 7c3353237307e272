// Picture formatting as reports and browse lists use it: every printed amount, date and CNPJ goes
// through a picture, so a report of 100,000 lines formats several hundred thousand values.
#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/core/picture.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using vorel::Decimal;
namespace picture = vorel::picture;

std::vector<Decimal> amounts(int n) {
    std::vector<Decimal> v;
    v.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) v.push_back(Decimal::from_scaled((i * 7919LL) % 100000000 - 3000000, 2));
    return v;
}

// A money column ("@n-18`2") with a picture compiled once.
void BM_PictureFormatAmount(benchmark::State& state) {
    const auto values = amounts(10000);
    const picture::Picture pic("@n-18`2");
    for (auto _ : state) {
        for (const Decimal& v : values) benchmark::DoNotOptimize(picture::format(pic, v));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(values.size()));
}
BENCHMARK(BM_PictureFormatAmount);

// The same with the picture given as text at each call.
void BM_PictureFormatAmountFromText(benchmark::State& state) {
    const auto values = amounts(10000);
    for (auto _ : state) {
        for (const Decimal& v : values) benchmark::DoNotOptimize(picture::format("@n-18`2", v));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(values.size()));
}
BENCHMARK(BM_PictureFormatAmountFromText);

void BM_PictureFormatDate(benchmark::State& state) {
    const picture::Picture pic("@D06b");
    const vorel::date::Day first = vorel::date::make(2016, 1, 1);
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) benchmark::DoNotOptimize(picture::format(pic, first + i % 3650));
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_PictureFormatDate);

void BM_PictureFormatCnpj(benchmark::State& state) {
    const picture::Picture pic("@p##.###.###/####-##p");
    std::vector<std::string> cnpjs;
    for (int i = 0; i < 10000; ++i) cnpjs.push_back(std::to_string(10000000000000LL + i * 7919LL));
    for (auto _ : state) {
        for (const std::string& c : cnpjs) benchmark::DoNotOptimize(picture::format(pic, c));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(cnpjs.size()));
}
BENCHMARK(BM_PictureFormatCnpj);

// Typed amounts read back, as a form does on every accepted field.
void BM_PictureParseAmount(benchmark::State& state) {
    const picture::Picture pic("@n-18`2");
    std::vector<std::string> typed;
    for (const Decimal& v : amounts(10000)) typed.push_back(picture::format(pic, v));
    for (auto _ : state) {
        for (const std::string& t : typed) benchmark::DoNotOptimize(picture::parse_number(pic, t));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(typed.size()));
}
BENCHMARK(BM_PictureParseAmount);

}  // namespace
