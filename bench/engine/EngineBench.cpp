// The whole engine calculation against std::sort of the same doubles, in one process.
//
// ENGINE_BENCH_N sets the record count (default: 1000000 and 10000000). ENGINE_BENCH_MEMORY=1 instead prints the
// peak resident memory per record of one calculation, input included. ENGINE_BENCH_CSV=1 adds the reading of a
// CSV file of N records with two model outputs.
#include "common/SyntheticScores.h"
#include "engine/Analysis.h"
#include "engine/Dataset.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace wb::engine;
using namespace wb::bench;

void wholeCalculation(benchmark::State& state, std::int64_t n, bool ties)
{
    const Input& input = cachedInput(n, ties);
    for (auto _ : state) {
        Analysis analysis = analyse(input.view(), 10);
        benchmark::DoNotOptimize(analysis.auc);
        state.PauseTiming();
        analysis = {}; // releasing the results is not part of the calculation
        state.ResumeTiming();
    }
}

void readCsv(benchmark::State& state, std::int64_t n)
{
    const Input& input = cachedInput(n, false);
    std::string path = "/tmp/engine-bench-";
    path += std::to_string(n);
    path += ".csv";
    {
        std::ofstream file(path);
        file << "id,target,model1,model2\n";
        char line[128];
        for (std::int64_t i = 0; i < n; ++i) {
            const int length = std::snprintf(line, sizeof line, "%d,%d,%.17g,%.6f\n", input.ids[i], input.classes[i],
                input.outputs[i], 1 - input.outputs[i]);
            file.write(line, length);
        }
    }
    DatasetSpec spec;
    spec.path = path;
    spec.targetColumn = "target";
    spec.idColumn = "id";
    spec.outputColumns = { "model1", "model2" };
    std::int64_t bytes = 0;
    {
        std::ifstream file(path, std::ios::ate | std::ios::binary);
        bytes = std::int64_t(file.tellg());
    }
    for (auto _ : state) {
        const Dataset data = readDataset(spec);
        benchmark::DoNotOptimize(data.ids.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    std::remove(path.c_str());
}

long statusKilobytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::string(field).size());
    return 0;
}

int measureMemory(std::int64_t n)
{
    for (const bool ties : { false, true }) {
        std::ofstream("/proc/self/clear_refs") << "5"; // restarts the peak at the current size
        const long before = statusKilobytes("VmRSS:");
        {
            const Input input = makeInput(n, ties);
            const Analysis analysis = analyse(input.view(), 10);
            benchmark::DoNotOptimize(analysis.auc);
            const long peak = statusKilobytes("VmHWM:");
            std::printf("peak memory per record at n=%lld%s: %.1f bytes (input included)\n", static_cast<long long>(n),
                ties ? " with ties" : "", double(peak - before) * 1024.0 / double(n));
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::int64_t> sizes = { 1000000, 10000000 };
    if (const char* text = std::getenv("ENGINE_BENCH_N"))
        sizes = { std::atoll(text) };
    if (const char* memory = std::getenv("ENGINE_BENCH_MEMORY"); memory && std::string(memory) == "1")
        return measureMemory(sizes.front());

    for (const std::int64_t n : sizes)
        for (const bool ties : { false, true }) {
            std::string suffix = "/";
            suffix += std::to_string(n);
            suffix += ties ? "/ties" : "/distinct";
            benchmark::RegisterBenchmark(("std_sort" + suffix).c_str(), sortDoubles, n, ties)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("engine" + suffix).c_str(), wholeCalculation, n, ties)
                ->Unit(benchmark::kMillisecond);
        }
    if (const char* csv = std::getenv("ENGINE_BENCH_CSV"); csv && std::string(csv) == "1")
        for (const std::int64_t n : sizes)
            benchmark::RegisterBenchmark(("read_csv/" + std::to_string(n)).c_str(), readCsv, n)
                ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
