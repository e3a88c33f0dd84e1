#pragma once

// Synthetic scores shared by the benchmarks that measure against std::sort of the same doubles.
#include "engine/Analysis.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace wb::bench {

using engine::ScoredRecords;

struct Input {
    std::vector<std::int32_t> ids;
    std::vector<std::uint8_t> classes;
    std::vector<double> outputs;

    ScoredRecords view() const { return { ids.data(), classes.data(), outputs.data(), outputs.size(), false, {} }; }
};

// Scores of a fair model: class 1 (30 %) tends high. With ties the outputs have three decimals.
inline Input makeInput(std::int64_t n, bool ties)
{
    Input input;
    input.ids.resize(n);
    input.classes.resize(n);
    input.outputs.resize(n);
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> uniform(0, 1);
    for (std::int64_t i = 0; i < n; ++i) {
        const int cls = uniform(random) < 0.3;
        double output = uniform(random) * 0.8 + cls * 0.2;
        if (ties)
            output = std::round(output * 1000) / 1000;
        input.ids[i] = std::int32_t(i + 1);
        input.classes[i] = std::uint8_t(cls);
        input.outputs[i] = output;
    }
    return input;
}

inline const Input& cachedInput(std::int64_t n, bool ties)
{
    static std::int64_t cachedN = -1;
    static bool cachedTies = false;
    static Input input;
    if (cachedN != n || cachedTies != ties) {
        input = makeInput(n, ties);
        cachedN = n;
        cachedTies = ties;
    }
    return input;
}

inline void sortDoubles(benchmark::State& state, std::int64_t n, bool ties)
{
    const Input& input = cachedInput(n, ties);
    std::vector<double> values(input.outputs.size());
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(input.outputs.begin(), input.outputs.end(), values.begin());
        state.ResumeTiming();
        std::sort(values.begin(), values.end());
        benchmark::DoNotOptimize(values.data());
    }
}

} // namespace wb::bench
