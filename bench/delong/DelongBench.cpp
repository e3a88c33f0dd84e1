// DeLong's AUC interval against std::sort of the same doubles, in one process.
//
// DELONG_BENCH_N sets the record count (default 10000000). Four measurements per kind of outputs (distinct or
// tied): std_sort; delong, the interval from raw outputs (each class sorted apart); placements, one model's
// share of a paired test (placement values in record order); uncertainty, every statistic of assessUncertainty
// on an analysis already made, which ranks the records.
#include "common/SyntheticScores.h"
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
using namespace wb::bench;

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
