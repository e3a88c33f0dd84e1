#include "charts/CutoffChart.h"

#include "charts/ChartComponent.h"
#include "host/HostConfiguration.h"
#include "support/Error.h"

#include <cmath>
#include <limits>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace lrv {

namespace {
    const QString kCaptions[] = { QStringLiteral("Sens (TPR)"), QStringLiteral("Spec (TNR)"),
        QStringLiteral("FPR (1-Spec)"), QStringLiteral("FNR") };

    ChartContentStyle builtInContent()
    {
        ChartContentStyle content;
        content.axisX.title = QStringLiteral("Model Output");
        content.axisX.labelsVisible = false;
        content.axisY.title = QStringLiteral("Rate");
        content.axisY.minimum = 0;
        content.axisY.maximum = 1;
        content.axisY.tickInterval = 0.2;
        for (const QString& caption : kCaptions)
            content.series.push_back({ caption, ChartSeriesKind::Line, 2, ChartMarkerShape::None, 6, true, true });
        content.constantLines = { { QStringLiteral("Optimum cutoff (OCP)"), 2, Qt::DashLine },
            { QStringLiteral("Logistic cutoff (LCP)"), 2, Qt::DashDotLine },
            { QStringLiteral("Chosen cutoff"), 2, Qt::SolidLine } };
        return content;
    }

    ChartPaletteStyle builtInPalette()
    {
        ChartPaletteStyle palette;
        palette.seriesColors = { QColor(0x1F, 0x77, 0xB4), QColor(0x2C, 0xA0, 0x2C), QColor(0xFF, 0x7F, 0x0E),
            QColor(0xD6, 0x27, 0x28) };
        palette.constantLineColors = { QColor(0x6A, 0x3D, 0x9A), QColor(0x55, 0x55, 0x55), QColor(0xBE, 0x00, 0xBE) };
        return palette;
    }

}

CutoffChart::CutoffChart(QWidget* parent)
    : ComponentChartFrame(parent, QStringLiteral("Rate"))
{
    m_picLegend = new QWidget(this);
    m_picLegend->setObjectName(QStringLiteral("picLegend"));
    m_picLegend->resize(110, 90);
    m_picLegend->hide();
    for (int i = 0; i < 4; ++i) {
        auto* line = new QFrame(m_picLegend);
        line->setObjectName(QStringLiteral("lnLegend(%1)").arg(i + 1));
        line->setGeometry(4, 10 + 20 * i, 24, 2);
        line->setAutoFillBackground(true);
        m_lnLegend[std::size_t(i)] = line;
        auto* caption = new QLabel(kCaptions[i], m_picLegend);
        caption->setObjectName(QStringLiteral("lblLegend(%1)").arg(i + 1));
        caption->move(32, 3 + 20 * i);
    }

    ChartsHelper::ApplyChartColors(this);
    SetFrameColor(ForeColor());
    m_ocpColor = HostConfiguration::color(QStringLiteral("LogisticRegression.Cutoff.Chart.OCP"));
    m_lcpColor = HostConfiguration::color(QStringLiteral("LogisticRegression.Cutoff.Chart.LCP"));
    SetColor(4, HostConfiguration::color(QStringLiteral("LogisticRegression.Cutoff.Chart.FNR")));
    SetColor(3, HostConfiguration::color(QStringLiteral("LogisticRegression.Cutoff.Chart.FPR")));
    SetColor(2, HostConfiguration::color(QStringLiteral("LogisticRegression.Cutoff.Chart.TNR")));
    SetColor(1, HostConfiguration::color(QStringLiteral("LogisticRegression.Cutoff.Chart.TPR")));
    m_showLCP = true;
    m_lblX->clear();
    m_lblY->clear();
    loadStyles(builtInContent(), builtInPalette(), QStringLiteral("LRCutoffPoints.xml"),
        QStringLiteral("LRCutoffPointsPalette.xml"));
    const QString prefix = QStringLiteral("LogisticRegression.Cutoff.Chart.");
    useConfiguredColors({ prefix + QStringLiteral("TPR"), prefix + QStringLiteral("TNR"),
                            prefix + QStringLiteral("FPR"), prefix + QStringLiteral("FNR") },
        { prefix + QStringLiteral("OCP"), prefix + QStringLiteral("LCP"),
            QStringLiteral("LogisticRegression.Chart.ChosenCutoff") });
    m_chart->setDraggableConstantLine(2);
    connect(
        m_chart, &ChartComponent::constantLineDragged, this, [this](int, double value) { emit cutoffDragged(value); });
    Reset();
}

void CutoffChart::SetColor(int index, OleColor color)
{
    if (index < 1 || index > 4)
        throw Error(QStringLiteral("The cutoff chart has series colours 1 to 4; %1 is none of them.").arg(index));
    m_colors[std::size_t(index - 1)] = color;
    QFrame* line = m_lnLegend[std::size_t(index - 1)];
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    line->setPalette(palette);
}

OleColor CutoffChart::Color(int index) const { return index >= 1 && index <= 4 ? m_colors[std::size_t(index - 1)] : 0; }

void CutoffChart::SetBackColor(OleColor color)
{
    ComponentChartFrame::SetBackColor(color);
    QPalette palette = m_picLegend->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    m_picLegend->setPalette(palette);
    m_picLegend->setAutoFillBackground(true);
}

void CutoffChart::SetDataSource(const Table<double>& data) { m_data = data; }

void CutoffChart::SetLogisticCutoffPoint(double value)
{
    m_logisticCutoffPoint = value;
    Refresh();
}

void CutoffChart::Refresh()
{
    try {
        refreshChart();
    } catch (const std::exception&) {
        drawingFailed();
    }
}

void CutoffChart::refreshChart()
{
    ChartsHelper::ColumnRange range;
    const bool invalid = !ChartsHelper::GetColumnRange(m_data, 0, 0, range);
    for (int series = 0; series < 4; ++series)
        m_chart->removeAllPoints(series);
    showInvalidData(invalid);
    if (invalid) {
        m_chart->setConstantLineVisible(2, false);
        return;
    }

    // The last row closes the table and is not plotted.
    const int lastPlotted = m_data.rowHigh() - 1;
    double min = std::numeric_limits<double>::max();
    double max = -std::numeric_limits<double>::max();
    for (int row = m_data.rowLow(); row <= lastPlotted; ++row) {
        min = std::min(min, at(m_data, row, CutoffColumn::Output));
        max = std::max(max, at(m_data, row, CutoffColumn::Output));
    }
    if (ChartsHelper::RelativeDifference(min, max) < 1e-8 || min == max || !std::isfinite(min) || !std::isfinite(max)) {
        showInvalidData(true);
        return;
    }
    showInvalidData(false);
    try {
        const double step = min != 0 ? std::abs(min) * 1e-14 : 1e-14;
        // One series a rate, in the order of the table's columns.
        constexpr int firstRate = index(CutoffColumn::TruePositiveRate);
        for (int column = firstRate; column <= index(CutoffColumn::FalseNegativeRate); ++column) {
            QList<QPointF> points;
            points.reserve(lastPlotted - m_data.rowLow() + 1);
            int duplicates = 0;
            for (int row = m_data.rowLow(); row <= lastPlotted; ++row) {
                const double x = at(m_data, row, CutoffColumn::Output);
                const double previous = row == m_data.rowLow() ? x : at(m_data, row - 1, CutoffColumn::Output);
                double shifted = x;
                // Equal cutoffs step back by e each, so that every row keeps a point of its own.
                if (x != previous) {
                    duplicates = 1;
                } else {
                    shifted = x - duplicates * step;
                    ++duplicates;
                }
                const double y = m_data.at(row, column);
                if (std::isfinite(shifted) && std::isfinite(y))
                    points.append(QPointF(shifted, y));
            }
            m_chart->setPoints(column - firstRate, points);
        }
        m_chart->setConstantLineVisible(0, m_showOCP);
        if (m_showOCP)
            m_chart->setConstantLineValue(0, m_optimumModelValue);
        const bool lcp = m_showLCP && m_logisticCutoffPoint != kNoCutoffPoint;
        m_chart->setConstantLineVisible(1, lcp);
        if (lcp)
            m_chart->setConstantLineValue(1, m_logisticCutoffPoint);
        showChosenCutoff();
        if (m_chart->pointCount(0) > 0) {
            ChartsHelper::SetAxisLabelFormat(
                *m_chart, Qt::Horizontal, m_chart->point(0, 0).x(), m_chart->point(0, m_chart->pointCount(0) - 1).x());
            m_chart->setAxisLabelsVisible(Qt::Horizontal, true);
        }
    } catch (const std::exception&) {
        drawingFailed();
    }
}

void CutoffChart::SetChosenCutoff(std::optional<double> cutoff)
{
    m_chosenCutoff = cutoff;
    try {
        showChosenCutoff();
    } catch (const std::exception&) {
        drawingFailed();
    }
}

void CutoffChart::showChosenCutoff()
{
    const bool shown = m_chosenCutoff && m_chart->pointCount(0) > 0 && !invalidDataShown();
    m_chart->setConstantLineVisible(2, shown);
    if (shown)
        m_chart->setConstantLineValue(2, *m_chosenCutoff);
}

void CutoffChart::Reset()
{
    clearSeries();
    try {
        m_chosenCutoff.reset();
        m_chart->setConstantLineVisible(2, false);
    } catch (const std::exception&) {
        drawingFailed();
    }
}

void CutoffChart::layoutChildren()
{
    const int sw = ScaleWidth();
    const int sh = ScaleHeight();
    m_chart->setGeometry(0, 9, sw, sh - 9);
    m_picLegend->move(sw - m_picLegend->width(), sh / 3 - 30);
    m_pic->setGeometry(50, 30, sw - 70 - m_picLegend->width(), sh - m_lblHLegend->height() - 50);
    m_lblHLegend->setGeometry(m_pic->x(), sh - m_lblHLegend->height(), m_pic->width(), m_lblHLegend->height());
    m_txtInvalidData->setGeometry(m_pic->x(), m_pic->height() / 2, m_pic->width(), m_txtInvalidData->height());
}

} // namespace lrv
