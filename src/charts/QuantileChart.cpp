#include "charts/QuantileChart.h"

#include "charts/BarChartColors.h"
#include "charts/BarChartWindow.h"
#include "charts/ChartsHelper.h"
#include "charts/PercentBarPlot.h"
#include "charts/SwatchLegend.h"
#include "host/HostConfiguration.h"
#include "host/UncertaintyFigures.h"
#include "support/Error.h"
#include "support/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QBarSet>

namespace lrv {

namespace {
    constexpr int kPositivesCount = index(DecileColumn::Positives);
    constexpr int kNegativesCount = index(DecileColumn::Negatives);
    constexpr int kPositivesPercent = index(DecileColumn::PositivePercent);
    constexpr int kNegativesPercent = index(DecileColumn::NegativePercent);
    constexpr int kLegendTop = 40;

    const QString kPrefix = QStringLiteral("LogisticRegression.Quantile.Chart.");

    double numberAt(const Table<Variant>& table, int row, int column)
    {
        if (!table.contains(row, column))
            return 0.0;
        const Variant value = table.at(row, column);
        return value.isNumeric() ? value.toDouble() : 0.0;
    }

    QString textAt(const Table<Variant>& table, int row, int column)
    {
        return table.contains(row, column) ? table.at(row, column).text() : QString();
    }
}

QuantileChart::QuantileChart(QWidget* parent)
    : QWidget(parent)
    , m_plot(new PercentBarPlot({ QStringLiteral("Positives"), QStringLiteral("Negatives") }, this))
    , m_legend(new SwatchLegend({ { QStringLiteral("shPositives"), QStringLiteral("Positives") },
                                    { QStringLiteral("shNegatives"), QStringLiteral("Negatives") } },
          this))
    , m_window(new BarChartWindow(
          *this, *this,
          BarChartWindow::MenuNames {
              QStringLiteral("mnuMain(0)"), QStringLiteral("mnuMain(2)"), QStringLiteral("mnuMain(1)") },
          [this] { Refresh(); }, [this] { layoutChildren(); }))
{
    setObjectName(QStringLiteral("QuantileChart"));
    setAutoFillBackground(true);
    m_plot->setObjectName(QStringLiteral("chQuant"));

    // Designed colours, kept where the configuration has none.
    m_plot->setSeriesColors(0, QColor(0x3a, 0x78, 0xb5), QColor(0x24, 0x4f, 0x7a));
    m_plot->setSeriesColors(1, QColor(0xe8, 0xa3, 0x3d), QColor(0xa8, 0x72, 0x22));
    m_legend->setSwatchColors(0, QColor(0x3a, 0x78, 0xb5), QColor(0x24, 0x4f, 0x7a));
    m_legend->setSwatchColors(1, QColor(0xe8, 0xa3, 0x3d), QColor(0xa8, 0x72, 0x22));
    ChartsHelper::ApplyChartColors(this);
    applyConfiguredColors();

    connect(m_plot, &PercentBarPlot::barHovered, this,
        [this](int series, int position, bool entered) { bestEffort([&] { showBarTip(series, position, entered); }); });
    connect(m_plot, &PercentBarPlot::barClicked, this, [this](int, int position) {
        if (m_hasData)
            emit PointSelected(firstShownRow() + position);
    });
    connect(m_plot, &PercentBarPlot::contextMenuWanted, this,
        [this](const QPoint& globalPos) { m_window->popupMenu(globalPos); });

    resize(600, 300);
    Reset();
}

void QuantileChart::applyConfiguredColors()
{
    BarChartColors::applyConfigured(
        *m_plot, *m_legend, { kPrefix + QStringLiteral("Positives."), kPrefix + QStringLiteral("Negatives.") });
}

void QuantileChart::setBackColor(uint color)
{
    m_backColor = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    setPalette(palette);
    m_legend->setBackColor(toQColor(color));
    m_plot->setBackdropColor(toQColor(color));
}

void QuantileChart::setForeColor(uint color)
{
    m_foreColor = color;
    BarChartColors::applyForeColor(*this, *m_plot, *m_legend, toQColor(color));
}

bool QuantileChart::needsScrolling() const { return m_hasData && m_table.rowHigh() > m_threshold; }

void QuantileChart::SetDataSource(const Table<Variant>& data)
{
    m_table = data;
    m_calibration = {};
    m_threshold = std::max(
        1, HostConfiguration::integer(QStringLiteral("LogisticRegression.Chart.Quantile.StreamingThreshold"), 30));
    m_window->setBuckets(data.rowHigh(), m_threshold);
    m_window->moveTo(1);
    m_hasData = true;
}

int QuantileChart::firstShownRow() const { return needsScrolling() ? m_window->first() : m_table.rowLow(); }

int QuantileChart::lastShownRow() const
{
    return needsScrolling() ? std::min(firstShownRow() + m_threshold - 1, m_table.rowHigh()) : m_table.rowHigh();
}

void QuantileChart::Refresh()
{
    const int first = firstShownRow(), last = lastShownRow();
    QStringList labels;
    QList<qreal> positives;
    QList<qreal> negatives;
    for (int row = first; row <= last; ++row) {
        labels.append(QString::number(row) + QLatin1Char(' '));
        positives.append(numberAt(m_table, row, kPositivesPercent));
        negatives.append(numberAt(m_table, row, kNegativesPercent));
    }
    m_plot->setBars(labels, { positives, negatives });
    showIntervals(first, last);
    layoutChildren();
}

void QuantileChart::SetCalibration(const Table<double>& calibration)
{
    m_calibration = calibration;
    showIntervals(firstShownRow(), lastShownRow());
}

void QuantileChart::showIntervals(int first, int last)
{
    constexpr double none = std::numeric_limits<double>::quiet_NaN();
    const int low = index(CalibrationColumn::WilsonLow), high = index(CalibrationColumn::WilsonHigh);
    QList<QPair<qreal, qreal>> intervals;
    for (int row = first; row <= last && !m_calibration.isEmpty(); ++row) {
        const bool known = m_calibration.contains(row, low) && m_calibration.contains(row, high);
        intervals.append(known ? qMakePair(100 * m_calibration.at(row, low), 100 * m_calibration.at(row, high))
                               : qMakePair(none, none));
    }
    m_plot->setIntervals(intervals);
}

void QuantileChart::Reset()
{
    TableBuilder<Variant> placeholder(1, 10, 0, 20);
    for (int row = 1; row <= 10; ++row) {
        placeholder.set(row, index(DecileColumn::UpperBoundary), Variant(double(row)));
        placeholder.set(row, kPositivesPercent, Variant(0.0));
        placeholder.set(row, kNegativesPercent, Variant(0.0));
    }
    SetDataSource(placeholder.build());
    Refresh();
}

void QuantileChart::ShowPoint(int index)
{
    if (!needsScrolling())
        return;
    m_window->scrollTo(index > m_window->lastFirst() ? m_window->lastFirst() : index + 1);
}

void QuantileChart::layoutChildren()
{
    const int width = this->width();
    const int height = this->height();
    const int chartWidth = std::max(0, width - m_legend->width() - 100);
    const int scrollHeight = m_window->placeScrollBar(needsScrolling());
    m_plot->setGeometry(0, 0, chartWidth, std::max(0, height - scrollHeight));
    m_legend->move(m_plot->x() + m_plot->width() + 50, kLegendTop);
}

void QuantileChart::showBarTip(int series, int position, bool entered)
{
    if (!entered || !m_hasData) {
        BarChartWindow::showTip(*m_plot, QString());
        return;
    }
    const int row = firstShownRow() + position;
    const bool positive = series == 0;
    const double percent = numberAt(m_table, row, positive ? kPositivesPercent : kNegativesPercent);
    const QString count = textAt(m_table, row, positive ? kPositivesCount : kNegativesCount);
    const QString tip = (positive ? QStringLiteral(" Positive Cases, ") : QStringLiteral(" Negative Cases, "))
        + percentText(percent / 100.0, 1) + QStringLiteral(" (") + count + QStringLiteral(") ");
    BarChartWindow::showTip(*m_plot, tip);
}

void QuantileChart::paintChart(QPainter& painter, const QRect& target)
{
    m_window->paintWithoutScrollBar(painter, target);
}

} // namespace lrv
