#include "charts/EquationChartFrame.h"

#include "charts/ChartComponent.h"
#include "charts/ChartsHelper.h"
#include "support/Error.h"
#include "support/NumberText.h"
#include "support/XTremeChartsHelper.h"

#include <cmath>

#include <QLabel>
#include <QLineEdit>

namespace lrv {

EquationChartFrame::EquationChartFrame(
    QWidget* parent, const QString& verticalTitle, int pictureLeft, int pictureWidthLoss)
    : ComponentChartFrame(parent, verticalTitle)
    , m_pictureLeft(pictureLeft)
    , m_pictureWidthLoss(pictureWidthLoss)
{
    m_lblEquation = new QLabel(QStringLiteral("y = ax + b"), this);
    m_lblEquation->setObjectName(QStringLiteral("lblEquation"));
    m_lblEquation->hide();
    watchForMenu(m_lblEquation);
}

QString EquationChartFrame::EquationText() const { return m_lblEquation->text(); }

void EquationChartFrame::SetDataSource(const Table<Variant>& data)
{
    m_data = data;
    normalize(normalizedColumn());
}

void EquationChartFrame::normalize(int column)
{
    // Only the row bounds of the normalised copy are used; a column that is not numeric keeps the table.
    double offset = 0;
    if (!bestEffort([&] { ChartsHelper::NormalizeColumn(m_data, m_normalized, offset, column); }))
        m_normalized = m_data;
}

void EquationChartFrame::showEquation(double slope, double intercept, double rSquare)
{
    m_fitDefined = slope != kUndefinedFit && intercept != kUndefinedFit;
    const QString text = ChartsHelper::GetEquationText(slope, intercept, rSquare);
    m_lblEquation->setText(text);
    m_chart->setTitle(text);
}

void EquationChartFrame::Refresh()
{
    try {
        refreshChart();
    } catch (const std::exception&) {
        drawingFailed();
    }
}

void EquationChartFrame::refreshChart()
{
    // Both tables a fit is drawn from keep the boundaries in the same columns.
    static_assert(index(DecileColumn::UpperBoundary) == index(LogOddsColumn::UpperBoundary)
        && index(DecileColumn::LowerBoundary) == index(LogOddsColumn::LowerBoundary));
    const int xColumn = index(m_lowerBoundary ? DecileColumn::LowerBoundary : DecileColumn::UpperBoundary);
    if (m_data.isEmpty())
        return;
    try {
        const int first = m_data.rowLow();
        const int last = m_data.rowHigh();
        const Variant marker = at(m_data, first, DecileColumn::Bucket);
        if (marker.isNumeric() && marker.toDouble() == ChartsHelper::kNoChartData)
            return;
        double min = m_data.at(first, xColumn).toDouble();
        double max = min;
        for (int row = first + 1; row <= last; ++row) {
            const double x = m_data.at(row, xColumn).toDouble();
            min = std::min(min, x);
            max = std::max(max, x);
        }
        const double difference = ChartsHelper::RelativeDifference(min, max);
        if (!(difference >= 1e-8)) {
            // The notice covers the plot; what the chart showed before stays beneath it.
            showInvalidData(true);
            return;
        }
        showInvalidData(false);

        QList<QPointF> points;
        QStringList hints;
        for (int row = first; row <= last; ++row) {
            const double x = m_data.at(row, xColumn).toDouble();
            const double y = m_data.at(row, valueColumn()).toDouble();
            points.append(QPointF(x, y));
            hints.append(QStringLiteral("Point %1 (%2, %3)")
                             .arg(row - first + 1)
                             .arg(defaultNumberText(x), defaultNumberText(y)));
        }
        m_chart->setPoints(0, points, hints);

        // An undefined fit still has its line drawn from the markers; it leaves the axes to the buckets.
        const double x1 = points.first().x();
        const double x2 = points.last().x();
        m_chart->setSeriesSetsRange(1, m_fitDefined);
        m_chart->setPoints(1, { QPointF(x1, lineValue(first, x1)), QPointF(x2, lineValue(last, x2)) });

        if (m_chart->pointCount(0) > 0)
            ChartsHelper::SetAxisLabelFormat(*m_chart, Qt::Horizontal, x1, x2);
    } catch (const std::exception&) {
        drawingFailed();
    }
}

void EquationChartFrame::Reset()
{
    TableBuilder<Variant> placeholder(0, 10, 0, 20);
    for (int row = 0; row <= 10; ++row) {
        placeholder.set(row, index(DecileColumn::Bucket), ChartsHelper::kNoChartData);
        for (int column = index(DecileColumn::UpperBoundary); column <= index(DecileColumn::Negatives); ++column)
            placeholder.set(row, column, row + 10);
    }
    SetDataSource(placeholder.build());
    Refresh();
}

void EquationChartFrame::layoutChildren()
{
    const int w = ScaleWidth();
    const int h = ScaleHeight();
    m_chart->setGeometry(0, 0, w, h);
    m_pic->setGeometry(m_pictureLeft, 38, w - m_pictureWidthLoss, h - m_lblHLegend->height() - 70);
    m_lblHLegend->setGeometry(m_pic->x(), h - m_lblHLegend->height(), m_pic->width(), m_lblHLegend->height());
    m_lblEquation->setGeometry(m_pic->x(), m_lblEquation->y(), m_pic->width(), m_lblEquation->height());
    m_vlLegend->setGeometry(10, m_pic->y(), 22, m_pic->height());
    m_txtInvalidData->setGeometry(m_pic->x(), m_pic->height() / 2, m_pic->width(), m_txtInvalidData->height());
}

void EquationChartFrame::loadEquationStyles(
    const QString& verticalTitle, const QString& pointsName, const QString& lineName, const QString& contentFile)
{
    ChartContentStyle content;
    content.axisX.title = QStringLiteral("Model Output");
    content.axisX.padding = 0.05;
    content.axisY.title = verticalTitle;
    content.axisY.padding = 0.08;
    content.series = { { pointsName, ChartSeriesKind::Scatter, 1, ChartMarkerShape::Circle, 10, true, true },
        { lineName, ChartSeriesKind::Line, 2, ChartMarkerShape::None, 6, true, true } };
    ChartPaletteStyle palette;
    palette.seriesColors = { QColor(0x1F, 0x77, 0xB4), QColor(0xD6, 0x27, 0x28) };
    loadStyles(content, palette, contentFile, QStringLiteral("ScatterPlotChartPalette.xml"));
}

} // namespace lrv
