// Decimal arithmetic as the monthly computation uses it: price times quantity summed over many
// movement lines, then rounded into the record's fields.
#include "vorel/core/decimal.h"
#include "vorel/core/decimal_field.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using vorel::Decimal;
using vorel::DecimalField;

struct Line {
    DecimalField<15, 4> price;
    DecimalField<13, 2> quantity;
};

std::vector<Line> make_lines(int n) {
    std::vector<Line> lines(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        lines[static_cast<std::size_t>(i)].price = Decimal::from_scaled(12345 + i * 7 % 900000, 4);
        lines[static_cast<std::size_t>(i)].quantity = Decimal::from_scaled(100 + i % 5000, 2);
    }
    return lines;
}

// 1e6 accumulations of price * quantity into an unrounded running total.
void BM_DecimalMultiplyAdd(benchmark::State& state) {
    const auto lines = make_lines(1000000);
    for (auto _ : state) {
        Decimal total;
        for (const Line& l : lines) total += l.price * l.quantity;
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(lines.size()));
}
BENCHMARK(BM_DecimalMultiplyAdd)->Unit(benchmark::kMillisecond);

// The same, storing each product into a decimal(15,2) field (round half away from zero, checked).
void BM_DecimalMultiplyAddStored(benchmark::State& state) {
    const auto lines = make_lines(1000000);
    for (auto _ : state) {
        DecimalField<17, 2> total;
        DecimalField<15, 2> value;
        for (const Line& l : lines) {
            value = l.price * l.quantity;
            total += value;
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(lines.size()));
}
BENCHMARK(BM_DecimalMultiplyAddStored)->Unit(benchmark::kMillisecond);

// Division to 16 places, as in unit values and rates.
void BM_DecimalDivide(benchmark::State& state) {
    const auto lines = make_lines(100000);
    for (auto _ : state) {
        Decimal total;
        for (const Line& l : lines) total += l.price / l.quantity;
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(lines.size()));
}
BENCHMARK(BM_DecimalDivide)->Unit(benchmark::kMillisecond);

// Text both ways, as imports and exports do.
void BM_DecimalText(benchmark::State& state) {
    const auto lines = make_lines(100000);
    for (auto _ : state) {
        for (const Line& l : lines) {
            std::string s = l.price.value().to_fixed(2, ',');
            benchmark::DoNotOptimize(Decimal::parse(s));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(lines.size()));
}
BENCHMARK(BM_DecimalText)->Unit(benchmark::kMillisecond);

}  // namespace
