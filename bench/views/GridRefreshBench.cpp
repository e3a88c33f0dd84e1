// Report grid refresh and tab switch over per-record tables of 100,000 rows.
#include "reports/ConfMatrixReport.h"
#include "reports/ReportGrid.h"
#include "reports/RocReport.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include <QApplication>
#include <QTreeView>

namespace {

const int kRows = 100000;

// Cells computed from a record's rank, as the engine's per-record tables are.
class RankTable : public lrv::TableSource<double> {
public:
    explicit RankTable(bool probabilities)
        : m_probabilities(probabilities)
    {
    }

    double cell(std::int64_t row, int col) const override
    {
        const double rank = double(row);
        const double output = 1.0 - rank / kRows;
        if (m_probabilities) {
            switch (col) {
            case 0:
                return rank + 1;
            case 1:
                return (row * 7) % 3 == 0 ? 1 : 0;
            case 2:
                return output;
            case 3:
                return 4 * output - 2;
            case 4:
                return std::exp(4 * output - 2);
            case 5:
                return 1 / (1 + std::exp(2 - 4 * output));
            case 6:
                return 1 - 1 / (1 + std::exp(2 - 4 * output));
            case 7:
                return output >= 0.5 ? 1 : 0;
            case 8:
                return (row % 4) != 0 ? 1 : 0;
            default:
                return 0;
            }
        }
        switch (col) {
        case 0:
            return rank + 1;
        case 1:
            return (row * 7) % 3 == 0 ? 1 : 0;
        case 2:
            return output;
        case 12:
            return row < 10 ? 1 : 0;
        case 13:
            return 1;
        case 14:
            return (row % 4) != 0 ? 1 : 0;
        case 15:
            return double(row % 4);
        default:
            return double(row % 1000) / 1000.0 + col;
        }
    }

private:
    bool m_probabilities;
};

lrv::Table<double> rocTable()
{
    return lrv::Table<double>::computed(0, kRows - 1, 0, 15, std::make_shared<RankTable>(false));
}

lrv::Table<double> probabilityTable()
{
    return lrv::Table<double>::computed(0, kRows - 1, 0, 9, std::make_shared<RankTable>(true));
}

struct ShownGrid {
    lrv::ReportGrid grid;
    ShownGrid()
    {
        grid.resize(1200, 700);
        grid.show();
    }
    // Lays out and paints the visible rows, as the screen would right after the refresh.
    void paint() { grid.view()->viewport()->repaint(); }
};

void BM_GridRefresh(benchmark::State& state)
{
    ShownGrid shown;
    lrv::RocReport report;
    report.SetThresholdId(500);
    report.Init(&shown.grid);
    report.SetDataSourceDbl(rocTable());
    for (auto _ : state) {
        report.Refresh();
        shown.paint();
    }
    if (shown.grid.rowCount() != kRows)
        state.SkipWithError("the grid does not hold every row");
}
BENCHMARK(BM_GridRefresh)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TabSwitch(benchmark::State& state)
{
    ShownGrid shown;
    lrv::RocReport roc;
    lrv::ConfMatrixReport matrix;
    roc.SetDataSourceDbl(rocTable());
    matrix.SetDataSourceDbl(probabilityTable());
    roc.Init(&shown.grid);
    roc.Refresh();
    bool toMatrix = true;
    for (auto _ : state) {
        lrv::IDataReport& next = toMatrix ? static_cast<lrv::IDataReport&>(matrix) : roc;
        next.Init(&shown.grid);
        next.Refresh();
        shown.paint();
        toMatrix = !toMatrix;
    }
}
BENCHMARK(BM_TabSwitch)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps each benchmark's time per iteration for the summary lines.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                milliseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> milliseconds;
};

// The offscreen platform warns on every shown window; nothing else is dropped.
void dropPlatformNoise(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropPlatformNoise);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto print = [&](const char* name, const char* label) {
        const auto found = reporter.milliseconds.find(name);
        if (found != reporter.milliseconds.end())
            std::printf("%s: %.1f ms\n", label, found->second);
    };
    print("BM_TabSwitch", "tab switch (Init + Refresh of another report) of 100000 rows");
    print("BM_GridRefresh", "grid refresh of 100000 rows");
    return 0;
}
