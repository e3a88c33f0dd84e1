// DeLong's AUC interval against std::sort of the same doubles, in one process.
//
// DELONG_BENCH_N sets the record count (default 10000000). Four measurements per kind of outputs (distinct or
// tied): std_sort; delong, the interval from raw outputs (each class sorted apart); placements, one model's
// share of a paired test (placement values in record order); uncertainty, every statistic of assessUncertainty
// on an analysis already made, which ranks the records.
#include "engine/Delong.h"
#include "engine/Uncertainty.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace wb::engine;

struct Input {
    std::vector<std::int32_t> ids;
    std::vector<std::uint8_t> classes;
    std::vector<double> outputs;

    ScoredRecords view() const { return { ids.data(), classes.data(), outputs.data(), outputs.size(), false, {} }; }
};

// Scores of a fair model: class 1 (30 %) tends high. With ties the outputs have three decimals.
Input makeInput(std::int64_t n, bool ties)
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

const Input& cachedInput(std::int64_t n, bool ties)
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

void sortDoubles(benchmark::State& state, std::int64_t n, bool ties)
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

void delongFromOutputs(benchmark::State& state, std::int64_t n, bool ties)
{
    const Input& input = cachedInput(n, ties);
    for (auto _ : state) {
        const AucInterval interval = delongInterval(input.view());
        benchmark::DoNotOptimize(interval.variance);
    }
}

void placementsFromOutputs(benchmark::State& state, std::int64_t n, bool ties)
{
    const Input& input = cachedInput(n, ties);
    for (auto _ : state) {
        DelongPlacements placements = delongPlacements(input.view());
        benchmark::DoNotOptimize(placements.auc);
        state.PauseTiming();
        placements = {};
        state.ResumeTiming();
    }
}

void uncertaintyOfAnalysis(benchmark::State& state, std::int64_t n, bool ties)
{
    const Analysis analysis = analyse(cachedInput(n, ties).view(), 10);
    for (auto _ : state) {
        const Uncertainty u = assessUncertainty(analysis);
        benchmark::DoNotOptimize(u.hosmerLemeshow.p);
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::int64_t n = 10000000;
    if (const char* text = std::getenv("DELONG_BENCH_N"))
        n = std::atoll(text);
    for (const bool ties : { false, true }) {
        // Appended piece by piece: gcc 12 warns falsely (-Wrestrict) about "/" + std::string.
        std::string suffix = "/";
        suffix += std::to_string(n);
        suffix += ties ? "/ties" : "/distinct";
        benchmark::RegisterBenchmark(("std_sort" + suffix).c_str(), sortDoubles, n, ties)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("delong" + suffix).c_str(), delongFromOutputs, n, ties)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("placements" + suffix).c_str(), placementsFromOutputs, n, ties)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("uncertainty" + suffix).c_str(), uncertaintyOfAnalysis, n, ties)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
