// Drags the chosen cutoff's marker across the cutoff chart of a calculated run in the analysis window
// (offscreen) and measures each move until every view that follows it has updated and painted.
#include "charts/ChartComponent.h"
#include "charts/CutoffChart.h"
#include "presenters/WorkbenchHostCore.h"
#include "run/Run.h"
#include "window/ChosenCutoffLink.h"
#include "window/frmDecile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QTabBar>
#include <QTest>

namespace {

using Clock = std::chrono::steady_clock;

struct Timing {
    double median = 0;
    double longest = 0;
};

/// One drag from the left of the plot to its right in `steps` moves; each move is timed from the mouse
/// event to the end of the paints it caused.
Timing drag(lrv::CutoffChart& chart, int steps, const int& moves)
{
    lrv::ChartComponent* component = chart.chartComponent();
    auto* view = component->findChild<QChartView*>();
    QWidget* viewport = view->viewport();
    const QRectF plot = component->chart()->plotArea();
    const auto pixel = [&](int step) {
        const QPointF inChart(plot.left() + plot.width() * (0.02 + 0.96 * step / steps), plot.center().y());
        return view->mapFromScene(component->chart()->mapToScene(inChart));
    };
    std::vector<double> times;
    QTest::mousePress(viewport, Qt::LeftButton, {}, pixel(0));
    QCoreApplication::processEvents();
    for (int step = 1; step <= steps; ++step) {
        const int before = moves;
        const auto started = Clock::now();
        QTest::mouseMove(viewport, pixel(step));
        QCoreApplication::processEvents();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - started).count());
        if (moves != before + 1)
            std::fprintf(stderr, "move %d did not reach the views\n", step);
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, pixel(steps));
    std::sort(times.begin(), times.end());
    return { times[times.size() / 2], times.back() };
}

}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_cutoff RUN N\n");
        return 1;
    }
    wb::WorkbenchHostCore::install();
    const auto run = wb::Run::open(QString::fromLocal8Bit(argv[1]));
    std::shared_ptr<lrv::IRun> handle = run;

    lrv::frmDecile window;
    window.resize(1400, 950);
    window.Init(handle, 1131, 0, 0);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 2;
    const auto calculated = Clock::now();
    window.Activate();
    if (window.state() != lrv::WindowState::Idle || !window.chosenCutoff()->figures()) {
        std::fprintf(stderr, "the calculation gave no chosen cutoff\n");
        return 2;
    }
    std::printf("calculation of %lld records: %.0f ms\n",
        static_cast<long long>(window.chosenCutoff()->figures()->records()),
        std::chrono::duration<double, std::milli>(Clock::now() - calculated).count());
    auto* chart = window.findChild<lrv::CutoffChart*>(QStringLiteral("chCutoff"));
    auto* reports = window.findChild<QTabBar*>(QStringLiteral("ssReports"));

    int moves = 0;
    QObject::connect(window.chosenCutoff(), &lrv::ChosenCutoffLink::cutoffShown, &window, [&] { ++moves; });
    const int steps = 40;
    double longest = 0;
    const std::pair<int, const char*> shown[] = { { 0, "quantiles report" }, { 1, "ROC report" } };
    for (const auto& [tab, name] : shown) {
        reports->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        const Timing timing = drag(*chart, steps, moves);
        std::printf("%d moves with the %s shown: median %.1f ms, longest %.1f ms\n", steps, name, timing.median,
            timing.longest);
        longest = std::max(longest, timing.longest);
    }
    std::printf("cutoff move at n=%s: %.1f ms\n", argv[2], longest);
    std::fflush(stdout);
    std::_Exit(0);
}
