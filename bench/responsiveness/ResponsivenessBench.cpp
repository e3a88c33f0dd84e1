// Drives the analysis window through a calculation of a run and a Cancel in each phase, measuring how long
// the event loop stood still and how long a Cancel took to reach a window the user can use.
#include "presenters/DatasetCache.h"
#include "presenters/WorkbenchHostCore.h"
#include "run/Run.h"
#include "window/frmDecile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <sys/resource.h>

#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace {

using Clock = std::chrono::steady_clock;
using lrv::WindowState;

double msSince(Clock::time_point from)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

long peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

/// Watches the window from a fast timer, which runs whenever the event loop runs: the longest gap between
/// two ticks is the longest stall; the tick also presses Cancel once the wanted phase has run a while.
class Watcher : public QObject {
public:
    explicit Watcher(lrv::frmDecile& window)
        : m_window(window)
    {
        m_timer.setInterval(2);
        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_timer.start();
    }

    /// One calculation; with a phase, Cancel is pressed `after` ms into it. Returns false when the phase
    /// was over before Cancel could be pressed.
    bool calculate(const std::function<void()>& start, std::optional<WindowState> cancelIn, double after)
    {
        m_cancelIn = cancelIn;
        m_cancelAfter = after;
        m_cancelled = false;
        m_phaseStart.reset();
        m_readDone.reset();
        m_lastTick = Clock::now();
        m_maxStall = 0;
        bool done = false;
        // The calculation runs inside this loop's first round and returns when it has ended.
        QTimer::singleShot(0, &m_window, [&] {
            start();
            done = true;
        });
        while (!done)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (cancelIn && m_cancelled)
            cancelTimes.push_back(msSince(m_cancelPressed));
        if (!cancelIn && m_readDone)
            resultsAfterRead = msSince(*m_readDone);
        longestStall = std::max(longestStall, m_maxStall);
        return !cancelIn || m_cancelled;
    }

    std::vector<double> cancelTimes;
    double longestStall = 0;
    double resultsAfterRead = -1;

private:
    void tick()
    {
        const auto now = Clock::now();
        m_maxStall = std::max(m_maxStall, std::chrono::duration<double, std::milli>(now - m_lastTick).count());
        m_lastTick = now;
        const WindowState state = m_window.state();
        if (state != m_lastState) {
            if (m_lastState == WindowState::Reading)
                m_readDone = now;
            m_phaseStart = now;
            m_lastState = state;
        }
        if (m_cancelIn && !m_cancelled && state == *m_cancelIn && m_phaseStart
            && msSince(*m_phaseStart) >= m_cancelAfter) {
            m_cancelled = true;
            m_cancelPressed = Clock::now();
            QTest::mouseClick(m_window.findChild<QPushButton*>(QStringLiteral("cmdStop")), Qt::LeftButton);
        }
    }

    lrv::frmDecile& m_window;
    QTimer m_timer;
    Clock::time_point m_lastTick = Clock::now();
    double m_maxStall = 0;
    std::optional<WindowState> m_cancelIn;
    double m_cancelAfter = 0;
    bool m_cancelled = false;
    Clock::time_point m_cancelPressed;
    std::optional<Clock::time_point> m_phaseStart, m_readDone;
    WindowState m_lastState = WindowState::StartUp;
};

}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_responsiveness RUN N\n");
        return 1;
    }
    wb::WorkbenchHostCore::install();
    const auto run = wb::Run::open(QString::fromLocal8Bit(argv[1]));
    std::shared_ptr<lrv::IRun> handle = run;

    lrv::frmDecile window;
    window.resize(1400, 950);
    window.Init(handle, 1130, 0, 0);
    // The per-record ROC report is the largest a user can look at.
    window.findChild<QTabBar*>(QStringLiteral("ssReports"))->setCurrentIndex(1);
    Watcher watcher(window);
    const auto recalculate = [&] { window.Recalculate(); };

    // Opening: the window's first paint and its first calculation, which reads the data.
    watcher.calculate(
        [&] {
            window.show();
            window.Activate();
        },
        std::nullopt, 0);
    std::printf("opening (first paint and calculation): longest stall %.0f ms\n", watcher.longestStall);
    watcher.longestStall = 0;

    wb::DatasetCache::clear();
    const auto started = Clock::now();
    watcher.calculate(recalculate, std::nullopt, 0);
    std::printf("calculation with reading: %.0f ms; results on screen %.0f ms after the data were read\n",
        msSince(started), watcher.resultsAfterRead);
    const double fullStall = watcher.longestStall;

    const std::pair<WindowState, const char*> phases[]
        = { { WindowState::Calculating, "calculating" }, { WindowState::Delivering, "delivering" } };
    for (const auto& [phase, name] : phases) {
        wb::DatasetCache::get(*run, 1); // read: the phase of interest comes quickly
        const bool pressed = watcher.calculate(recalculate, phase, phase == WindowState::Delivering ? 0 : 20);
        std::printf("cancel while %s: %s\n", name,
            pressed ? qPrintable(QStringLiteral("%1 ms").arg(watcher.cancelTimes.back(), 0, 'f', 0))
                    : "the phase was over before Cancel could be pressed");
    }
    wb::DatasetCache::clear();
    const bool pressed = watcher.calculate(recalculate, WindowState::Reading, 200);
    std::printf("cancel while reading: %s\n",
        pressed ? qPrintable(QStringLiteral("%1 ms").arg(watcher.cancelTimes.back(), 0, 'f', 0)) : "not pressed");

    window.hide();
    const double longestCancel
        = watcher.cancelTimes.empty() ? -1 : *std::max_element(watcher.cancelTimes.begin(), watcher.cancelTimes.end());
    std::printf("longest stall in the full calculation: %.0f ms; peak memory: %ld MB\n", fullStall, peakMegabytes());
    std::printf("responsiveness at n=%s: longest stall: %.0f ms, cancel honoured in %.0f ms\n", argv[2],
        watcher.longestStall, longestCancel);
    std::fflush(stdout);
    std::_Exit(0); // a cancelled read may still run aside; its result is of no use
}
