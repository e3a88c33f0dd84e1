#include "charts/GainsChart.h"

#include "charts/ChartsHelper.h"
#include "charts/LegendLine.h"
#include "charts/ROCChart.h"
#include "host/HostConfiguration.h"
#include "support/Error.h"
#include "support/NumberText.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QLabel>

namespace lrv {

namespace {
    const QSize kLegendSize(110, 100);

    QPointF gainsPoint(const Table<Variant>& data, int row)
    {
        return QPointF(DrawnChart::numberAt(data, row, index(GainsColumn::CumulativePopulationPercent)),
            DrawnChart::numberAt(data, row, index(GainsColumn::CumulativePositivePercent)));
    }

    bool hasPoint(const Table<Variant>& data, int row)
    {
        return DrawnChart::numberAt(data, row, index(GainsColumn::Bucket)) > kNotApplicable;
    }
}

GainsChart::GainsChart(QWidget* parent)
    : DrawnChart(QStringLiteral("GainsChart"), QStringLiteral("% Overall Population"), kLegendSize, parent)
{
    QWidget* legend = legendPanel();
    m_gainsSample = new LegendLine(QStringLiteral("lnGains"), Qt::SolidLine, 1, legend);
    m_gainsSample->setGeometry(4, 4, 26, 14);
    addLegendLabel(QStringLiteral("lblLift"), QStringLiteral("Lift Curve"), 36, 4);
    m_baselineSample = new LegendLine(QStringLiteral("lnBaseline"), Qt::DotLine, 1, legend);
    m_baselineSample->setGeometry(4, 22, 26, 14);
    addLegendLabel(QStringLiteral("lblBaseline"), QStringLiteral("Random"), 36, 22);
    m_optimumSample = new LegendLine(QStringLiteral("lnOptimum"), Qt::SolidLine, 1, legend);
    m_optimumSample->setGeometry(4, 40, 26, 14);
    addLegendLabel(QStringLiteral("lblOptimum"), QStringLiteral("Ideal"), 36, 40);
    addLegendLabel(
        QStringLiteral("lblGainsLabels(0)"), QStringLiteral("GRQ:"), 4, 62, QStringLiteral("Gains Ranking Quality"));
    m_rankingQuality = addLegendLabel(QStringLiteral("lblRankingQuality"), QString(), 36, 62);
    addLegendLabel(QStringLiteral("lblGainsLabels(1)"), QStringLiteral("AUC:"), 4, 80,
        QStringLiteral("Area Under the Lift Curve"));
    m_area = addLegendLabel(QStringLiteral("lblGainsAUC"), QString(), 36, 80);

    initialiseColors();
    m_labelsColor = 0;
    SetDiagonalColor(HostConfiguration::color(QStringLiteral("LogisticRegression.Gains.Chart.Diagonal")));
    SetLiftColor(HostConfiguration::color(QStringLiteral("LogisticRegression.Gains.Chart.Lift")));
    SetOptimumColor(HostConfiguration::color(QStringLiteral("LogisticRegression.Gains.Chart.Optimum")));
    setVerticalTitle(QStringLiteral("% Positive Cases"));
    Reset();
}

void GainsChart::SetOptimumColor(OleColor color)
{
    m_optimumColor = color;
    m_optimumSample->SetBorderColor(color);
}

void GainsChart::SetLiftColor(OleColor color)
{
    m_liftColor = color;
    m_gainsSample->SetBorderColor(color);
}

void GainsChart::SetDiagonalColor(OleColor color)
{
    m_diagonalColor = color;
    m_baselineSample->SetBorderColor(color);
}

void GainsChart::SetDataSource(const Table<Variant>& data) { m_data = data; }

void GainsChart::SetStats(double area, double rankingQuality)
{
    m_area->setText(roundedText(area, 6));
    m_rankingQuality->setText(roundedText(rankingQuality, 6));
}

void GainsChart::Reset()
{
    TableBuilder<Variant> neutral(0, 10, 0, 20);
    for (int row = 0; row <= 10; ++row) {
        neutral.set(row, index(GainsColumn::Bucket), row / 10.0);
        neutral.set(row, index(GainsColumn::UpperBoundary), row / 10.0);
    }
    SetDataSource(neutral.build());
    m_chosenShare.reset();
    Refresh();
}

ChartPicture GainsChart::gainsPicture(
    const Table<Variant>& data, QSize surface, const QFont& font, const GainsColors& colors)
{
    ChartPicture picture;
    picture.surface = surface;
    picture.layout = ROCChart::squareLayout(surface, kLegendSize);
    picture.backColor = colors.back;
    picture.labelColor = colors.fore;
    picture.font = font;
    // Percentages are drawn directly: y = 100 at the top edge, -0.5 at the bottom edge.
    picture.userScale = QRectF(0, 100, 100, -100.5);

    const QFontMetricsF metrics(font);
    DrawAxes(picture, metrics, colors.frame);
    for (int i = 0; i <= 9; ++i)
        picture.yLabels[i].text = QString::number(10 * i);
    picture.yLabels[10].text = QStringLiteral("100");
    for (int i = 1; i <= 9; ++i)
        picture.xLabels[i].text = QString::number(10 - i) + QLatin1Char('0');
    picture.xLabels[10].text = QStringLiteral("100");
    picture.xLabels[0].text = QStringLiteral("0");
    // Whole-number labels stand closer to the axis than the decimal ones of the common frame; the widths are
    // those of the label controls, whose margins keep the two-digit labels clear of the ticks.
    const double L = picture.plot().left();
    const double w0 = metrics.horizontalAdvance(picture.yLabels[0].text) + kLabelMargins;
    const double w10 = metrics.horizontalAdvance(picture.yLabels[10].text) + kLabelMargins;
    picture.yLabels[0].topLeft.setX(L - 2 * w0 - 6);
    for (int i = 1; i <= 9; ++i)
        picture.yLabels[i].topLeft.setX(L - 2 * w0);
    picture.yLabels[10].topLeft.setX(L - w10 - 11);

    try {
        picture.series.push_back({ QPointF(0, 0), QPointF(100, 100), colors.diagonal, 1, Qt::DotLine });
        const int last = data.rowHigh();
        for (int row = data.rowLow(); row < last; ++row) {
            if (!hasPoint(data, row))
                continue;
            const QPointF from = gainsPoint(data, row);
            picture.series.push_back({ from, gainsPoint(data, row + 1), colors.lift, 1, Qt::SolidLine });
            picture.points.push_back({ from, colors.lift, 4 });
        }
        // The origin alone (every record a calculation error) is no curve.
        if (data.rowCount() < 2)
            throw Error(QStringLiteral("The gains table has no quantiles."));
        if (hasPoint(data, last))
            picture.points.push_back({ gainsPoint(data, last), colors.lift, 4 });

        // The ideal model captures every positive first: slope 100 / P up to 100 %, then flat.
        const double P = 100 * numberAt(data, last, index(GainsColumn::CumulativeRate));
        if (P != 0) {
            for (int k = 0; k < 100; ++k) {
                const double y1 = std::min(k * 100 / P, 100.0);
                const double y2 = std::min((k + 1) * 100 / P, 100.0);
                picture.series.push_back({ QPointF(k, y1), QPointF(k + 1, y2), colors.optimum, 1, Qt::SolidLine });
            }
        }
    } catch (const std::exception&) {
        picture.series.clear();
        picture.points.clear();
        picture.invalidData = true;
    }
    return picture;
}

ChartPicture GainsChart::computePicture(QSize surface) const
{
    GainsColors colors;
    colors.back = BackColor();
    colors.fore = ForeColor();
    colors.frame = FrameColor();
    colors.lift = m_liftColor;
    colors.diagonal = m_diagonalColor;
    colors.optimum = m_optimumColor;
    return gainsPicture(m_data, surface, Font(), colors);
}

void GainsChart::addMarks(ChartPicture& marks) const { addChosenShareMarker(marks, m_chosenShare); }

void GainsChart::SetChosenShare(std::optional<double> share)
{
    m_chosenShare = share;
    RefreshMarks();
}

} // namespace lrv
