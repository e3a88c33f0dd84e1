#include "charts/CalibrationChart.h"

#include "charts/ChartsHelper.h"
#include "charts/LegendLine.h"
#include "charts/ROCChart.h"
#include "host/HostConfiguration.h"
#include "host/UncertaintyFigures.h"
#include "support/Error.h"
#include "support/NumberText.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>

namespace lrv {

namespace {
    const QSize kLegendSize(130, 58);
    constexpr int kPointWidth = 5;
    constexpr double kCapWidth = 6;

    struct Bucket {
        double probability, rate, low, high;
    };
}

CalibrationChart::CalibrationChart(QWidget* parent)
    : DrawnChart(QStringLiteral("CalibrationChart"), QStringLiteral("Mean Predicted Probability"), kLegendSize, parent)
{
    QWidget* legend = legendPanel();
    m_diagonalSample = new LegendLine(QStringLiteral("lnDiagonal"), Qt::DotLine, 1, legend);
    m_diagonalSample->setGeometry(4, 4, 26, 14);
    addLegendLabel(QStringLiteral("lblDiagonal"), QStringLiteral("Perfect"), 36, 4);
    m_bucketsSample = new LegendLine(QStringLiteral("lnBuckets"), Qt::SolidLine, 1, legend);
    m_bucketsSample->setGeometry(4, 22, 26, 14);
    addLegendLabel(QStringLiteral("lblBuckets"), QStringLiteral("Buckets"), 36, 22);
    addLegendLabel(QStringLiteral("lblInterval"), QStringLiteral("Bars: 95 % interval"), 4, 40,
        QStringLiteral("Wilson score interval of the bucket's observed positive rate"));

    initialiseColors();
    SetDiagonalColor(HostConfiguration::color(QStringLiteral("LogisticRegression.Calibration.Chart.Diagonal")));
    SetBucketsColor(HostConfiguration::color(QStringLiteral("LogisticRegression.Calibration.Chart.Buckets")));
    setVerticalTitle(QStringLiteral("Observed Positive Rate"));
    Reset();
}

void CalibrationChart::SetBucketsColor(OleColor color)
{
    m_bucketsColor = color;
    m_bucketsSample->SetBorderColor(color);
}

void CalibrationChart::SetDiagonalColor(OleColor color)
{
    m_diagonalColor = color;
    m_diagonalSample->SetBorderColor(color);
}

void CalibrationChart::SetDataSource(const Table<double>& data) { m_data = data; }

void CalibrationChart::Reset()
{
    SetDataSource({});
    Refresh();
}

ChartPicture CalibrationChart::calibrationPicture(
    const Table<double>& data, QSize surface, const QFont& font, const CalibrationColors& colors)
{
    ChartPicture picture;
    picture.surface = surface;
    picture.layout = ROCChart::squareLayout(surface, kLegendSize);
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
    picture.series.push_back({ QPointF(0, H), QPointF(W, 0), colors.diagonal, 1, Qt::DotLine });

    const auto at = [&](double probability, double rate) {
        return QPointF(W * std::clamp(probability, 0.0, 1.0), H - H * std::clamp(rate, 0.0, 1.0));
    };
    try {
        std::vector<Bucket> buckets;
        for (int row = data.rowLow(); row <= data.rowHigh(); ++row)
            buckets.push_back({ numberAt(data, row, index(CalibrationColumn::MeanProbability)),
                numberAt(data, row, index(CalibrationColumn::ObservedRate)),
                data.at(row, index(CalibrationColumn::WilsonLow)),
                data.at(row, index(CalibrationColumn::WilsonHigh)) });
        if (buckets.empty())
            throw Error(QStringLiteral("The calibration table holds no bucket."));
        std::sort(buckets.begin(), buckets.end(),
            [](const Bucket& a, const Bucket& b) { return a.probability < b.probability; });
        for (std::size_t i = 0; i + 1 < buckets.size(); ++i)
            picture.series.push_back({ at(buckets[i].probability, buckets[i].rate),
                at(buckets[i + 1].probability, buckets[i + 1].rate), colors.buckets, 1, Qt::SolidLine });
        for (const Bucket& bucket : buckets) {
            picture.points.push_back({ at(bucket.probability, bucket.rate), colors.buckets, kPointWidth });
            // An interval that cannot be estimated has no bar.
            if (!std::isfinite(bucket.low) || !std::isfinite(bucket.high))
                continue;
            const QPointF low = at(bucket.probability, bucket.low), high = at(bucket.probability, bucket.high);
            picture.series.push_back({ low, high, colors.frame, 1, Qt::SolidLine });
            for (const QPointF& end : { low, high })
                picture.series.push_back({ end - QPointF(kCapWidth / 2, 0), end + QPointF(kCapWidth / 2, 0),
                    colors.frame, 1, Qt::SolidLine });
        }
    } catch (const std::exception&) {
        picture.series.resize(1);
        picture.points.clear();
        picture.invalidData = true;
        picture.notice = QStringLiteral("No calibration figures");
    }
    return picture;
}

ChartPicture CalibrationChart::computePicture(QSize surface) const
{
    CalibrationColors colors;
    colors.back = BackColor();
    colors.fore = ForeColor();
    colors.frame = FrameColor();
    colors.buckets = m_bucketsColor;
    colors.diagonal = m_diagonalColor;
    return calibrationPicture(m_data, surface, Font(), colors);
}

} // namespace lrv
