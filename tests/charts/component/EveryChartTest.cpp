// Every chart, shown and laid out, fed the tables of model outputs of every scale: it either draws with readable
// axes or shows its notice, and never hangs. The context menu every chart shares: a right-button release over the
// plot opens it, "Copy" puts the chart's picture on the clipboard and "Print" prints one vector document per copy.
#include "../ScoredTables.h"
#include "charts/CalibrationChart.h"
#include "charts/ChartComponent.h"
#include "charts/CutoffChart.h"
#include "charts/GainsChart.h"
#include "charts/LiftChart.h"
#include "charts/LogisticFitChart.h"
#include "charts/QuantileChart.h"
#include "charts/ROCChart.h"
#include "charts/SlopeChart.h"
#include "charts/TrendlineChart.h"
#include "common/FakePlatform.h"

#include <chrono>
#include <cstdio>
#include <future>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <thread>

#include <QAction>
#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QFile>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QXYSeries>

using namespace lrv;
using namespace lrv::test;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const struct {
    const char* name;
    int records;
    double (*output)(double p, int record);
} kScales[] = {
    { "unit", 400, [](double p, int) { return p; } },
    { "1e-12", 400, [](double p, int) { return p * 1e-12; } },
    { "credit scores 300-850", 400, [](double p, int) { return std::round(300 + 550 * p); } },
    { "1e6-1e9", 400, [](double p, int) { return 1e6 + p * (1e9 - 1e6); } },
    { "1e12", 400, [](double p, int) { return p * 1e12; } },
    { "1e9 + small", 400, [](double p, int) { return 1e9 + 100 * p; } },
    { "spread 1e-13", 400, [](double p, int) { return 0.5 + 1e-13 * p; } },
    { "one outlier", 400, [](double p, int record) { return record == 17 ? 1e9 : p; } },
    { "negative", 400, [](double p, int) { return -50 + 49 * p; } },
    { "constant", 400, [](double, int) { return 0.42; } },
    { "single record", 1, [](double p, int) { return p; } },
    { "some calculation errors", 400, [](double p, int record) { return record % 9 == 4 ? kNaN : p; } },
};

template <class T> std::unique_ptr<QWidget> fed(const auto& table)
{
    auto chart = std::make_unique<T>();
    chart->SetDataSource(table);
    return chart;
}

template <class T> std::unique_ptr<QWidget> withFit(const Table<Variant>& buckets, const Fit& fit)
{
    auto chart = std::make_unique<T>();
    chart->SetDataSource(buckets);
    chart->SetEquationValues(fit.slope, fit.intercept, fit.rSquare, false);
    return chart;
}

const struct {
    const char* name;
    bool drawn; // a drawn chart, else a chart of the chart component
    std::set<std::string> notice; // the scales whose tables leave nothing to draw
    std::unique_ptr<QWidget> (*make)(const HostTables&);
} kCharts[] = {
    { "ROC", true, { "single record" }, [](const HostTables& t) { return fed<ROCChart>(t.roc); } },
    { "gains", true, {}, [](const HostTables& t) { return fed<GainsChart>(t.gains); } },
    { "lift", true, {}, [](const HostTables& t) { return fed<LiftChart>(t.lift); } },
    { "calibration", true, {}, [](const HostTables& t) { return fed<CalibrationChart>(t.calibration); } },
    { "cutoff", false, { "constant", "single record", "spread 1e-13" },
        [](const HostTables& t) {
            auto chart = std::make_unique<CutoffChart>();
            chart->SetDataSource(t.cutoff);
            chart->SetShowOCP(true);
            chart->SetOptimumModelValue(t.cutoff.at(t.cutoff.rowHigh() / 2, 0));
            const Fit& fit = t.logOddsFit;
            chart->SetLogisticCutoffPoint(fit.slope == kUndefinedFit ? kNoCutoffPoint : -fit.intercept / fit.slope);
            return std::unique_ptr<QWidget>(std::move(chart));
        } },
    { "logistic fit", false, { "spread 1e-13" },
        [](const HostTables& t) {
            auto chart = std::make_unique<LogisticFitChart>();
            chart->SetShowDummyPoints(true);
            chart->SetDataSource(t.curve);
            chart->AddDataSource(t.observations);
            return std::unique_ptr<QWidget>(std::move(chart));
        } },
    { "log odds", false, { "spread 1e-13" },
        [](const HostTables& t) { return withFit<SlopeChart>(t.logOdds, t.logOddsFit); } },
    { "trend line", false, { "spread 1e-13" },
        [](const HostTables& t) { return withFit<TrendlineChart>(t.deciles, t.trendFit); } },
};

/// Ends the program, naming the case, when a chart takes far longer than any should: a hang fails at once.
class Watchdog {
public:
    explicit Watchdog(const std::string& what)
        : m_thread([this, what] {
            if (m_done.get_future().wait_for(std::chrono::seconds(30)) == std::future_status::timeout) {
                std::fprintf(stderr, "hangs: %s\n", what.c_str());
                std::_Exit(1);
            }
        })
    {
    }
    ~Watchdog()
    {
        m_done.set_value();
        m_thread.join();
    }

private:
    std::promise<void> m_done;
    std::thread m_thread;
};

// Every series has a colour of its own, so that the legend tells them apart. Every axis has a title and holds at
// most 20 ticks at whole multiples of a step of 1, 2 or 5 times a power of ten; each label reads as its tick's value
// ("0" at zero), is drawn beside the plot and stays clear of its neighbours.
void expectReadableAxes(ChartComponent& component)
{
    std::set<QRgb> colours;
    for (int i = 0; i < component.seriesCount(); ++i)
        colours.insert(component.series(i)->pen().color().rgb());
    EXPECT_EQ(int(colours.size()), component.seriesCount());
    for (const Qt::Orientation orientation : { Qt::Horizontal, Qt::Vertical }) {
        SCOPED_TRACE(orientation == Qt::Horizontal ? "horizontal axis" : "vertical axis");
        auto* axis = qobject_cast<QCategoryAxis*>(component.axis(orientation));
        ASSERT_NE(axis, nullptr);
        EXPECT_FALSE(axis->titleText().isEmpty());
        const QStringList labels = axis->categoriesLabels();
        ASSERT_GE(labels.size(), 2);
        EXPECT_LE(labels.size(), 20);
        const double unit = component.axisUnit(orientation);
        const auto at = [&](const QString& label) { return axis->endValue(label) * unit; };
        const double step = at(labels[1]) - at(labels[0]);
        const double mantissa = step / std::pow(10.0, std::floor(std::log10(step)));
        EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 || std::abs(mantissa - 5) < 1e-9)
            << step;
        const QRectF plot = component.chart()->plotArea();
        std::multimap<QString, QRectF> drawn;
        for (QGraphicsItem* item : component.chart()->scene()->items())
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
                drawn.emplace(text->toPlainText(), text->sceneBoundingRect());
        const double pixelsPerStep = (orientation == Qt::Horizontal ? plot.width() : plot.height()) * step
            / ((axis->max() - axis->min()) * unit);
        const QFontMetricsF metrics(axis->labelsFont());
        for (const QString& label : labels) {
            SCOPED_TRACE(label.toStdString());
            const auto [from, to] = drawn.equal_range(label);
            EXPECT_TRUE(std::any_of(from, to, [&](const auto& found) {
                return orientation == Qt::Horizontal ? found.second.bottom() >= plot.bottom()
                                                     : found.second.left() <= plot.left();
            })) << "not drawn beside the plot";
            const double value = at(label);
            EXPECT_GE(value, axis->min() * unit - step * 1e-9);
            EXPECT_LE(value, axis->max() * unit + step * 1e-9);
            EXPECT_NEAR(value / step, std::round(value / step), 1e-6);
            if (std::abs(value) < step * 1e-9) {
                EXPECT_EQ(label, QStringLiteral("0"));
            }
            bool number = false;
            EXPECT_NEAR(QLocale().toDouble(label, &number), value, step * 1e-6);
            EXPECT_TRUE(number);
            const double size = orientation == Qt::Horizontal ? metrics.horizontalAdvance(label) : metrics.height();
            EXPECT_LT(size, pixelsPerStep) << "labels overlap";
        }
    }
}

// The labels of each axis are numbers rising along it, beside the plot and clear of each other; the curves stay
// inside the plot.
void expectReadablePicture(const ChartPicture& picture)
{
    const QRectF plot = QRectF(picture.plot()).adjusted(-2, -2, 2, 2);
    const QFontMetricsF metrics(picture.font);
    for (const bool horizontal : { true, false }) {
        SCOPED_TRACE(horizontal ? "horizontal axis" : "vertical axis");
        std::vector<std::pair<double, double>> placedValues;
        std::vector<QRectF> boxes;
        for (const TickLabel& label : horizontal ? picture.xLabels : picture.yLabels) {
            if (label.text.isEmpty())
                continue;
            const QRectF box(label.topLeft, QSizeF(metrics.horizontalAdvance(label.text), metrics.height()));
            for (const QRectF& other : boxes)
                EXPECT_FALSE(box.intersects(other)) << "labels overlap at " << label.text.toStdString();
            boxes.push_back(box);
            bool number = false;
            const double value = QLocale().toDouble(label.text, &number);
            EXPECT_TRUE(number) << label.text.toStdString();
            placedValues.emplace_back(horizontal ? label.topLeft.x() : -label.topLeft.y(), value);
            EXPECT_TRUE(horizontal ? label.topLeft.y() > plot.bottom() : label.topLeft.x() < plot.left());
        }
        ASSERT_GE(placedValues.size(), 2u);
        std::sort(placedValues.begin(), placedValues.end());
        for (std::size_t i = 1; i < placedValues.size(); ++i)
            EXPECT_GT(placedValues[i].second, placedValues[i - 1].second);
    }
    EXPECT_FALSE(picture.series.empty() && picture.points.empty());
    std::vector<QPointF> drawn;
    for (const ChartStroke& stroke : picture.series)
        drawn.insert(drawn.end(), { stroke.from, stroke.to });
    for (const ChartPoint& point : picture.points)
        drawn.push_back(point.at);
    for (const QPointF& at : drawn)
        EXPECT_TRUE(plot.contains(picture.toSurface(at)))
            << picture.toSurface(at).x() << ", " << picture.toSurface(at).y();
}

// The copy of a chart that shows its notice carries the notice's text: the only dark ink where it stands, as the
// empty plot has light grid lines only.
void expectTheCopyCarriesTheNotice(ComponentChartFrame& chart, const QWidget& notice)
{
    chart.findChild<QAction*>(QStringLiteral("mnuMain(0)"))->trigger();
    const QImage image = QApplication::clipboard()->image();
    ASSERT_FALSE(image.isNull());
    const QRect where = notice.geometry().translated(-chart.chartComponent()->pos());
    int ink = 0;
    for (int y = where.top(); y <= where.bottom(); ++y)
        for (int x = where.left(); x <= where.right(); ++x)
            ink += qGray(image.pixel(x, y)) < 100;
    EXPECT_GT(ink, 50);
}

TEST(EveryChart, DrawsReadableAxesAtEveryScaleOrShowsItsNoticeWhichItsCopyCarriesAndNeverHangs)
{
    QFont large(QStringLiteral("DejaVu Sans"));
    large.setPointSize(22);
    for (const auto& scale : kScales) {
        const HostTables tables(scoredRecords(scale.records, scale.output));
        for (const auto& c : kCharts) {
            SCOPED_TRACE(std::string(c.name) + " at " + scale.name);
            const Watchdog watchdog(std::string(c.name) + " at " + scale.name);
            const std::unique_ptr<QWidget> chart = c.make(tables);
            // Every other scale shows the drawn charts small with a large font.
            const bool small = c.drawn && (&scale - std::begin(kScales)) % 2 == 1;
            if (small) {
                static_cast<DrawnChart&>(*chart).SetFont(large);
            }
            chart->resize(small ? QSize(300, 190) : QSize(720, 460));
            chart->show();
            dynamic_cast<IChartControl&>(*chart).Refresh();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(chart.get()));
            QCoreApplication::processEvents();

            const bool notice = c.notice.count(scale.name) > 0;
            auto* shown = chart->findChild<QLineEdit*>(QStringLiteral("txtInvalidData"));
            EXPECT_EQ(shown->isVisible(), notice);
            if (notice) {
                EXPECT_FALSE(shown->text().isEmpty());
                EXPECT_TRUE(chart->rect().contains(shown->geometry()));
                if (!c.drawn) {
                    expectTheCopyCarriesTheNotice(static_cast<ComponentChartFrame&>(*chart), *shown);
                }
                continue;
            }
            if (c.drawn) {
                expectReadablePicture(static_cast<DrawnChart&>(*chart).picture());
            } else {
                expectReadableAxes(*static_cast<ComponentChartFrame&>(*chart).chartComponent());
            }
        }
    }
}

void release(QWidget* widget, Qt::MouseButton button, QPoint at)
{
    QMouseEvent event(QEvent::MouseButtonRelease, QPointF(at), QPointF(widget->mapToGlobal(at)), button, Qt::NoButton,
        Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// Many colours: lines, texts and their smoothed edges, not an empty surface.
std::size_t coloursOf(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

TEST(EveryChart, RightReleaseOpensTheMenuCopyTakesThePictureAndPrintMakesOneDocumentPerCopy)
{
    const HostTables tables(scoredRecords(400));
    std::vector<std::pair<std::string, std::unique_ptr<QWidget> (*)(const HostTables&)>> charts { { "quantiles",
        [](const HostTables& t) { return fed<QuantileChart>(t.deciles); } } };
    for (const auto& c : kCharts)
        charts.emplace_back(c.name, c.make);
    for (const auto& [name, make] : charts) {
        SCOPED_TRACE(name);
        auto& platform = FakePlatform::installFresh();
        const std::unique_ptr<QWidget> chart = make(tables);
        chart->resize(640, 420);
        chart->show();
        dynamic_cast<IChartControl&>(*chart).Refresh();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(chart.get()));
        auto* view = chart->findChild<QChartView*>();
        QWidget* plot = view ? view->viewport() : chart->findChild<QWidget*>(QStringLiteral("pic"));
        auto* menu = chart->findChild<QMenu*>(QStringLiteral("ctxMain"));
        release(plot, Qt::LeftButton, QPoint(50, 50));
        EXPECT_FALSE(menu->isVisible());
        release(plot, Qt::RightButton, QPoint(50, 50));
        EXPECT_TRUE(menu->isVisible());
        menu->hide();

        QApplication::clipboard()->clear();
        chart->findChild<QAction*>(QStringLiteral("mnuMain(0)"))->trigger();
        const QImage copied = QApplication::clipboard()->image();
        EXPECT_GT(copied.width(), chart->width() / 2);
        EXPECT_GT(coloursOf(copied), 20u);

        platform.printerAnswer = PrintSetup { 3, QPageLayout::Landscape };
        chart->findChild<QAction*>(QStringLiteral("mnuMain(2)"))->trigger();
        ASSERT_EQ(platform.printedDocuments.size(), 3);
        for (const QString& document : platform.printedDocuments) {
            QFile file(document);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray content = file.readAll();
            EXPECT_GT(content.size(), 1000) << "an empty page";
            EXPECT_FALSE(content.contains("/Subtype /Image")) << "lines and text, not a picture of the screen";
            EXPECT_TRUE(content.contains("/MediaBox [0 0 842.000000 595.000000]")) << "A4 turned to landscape";
        }
        platform.printerAnswer.reset();
        chart->findChild<QAction*>(QStringLiteral("mnuMain(2)"))->trigger();
        EXPECT_EQ(platform.printerDialogs, 2);
        EXPECT_EQ(platform.printedDocuments.size(), 3);
    }
}

} // namespace
