#include "charts/LiftChart.h"

#include "charts/LegendLine.h"
#include "host/HostConfiguration.h"
#include "support/Error.h"
#include "support/NumberText.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QLabel>

namespace lrv {

namespace {
    const QSize kLegendSize(110, 114);
    constexpr int kNoticeHeight = 21;
    constexpr int kPopulationColumn = index(LiftColumn::CumulativePopulationPercent);
    constexpr int kRandomColumn = index(LiftColumn::RandomLift);
    constexpr int kIdealColumn = index(LiftColumn::IdealLift);
    constexpr int kLiftColumn = index(LiftColumn::Lift);
    constexpr int kCumLiftColumn = index(LiftColumn::CumulativeLift);

    void checkIndex(int index)
    {
        if (index < 1 || index > 4)
            throw Error(QStringLiteral("Colour index %1 is out of range; use 1 to 4.").arg(index));
    }

    bool isNoDataTable(const Table<Variant>& data)
    {
        if (data.rowCount() == 0 || !data.contains(data.rowLow(), kPopulationColumn))
            return false;
        const Variant first = data.at(data.rowLow(), kPopulationColumn);
        return first.isNumeric() && first.toDouble() == ChartsHelper::kNoChartData;
    }
}

LiftChart::LiftChart(QWidget* parent)
    : DrawnChart(QStringLiteral("LiftChart"), QStringLiteral("% Overall Population"), kLegendSize, parent)
{
    QWidget* legend = legendPanel();
    const struct {
        const char* name;
        const char* text;
        Qt::PenStyle style;
    } samples[] = { { "lblBaseline", "Random", Qt::DotLine }, { "Label1", "Ideal", Qt::DotLine },
        { "lblLift", "Lift Curve", Qt::SolidLine }, { "lblCumLift", "Cum. Lift", Qt::SolidLine } };
    for (int index = 1; index <= 4; ++index) {
        const int y = 4 + 18 * (index - 1);
        m_samples[index]
            = new LegendLine(QStringLiteral("lnLiftLines(%1)").arg(index), samples[index - 1].style, 1, legend);
        m_samples[index]->setGeometry(4, y, 26, 14);
        addLegendLabel(
            QString::fromLatin1(samples[index - 1].name), QString::fromLatin1(samples[index - 1].text), 36, y);
    }
    addLegendLabel(
        QStringLiteral("lblLiftCaptions(0)"), QStringLiteral("ABC:"), 4, 78, QStringLiteral("Area Between Curves"));
    m_abc = addLegendLabel(QStringLiteral("lblABC"), QString(), 36, 78);
    addLegendLabel(
        QStringLiteral("lblLiftCaptions(1)"), QStringLiteral("LRQ:"), 4, 96, QStringLiteral("Lift Ranking Quality"));
    m_lrq = addLegendLabel(QStringLiteral("lblLRQ"), QString(), 36, 96);

    initialiseColors();
    m_diagonalColor = rgb(0, 0, 255);
    SetColor(1, HostConfiguration::color(QStringLiteral("LogisticRegression.Lift.Chart.Random")));
    SetColor(2, HostConfiguration::color(QStringLiteral("LogisticRegression.Lift.Chart.Ideal")));
    SetColor(3, HostConfiguration::color(QStringLiteral("LogisticRegression.Lift.Chart.Lift")));
    SetColor(4, HostConfiguration::color(QStringLiteral("LogisticRegression.Lift.Chart.CumLift")));
    setVerticalTitle(QStringLiteral("Lift Factor"));
    Reset();
}

void LiftChart::SetColor(int index, uint color)
{
    checkIndex(index);
    m_colors.series[index] = color;
    m_samples[index]->SetBorderColor(color);
}

OleColor LiftChart::Color(int index) const
{
    checkIndex(index);
    return m_colors.series[index];
}

void LiftChart::SetDataSource(const Table<Variant>& data)
{
    m_data = data;
    try {
        m_range = dataRange(data);
    } catch (const std::exception&) {
        // Refresh meets the same failure and shows the notice.
        m_range = ChartsHelper::ColumnRange();
    }
}

void LiftChart::SetStats(double area, double rankingQuality)
{
    m_abc->setText(roundedText(area, 6));
    m_lrq->setText(roundedText(rankingQuality, 6));
}

void LiftChart::Reset()
{
    TableBuilder<Variant> neutral(0, 10, 0, index(LiftColumn::Last));
    for (int row = 0; row <= 10; ++row) {
        neutral.set(row, kPopulationColumn, ChartsHelper::kNoChartData);
        for (int column = kRandomColumn; column <= kCumLiftColumn; ++column)
            neutral.set(row, column, row + 10);
    }
    SetDataSource(neutral.build());
    m_chosenShare.reset();
    Refresh();
}

ChartsHelper::ColumnRange LiftChart::dataRange(const Table<Variant>& data)
{
    if (data.rowCount() == 0)
        throw Error(QStringLiteral("The lift table has no rows."));
    constexpr double kLargest = 3.402823e38;
    ChartsHelper::ColumnRange range { kLargest, -kLargest, kLargest, -kLargest };
    for (int row = data.rowLow(); row <= data.rowHigh(); ++row) {
        const double x = numberAt(data, row, kPopulationColumn);
        range.MinX = std::min(range.MinX, x);
        range.MaxX = std::max(range.MaxX, x);
        for (int column : { kRandomColumn, kLiftColumn, kCumLiftColumn })
            range.MaxY = std::max(range.MaxY, numberAt(data, row, column));
    }
    range.MaxY = std::max(range.MaxY, numberAt(data, data.rowLow(), kIdealColumn));
    range.MaxY *= 1.1;
    range.MinY = 0;
    return range;
}

ChartLayout LiftChart::liftLayout(QSize surface, QSize legendSize)
{
    ChartLayout layout;
    layout.legend = QRect(QPoint(surface.width() - legendSize.width(), 57), legendSize);
    layout.pic = QRect(75, 30, std::max(1, surface.width() - legendSize.width() - 90),
        std::max(1, surface.height() - kHLegendHeight - 70));
    layout.hLegend = QRect(layout.pic.left(), surface.height() - kHLegendHeight, layout.pic.width(), kHLegendHeight);
    layout.vLegend = QRect(10, layout.pic.top(), kVLegendWidth, layout.pic.height());
    layout.invalidNotice = QRect(layout.pic.left(), layout.pic.height() / 2, layout.pic.width(), kNoticeHeight);
    return layout;
}

ChartPicture LiftChart::liftPicture(
    const Table<Variant>& data, QSize surface, const QFont& font, const LiftColors& colors)
{
    ChartPicture picture;
    picture.surface = surface;
    picture.layout = liftLayout(surface, kLegendSize);
    picture.backColor = colors.back;
    picture.labelColor = colors.fore;
    picture.font = font;
    picture.xLabels.resize(11);
    picture.yLabels.resize(11);

    // Plot scale and labels.
    const bool noData = isNoDataTable(data);
    try {
        ChartsHelper::ColumnRange range = noData ? ChartsHelper::ColumnRange { 0, 100, 0, 10 } : dataRange(data);
        if (!std::isfinite(range.MaxY) || range.MaxY <= 0)
            throw Error(QStringLiteral("The lift table has no positive lift to scale the axis."));
        // y = 0 lies just above the bottom edge.
        picture.userScale = QRectF(0, range.MaxY, 100, -(range.MaxY + 0.003 * range.MaxY));
        if (!noData) {
            for (int k = 0; k <= 10; ++k)
                picture.xLabels[10 - k].text = QString::number(std::round(range.MaxX / 10 * k), 'f', 0);
            picture.yLabels[0].text = tickLabelText(range.MinY);
            picture.yLabels[10].text = tickLabelText(range.MaxY);
        }
    } catch (const std::exception&) {
        picture.userScale = QRectF(0, 100, 100, -100);
        for (auto* labels : { &picture.xLabels, &picture.yLabels })
            for (TickLabel& label : *labels)
                label.text.clear();
        picture.invalidData = true;
    }

    const QFontMetricsF metrics(font);
    DrawAxes(picture, metrics, colors.frame);
    // The end labels of the horizontal axis trade places: lblX(0) carries the largest value.
    const QRect plot = picture.plot();
    const double tw = metrics.horizontalAdvance(QStringLiteral("0.0"));
    picture.xLabels[0].topLeft.setX(plot.left() + plot.width() - tw / 1.5);
    picture.xLabels[10].topLeft.setX(plot.left() - tw / 1.5);
    if (picture.invalidData || noData)
        return picture;

    const auto& c = colors.series;
    try {
        const int last = data.rowHigh();
        const double ideal = numberAt(data, data.rowLow(), kIdealColumn);
        for (int row = data.rowLow(); row < last; ++row) {
            const double x = numberAt(data, row, kPopulationColumn);
            const double nextX = numberAt(data, row + 1, kPopulationColumn);
            const double lift = numberAt(data, row, kLiftColumn);
            const double cumLift = numberAt(data, row, kCumLiftColumn);
            if (lift > -1) {
                picture.series.push_back(
                    { QPointF(x, lift), QPointF(nextX, numberAt(data, row + 1, kLiftColumn)), c[3], 1, Qt::SolidLine });
                picture.series.push_back({ QPointF(x, cumLift), QPointF(nextX, numberAt(data, row + 1, kCumLiftColumn)),
                    c[4], 1, Qt::SolidLine });
            }
            picture.points.push_back({ QPointF(x, lift), c[3], 4 });
            picture.points.push_back({ QPointF(x, cumLift), c[4], 4 });
            picture.series.push_back({ QPointF(x, numberAt(data, row, kRandomColumn)),
                QPointF(nextX, numberAt(data, row + 1, kRandomColumn)), c[1], 1, Qt::DotLine });
            picture.series.push_back({ QPointF(x, ideal), QPointF(nextX, ideal), c[2], 1, Qt::DotLine });
        }
        const double x = numberAt(data, last, kPopulationColumn);
        picture.points.push_back({ QPointF(x, numberAt(data, last, kLiftColumn)), c[3], 4 });
        picture.points.push_back({ QPointF(x, numberAt(data, last, kCumLiftColumn)), c[4], 4 });
    } catch (const std::exception&) {
        picture.series.clear();
        picture.points.clear();
        picture.invalidData = true;
    }
    return picture;
}

ChartPicture LiftChart::computePicture(QSize surface) const
{
    LiftColors colors = m_colors;
    colors.back = BackColor();
    colors.fore = ForeColor();
    colors.frame = FrameColor();
    return liftPicture(m_data, surface, Font(), colors);
}

void LiftChart::addMarks(ChartPicture& marks) const { addChosenShareMarker(marks, m_chosenShare); }

void LiftChart::SetChosenShare(std::optional<double> share)
{
    m_chosenShare = share;
    RefreshMarks();
}

} // namespace lrv
