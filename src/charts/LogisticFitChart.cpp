#include "charts/LogisticFitChart.h"

#include "charts/ChartComponent.h"
#include "charts/ChartStyleFolder.h"
#include "charts/ChartsHelper.h"
#include "host/HostConfiguration.h"
#include "support/Error.h"
#include "support/XTremeChartsHelper.h"

#include <cmath>

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace lrv {

namespace {
    const QString kPalette = QStringLiteral("LRLogisticFitPalette.xml");
    const QString kPaletteNoDummyPoints = QStringLiteral("LRLogisticFitPaletteNoDummyPoints.xml");

    ChartContentStyle builtInContent()
    {
        ChartContentStyle content;
        content.axisX.title = QStringLiteral("Model Output");
        content.axisX.padding = 0.02;
        content.axisX.labelsVisible = false;
        content.axisY.title = QStringLiteral("Probability (1/0)");
        content.axisY.minimum = -0.05;
        content.axisY.maximum = 1.05;
        content.axisY.tickInterval = 0.2;
        content.series
            = { { QStringLiteral("1's"), ChartSeriesKind::Scatter, 1, ChartMarkerShape::Circle, 7, true, true },
                  { QStringLiteral("0's"), ChartSeriesKind::Scatter, 1, ChartMarkerShape::Circle, 7, true, true },
                  { QStringLiteral("Logistic fit"), ChartSeriesKind::Line, 3, ChartMarkerShape::None, 6, true, true } };
        return content;
    }

    ChartPaletteStyle builtInPalette()
    {
        ChartPaletteStyle palette;
        palette.seriesColors
            = { QColor(0x2C, 0xA0, 0x2C, 0x90), QColor(0xD6, 0x27, 0x28, 0x90), QColor(0x1F, 0x3A, 0x93) };
        return palette;
    }

    QFrame* swatch(QWidget* parent, const QString& name, int top)
    {
        auto* frame = new QFrame(parent);
        frame->setObjectName(name);
        frame->setGeometry(8, top, 12, 12);
        frame->setFrameShape(QFrame::Box);
        frame->setAutoFillBackground(true);
        return frame;
    }

    void fill(QWidget* widget, OleColor color)
    {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, toQColor(color));
        widget->setPalette(palette);
    }

}

LogisticFitChart::LogisticFitChart(QWidget* parent)
    : ComponentChartFrame(parent, QStringLiteral("Probability (1/0)"))
{
    m_frLegend = new QGroupBox(this);
    m_frLegend->setObjectName(QStringLiteral("frLegend"));
    m_frLegend->resize(70, 50);
    m_frLegend->hide();
    m_shOne = swatch(m_frLegend, QStringLiteral("shOne"), 10);
    m_shZero = swatch(m_frLegend, QStringLiteral("shZero"), 30);
    auto* one = new QLabel(QStringLiteral("1's"), m_frLegend);
    one->setObjectName(QStringLiteral("lblOne"));
    one->move(26, 8);
    auto* zero = new QLabel(QStringLiteral("0's"), m_frLegend);
    zero->setObjectName(QStringLiteral("lblZero"));
    zero->move(26, 28);

    ChartsHelper::ApplyChartColors(this);
    SetFrameColor(ForeColor());
    m_labelsColor = 0;
    SetOneColor(HostConfiguration::color(QStringLiteral("LogisticRegression.LogisticFit.Chart.One")));
    SetZeroColor(HostConfiguration::color(QStringLiteral("LogisticRegression.LogisticFit.Chart.Zero")));
    m_lineColor = HostConfiguration::color(QStringLiteral("LogisticRegression.LogisticFit.Chart.Line"));
    m_lcpColor = HostConfiguration::color(QStringLiteral("LogisticRegression.LogisticFit.Chart.LCP"));
    m_showLCP = true;
    loadStyles(builtInContent(), builtInPalette(), QStringLiteral("LRLogisticFit.xml"), kPalette);
    const QString prefix = QStringLiteral("LogisticRegression.LogisticFit.Chart.");
    useConfiguredColors(
        { prefix + QStringLiteral("One"), prefix + QStringLiteral("Zero"), prefix + QStringLiteral("Line") });
    // The component's smoothing is on; the curve is drawn without point markers.
    m_chart->setAntialiasing(true);
    m_chart->setSeriesMarkersVisible(2, false);
    QPalette notice = m_txtInvalidData->palette();
    notice.setColor(QPalette::Base, m_chart->backgroundColor());
    notice.setColor(QPalette::Window, m_chart->backgroundColor());
    m_txtInvalidData->setPalette(notice);
    Reset();
}

void LogisticFitChart::SetOneColor(OleColor color)
{
    m_oneColor = color;
    fill(m_shOne, color);
}

void LogisticFitChart::SetZeroColor(OleColor color)
{
    m_zeroColor = color;
    fill(m_shZero, color);
}

void LogisticFitChart::SetBackColor(OleColor color)
{
    ComponentChartFrame::SetBackColor(color);
    if (m_frLegend)
        fill(m_frLegend, color);
}

void LogisticFitChart::SetDataSource(const Table<double>& data)
{
    m_curve = data;
    m_observationsAdded = false;
}

void LogisticFitChart::AddDataSource(const Table<double>& data)
{
    m_observations = data;
    m_observationsAdded = true;
}

void LogisticFitChart::Refresh()
{
    try {
        refreshChart();
    } catch (const std::exception&) {
        drawingFailed();
    }
}

void LogisticFitChart::refreshChart()
{
    try {
        XTremeChartsHelper::LoadChartPalette(
            *m_chart, XTremeChartsHelper::StylePath(m_showDummyPoints ? kPalette : kPaletteNoDummyPoints));
        m_pic->update();
        for (int series = 0; series < 3; ++series)
            m_chart->removeAllPoints(series);

        // Without observations there is no range to judge the data by.
        bool invalid = m_observations.rowCount() == 0;
        if (!invalid) {
            double min = at(m_observations, m_observations.rowLow(), ZerosOnesColumn::Output);
            double max = min;
            for (int row = m_observations.rowLow() + 1; row <= m_observations.rowHigh(); ++row) {
                min = std::min(min, at(m_observations, row, ZerosOnesColumn::Output));
                max = std::max(max, at(m_observations, row, ZerosOnesColumn::Output));
            }
            invalid = !(ChartsHelper::RelativeDifference(min, max) >= 1e-8);
        }
        showInvalidData(invalid);
        if (invalid)
            return;

        m_chart->setSeriesVisible(0, m_showDummyPoints);
        m_chart->setSeriesVisible(1, m_showDummyPoints);
        if (m_showDummyPoints && m_observationsAdded) {
            QList<QPointF> ones;
            QList<QPointF> zeros;
            for (int row = m_observations.rowLow(); row <= m_observations.rowHigh(); ++row) {
                const QPointF point(
                    at(m_observations, row, ZerosOnesColumn::Output), at(m_observations, row, ZerosOnesColumn::Level));
                if (!std::isfinite(point.x()) || !std::isfinite(point.y()))
                    continue;
                // Any class value other than 0 counts as class 1.
                (at(m_observations, row, ZerosOnesColumn::Class) != 0 ? ones : zeros).append(point);
            }
            m_chart->setPoints(0, ones);
            m_chart->setPoints(1, zeros);
        }
        QList<QPointF> curve;
        for (int row = m_curve.rowLow(); row <= m_curve.rowHigh(); ++row) {
            const QPointF point(
                at(m_curve, row, ProbabilityColumn::Output), at(m_curve, row, ProbabilityColumn::ProbabilityOne));
            if (std::isfinite(point.x()) && std::isfinite(point.y()))
                curve.append(point);
        }
        m_chart->setPoints(2, curve);
        if (m_chart->pointCount(0) > 0)
            ChartsHelper::SetAxisLabelFormat(
                *m_chart, Qt::Horizontal, m_chart->point(0, 0).x(), m_chart->point(0, m_chart->pointCount(0) - 1).x());
        m_chart->setAxisLabelsVisible(Qt::Horizontal, true);
    } catch (const std::exception&) {
        drawingFailed();
    }
}

void LogisticFitChart::Reset() { clearSeries(); }

void LogisticFitChart::layoutChildren()
{
    const int w = ScaleWidth();
    const int h = ScaleHeight();
    m_chart->setGeometry(0, 9, w, h - 9);
    m_frLegend->move(w - m_frLegend->width() - 20, m_frLegend->y());
    m_pic->setGeometry(75, 30, w - m_frLegend->width() - 110, h - m_lblHLegend->height() - 60);
    m_lblHLegend->setGeometry(m_pic->x(), h - m_lblHLegend->height(), m_pic->width(), m_lblHLegend->height());
    m_frLegend->move(m_frLegend->x(), m_pic->y() + m_pic->height() / 8);
    m_vlLegend->setGeometry(10, m_pic->y(), 22, m_pic->height());
    m_txtInvalidData->setGeometry(m_pic->x(), m_pic->height() / 2, m_pic->width(), m_txtInvalidData->height());
}

} // namespace lrv
