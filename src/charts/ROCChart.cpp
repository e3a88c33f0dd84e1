#include "charts/ROCChart.h"

#include "charts/ChartsHelper.h"
#include "charts/LegendLine.h"
#include "host/HostConfiguration.h"
#include "support/Error.h"
#include "support/NumberText.h"

#include <cmath>
#include <limits>
#include <optional>

#include <QFontMetricsF>
#include <QLabel>

namespace lrv {

namespace {
    const QSize kLegendSize(130, 102);
    constexpr int kNoticeHeight = 21;

    QPointF rocPoint(const Table<double>& data, int row, double W, double H)
    {
        return QPointF(W * DrawnChart::numberAt(data, row, index(RocColumn::FalsePositiveRate)) * ROCChart::kXFactor,
            (H - H * DrawnChart::numberAt(data, row, index(RocColumn::Sensitivity))) * ROCChart::kYFactor);
    }
}

ROCChart::ROCChart(QWidget* parent)
    : DrawnChart(QStringLiteral("ROCChart"), QStringLiteral("FP Rate (1-Specificity)"), kLegendSize, parent)
{
    QWidget* legend = legendPanel();
    m_baselineSample = new LegendLine(QStringLiteral("lnBaseline"), Qt::DotLine, 1, legend);
    m_baselineSample->setGeometry(4, 4, 26, 14);
    addLegendLabel(QStringLiteral("lblBaseline"), QStringLiteral("Random"), 36, 4);
    m_rocSample = new LegendLine(QStringLiteral("lnROCCurve"), Qt::SolidLine, 1, legend);
    m_rocSample->setGeometry(4, 22, 26, 14);
    addLegendLabel(QStringLiteral("lblROCCurve"), QStringLiteral("ROC Curve"), 36, 22);
    addLegendLabel(
        QStringLiteral("lblGainsLabels"), QStringLiteral("AUC:"), 4, 44, QStringLiteral("Area Under the ROC Curve"));
    m_auc = addLegendLabel(QStringLiteral("lblAUC"), QString(), 36, 44);
    addLegendLabel(QStringLiteral("lblChosenCaption"), QStringLiteral("Chosen (FPR, TPR):"), 4, 64,
        QStringLiteral("The point of the chosen cutoff"));
    m_chosen = addLegendLabel(QStringLiteral("lblChosenPoint"), QString(), 4, 82);

    initialiseColors();
    m_labelsColor = 0;
    SetDiagonalColor(HostConfiguration::color(QStringLiteral("LogisticRegression.ROC.Chart.Diagonal")));
    SetROCColor(HostConfiguration::color(QStringLiteral("LogisticRegression.ROC.Chart.ROC")));
    setVerticalTitle(QStringLiteral("TP Rate (Sensitivity)"));
    Reset();
}

void ROCChart::SetROCColor(OleColor color)
{
    m_rocColor = color;
    m_rocSample->SetBorderColor(color);
}

void ROCChart::SetDiagonalColor(OleColor color)
{
    m_diagonalColor = color;
    m_baselineSample->SetBorderColor(color);
}

void ROCChart::SetDataSource(const Table<double>& data)
{
    m_data = data;
    m_pickable = true;
}

void ROCChart::SetChosenPoint(std::optional<QPointF> point)
{
    m_chosenPoint = point;
    m_chosen->setText(
        point ? QStringLiteral("%1, %2").arg(roundedText(point->x(), 4), roundedText(point->y(), 4)) : QString());
    m_chosen->adjustSize();
    RefreshMarks();
}

void ROCChart::plotPressed(const QPointF& pressed)
{
    if (!m_pickable || picture().invalidData)
        return;
    const double W = picture().plot().width();
    const double H = picture().plot().height();
    std::optional<double> nearest;
    double best = std::numeric_limits<double>::infinity();
    for (int row = m_data.rowLow(); row <= m_data.rowHigh(); ++row) {
        if (!m_data.contains(row, index(RocColumn::Output))
            || !(at(m_data, row, RocColumn::FalsePositiveRate) > kNotApplicable))
            continue;
        QPointF offset;
        try {
            offset = picture().toSurface(rocPoint(m_data, row, W, H)) - pressed;
        } catch (const std::exception&) {
            continue; // a row that draws no point cannot be picked
        }
        const double distance = QPointF::dotProduct(offset, offset);
        if (distance < best) {
            best = distance;
            nearest = at(m_data, row, RocColumn::Output);
        }
    }
    if (nearest)
        emit cutoffPicked(*nearest);
}

void ROCChart::SetAUC(double auc) { m_auc->setText(roundedText(auc, 6)); }

void ROCChart::Reset()
{
    TableBuilder<double> neutral(0, 10, 0, 20, 0.0);
    for (int row = 0; row <= 10; ++row) {
        neutral.set(row, index(RocColumn::Id), row / 10.0);
        neutral.set(row, index(RocColumn::Target), row / 10.0);
    }
    SetDataSource(neutral.build());
    m_pickable = false;
    m_chosenPoint.reset();
    m_chosen->clear();
    Refresh();
}

ChartLayout ROCChart::squareLayout(QSize surface, QSize legendSize)
{
    const int side = std::max(1, surface.height() - kHLegendHeight - 48);
    const int ox = int(std::floor((surface.width() - side - 150) / 2.0));
    ChartLayout layout;
    layout.pic = QRect(kVLegendWidth + ox + 30, 20, side, side);
    layout.hLegend = QRect(layout.pic.left(), layout.pic.top() + side + 30, side, kHLegendHeight);
    layout.vLegend = QRect(ox, layout.pic.top(), kVLegendWidth, side);
    layout.legend = QRect(QPoint(layout.pic.left() + side + 20, 57), legendSize);
    layout.invalidNotice = QRect(layout.pic.left(), side / 2, side, kNoticeHeight);
    return layout;
}

ChartPicture ROCChart::rocPicture(const Table<double>& data, QSize surface, const QFont& font, const RocColors& colors)
{
    ChartPicture picture;
    picture.surface = surface;
    picture.layout = squareLayout(surface, kLegendSize);
    picture.backColor = colors.back;
    picture.labelColor = colors.fore;
    picture.font = font;
    const double W = picture.plot().width();
    const double H = picture.plot().height();
    picture.userScale = QRectF(0, 0, W, H);

    DrawAxes(picture, QFontMetricsF(font), colors.frame);
    for (int i = 0; i <= 10; ++i) {
        picture.yLabels[i].text = tickLabelText(i / 10.0);
        picture.xLabels[i].text = tickLabelText((10 - i) / 10.0);
    }
    picture.xLabels[0].text = tickLabelText(0);
    picture.xLabels[10].text = tickLabelText(1);

    try {
        picture.series.push_back({ QPointF(0, H), QPointF(W, 0), colors.diagonal, 1, Qt::DotLine });
        // The curve begins at the first row with a point; a row at -1 or less starts no segment, but the
        // segment from the row before it still ends there.
        std::optional<int> first;
        for (int row = data.rowLow(); row < data.rowHigh(); ++row) {
            if (!data.contains(row, index(RocColumn::FalsePositiveRate)))
                throw Error(QStringLiteral("The ROC table has no column %1.").arg(index(RocColumn::FalsePositiveRate)));
            // NaN in the marker column carries no point either.
            if (!(at(data, row, RocColumn::FalsePositiveRate) > kNotApplicable))
                continue;
            if (!first)
                first = row;
            picture.series.push_back(
                { rocPoint(data, row, W, H), rocPoint(data, row + 1, W, H), colors.roc, 1, Qt::SolidLine });
        }
        if (!first)
            throw Error(QStringLiteral("The ROC table holds no point."));
        picture.series.push_back({ rocPoint(data, *first, W, H), QPointF(0, H), colors.roc, 1, Qt::SolidLine });
    } catch (const std::exception&) {
        picture.series.clear();
        picture.invalidData = true;
    }
    return picture;
}

ChartPicture ROCChart::computePicture(QSize surface) const
{
    RocColors colors;
    colors.back = BackColor();
    colors.fore = ForeColor();
    colors.frame = FrameColor();
    colors.roc = m_rocColor;
    colors.diagonal = m_diagonalColor;
    return rocPicture(m_data, surface, Font(), colors);
}

void ROCChart::addMarks(ChartPicture& marks) const
{
    if (!m_chosenPoint)
        return;
    const double W = marks.plot().width(), H = marks.plot().height();
    const QPointF at(W * m_chosenPoint->x() * kXFactor, (H - H * m_chosenPoint->y()) * kYFactor);
    marks.points.push_back({ at, chosenCutoffColor(), 9 });
}

} // namespace lrv
