// Alternated rounds of two sides of a comparison (the engine and a plain baseline): each round runs
// the baseline, then the engine, as separate benchmarks; each side's pass records its wall time,
// and after the run the program prints every round's ratio and the medians of the wall-time and
// CPU-time ratios.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace bench_rounds {

struct Comparison {
    std::string name;
    std::vector<double> base, engine;          // wall seconds per pass, round by round
    std::vector<double> base_cpu, engine_cpu;  // CPU seconds of the process per pass
};

// CPU seconds of the last pass `seconds` measured.
inline double& last_cpu() {
    static double s = 0;
    return s;
}
inline double process_cpu() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

inline std::map<std::string, Comparison>& comparisons() {
    static std::map<std::string, Comparison> c;
    return c;
}

// Registers `rounds` alternated pairs "<name>/<base label>/round:i", "<name>/engine/round:i". Each
// function runs one pass and returns its own measured seconds (or a negative value on failure).
inline void add(const std::string& name, const std::string& base_label, int rounds, std::function<double()> base,
                std::function<double()> engine, const std::string& unit_per_pass = "") {
    comparisons()[name].name = name;
    for (int i = 1; i <= rounds; ++i) {
        for (int side = 0; side < 2; ++side) {
            std::string label = name + "/" + (side == 0 ? base_label : "engine") + "/round:" + std::to_string(i);
            auto fn = side == 0 ? base : engine;
            benchmark::RegisterBenchmark(label.c_str(), [name, side, fn, unit_per_pass](benchmark::State& state) {
                for (auto _ : state) {
                    double s = fn();
                    if (s < 0) {
                        state.SkipWithError("pass failed");
                        return;
                    }
                    state.SetIterationTime(s);
                    auto& c = comparisons()[name];
                    (side == 0 ? c.base : c.engine).push_back(s);
                    (side == 0 ? c.base_cpu : c.engine_cpu).push_back(last_cpu());
                }
                if (!unit_per_pass.empty()) state.SetLabel(unit_per_pass);
            })->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
        }
    }
}

inline double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Prints each comparison's rounds and the median of the round ratios (engine / base).
inline void print_ratios() {
    for (auto& [name, c] : comparisons()) {
        std::vector<double> ratios;
        std::printf("%s:", name.c_str());
        for (std::size_t i = 0; i < c.base.size() && i < c.engine.size(); ++i) {
            ratios.push_back(c.engine[i] / c.base[i]);
            std::printf(" [%.3f ms / %.3f ms = %.2f]", c.engine[i] * 1e3, c.base[i] * 1e3, ratios.back());
        }
        std::vector<double> cpu;
        for (std::size_t i = 0; i < c.base_cpu.size() && i < c.engine_cpu.size(); ++i)
            if (c.base_cpu[i] > 0) cpu.push_back(c.engine_cpu[i] / c.base_cpu[i]);
        std::printf("\n  median engine/base ratio %.2f wall, %.2f CPU (median base %.3f ms, median engine %.3f ms)\n",
                    median(ratios), median(cpu), median(c.base) * 1e3, median(c.engine) * 1e3);
    }
}

// Wall time of a callable, in seconds.
template <class F>
double seconds(F&& f) {
    auto t0 = std::chrono::steady_clock::now();
    double c0 = process_cpu();
    bool ok = f();
    last_cpu() = process_cpu() - c0;
    auto t1 = std::chrono::steady_clock::now();
    return ok ? std::chrono::duration<double>(t1 - t0).count() : -1.0;
}

}  // namespace bench_rounds
