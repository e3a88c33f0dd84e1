#include "DrawnTestTables.h"
#include "charts/ChartFont.h"
#include "charts/ROCChart.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPainter>

namespace lrv::test {

namespace {
    const QSize kSurface(640, 400);
    const OleColor kFrame = rgb(10, 20, 30);
    const OleColor kCurve = rgb(200, 0, 0);
    const OleColor kDiagonal = rgb(0, 0, 200);

    RocColors colors()
    {
        RocColors c;
        c.frame = kFrame;
        c.roc = kCurve;
        c.diagonal = kDiagonal;
        return c;
    }

    ChartPicture picture(const Table<double>& data)
    {
        return ROCChart::rocPicture(data, kSurface, chartFont(), colors());
    }

    // A ROC row up to its rates.
    std::vector<double> rates(double tpr, double fpr)
    {
        std::vector<double> row(index(RocColumn::FalsePositiveRate) + 1, 0.0);
        row[index(RocColumn::Sensitivity)] = tpr;
        row[index(RocColumn::FalsePositiveRate)] = fpr;
        return row;
    }

    std::vector<ChartStroke> curve(const ChartPicture& p)
    {
        std::vector<ChartStroke> strokes;
        std::copy_if(p.series.begin(), p.series.end(), std::back_inserter(strokes),
            [](const ChartStroke& s) { return s.color == kCurve; });
        return strokes;
    }

    void expectPoint(const QPointF& actual, double x, double y)
    {
        EXPECT_NEAR(actual.x(), x, 1e-9);
        EXPECT_NEAR(actual.y(), y, 1e-9);
    }
}

TEST(RocPicture, FrameLiesOnePixelOutsideThePlotAsDrawnAndAsPainted)
{
    const ChartPicture p = picture(realisticRocTable());
    const QRect plot = p.plot();
    const int L = plot.left(), T = plot.top(), W = plot.width(), H = plot.height();
    ASSERT_EQ(plot, QRect(129, 20, 335, 335)); // side 400 - 17 - 48, centred with 150 pixels for the legend

    QImage image(kSurface, QImage::Format_RGB32);
    QPainter painter(&image);
    paintPicture(painter, p);
    painter.end();
    const QColor frame = toQColor(kFrame);
    const QColor back = toQColor(p.backColor);
    const int midX = L + W / 2 + 3, midY = T + H / 3;
    EXPECT_EQ(image.pixelColor(L - 1, midY), frame);
    EXPECT_EQ(image.pixelColor(L, midY), back);
    EXPECT_EQ(image.pixelColor(L - 2, midY), back);
    EXPECT_EQ(image.pixelColor(L + W, midY), frame);
    EXPECT_EQ(image.pixelColor(L + W - 1, midY), back);
    EXPECT_EQ(image.pixelColor(midX, T - 1), frame);
    EXPECT_EQ(image.pixelColor(midX, T), back);
    EXPECT_EQ(image.pixelColor(midX, T + H + 1), frame);
    EXPECT_EQ(image.pixelColor(midX, T + H - 1), back);
}

TEST(RocPicture, ElevenTicksAndLabelsPerAxisFromZeroToOne)
{
    const ChartPicture p = picture(realisticRocTable());
    const QRect plot = p.plot();
    int leftTicks = 0, bottomTicks = 0;
    for (const ChartStroke& s : p.frame) {
        if (s.from.y() == s.to.y() && std::min(s.from.x(), s.to.x()) == plot.left() - 5 && s.from.x() == plot.left())
            ++leftTicks;
        if (s.from.x() == s.to.x() && std::max(s.from.y(), s.to.y()) == plot.top() + plot.height() + 5)
            ++bottomTicks;
    }
    EXPECT_EQ(leftTicks, 11);
    EXPECT_EQ(bottomTicks, 11);

    ASSERT_EQ(p.xLabels.size(), 11u);
    ASSERT_EQ(p.yLabels.size(), 11u);
    auto xs = p.xLabels;
    std::sort(
        xs.begin(), xs.end(), [](const TickLabel& a, const TickLabel& b) { return a.topLeft.x() < b.topLeft.x(); });
    auto ys = p.yLabels;
    std::sort(
        ys.begin(), ys.end(), [](const TickLabel& a, const TickLabel& b) { return a.topLeft.y() > b.topLeft.y(); });
    const QStringList expected = { "0.0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1.0" };
    for (int i = 0; i <= 10; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(xs[i].text, expected[i]);
        EXPECT_EQ(ys[i].text, expected[i]);
    }
}

TEST(RocPicture, RowsAtMinusOneStartNoSegmentButEndThePreviousOne)
{
    const ChartPicture p = picture(doubleRows({ rates(0.2, 0.0), rates(0.5, -1), rates(0.6, 0.3), rates(1, 1) }));
    ASSERT_FALSE(p.invalidData);
    const double W = p.plot().width(), H = p.plot().height();
    const auto strokes = curve(p);
    ASSERT_EQ(strokes.size(), 3u); // row 0 to 1, row 2 to 3, back to the origin
    expectPoint(strokes[0].from, 0, (H - H * 0.2) * 0.997);
    expectPoint(strokes[0].to, -W * 0.995, (H - H * 0.5) * 0.997);
    expectPoint(strokes[1].from, W * 0.3 * 0.995, (H - H * 0.6) * 0.997);
    expectPoint(strokes[1].to, W * 0.995, 0);
    expectPoint(strokes[2].from, 0, (H - H * 0.2) * 0.997);
    expectPoint(strokes[2].to, 0, H);
}

TEST(RocPicture, CornersKeepOffTheRightAndBottomBordersAndTheCurveReturnsToTheOrigin)
{
    const ChartPicture p = picture(doubleRows({ rates(0, 0), rates(1, 1) }));
    const double W = p.plot().width(), H = p.plot().height();
    const auto strokes = curve(p);
    ASSERT_EQ(strokes.size(), 2u);
    expectPoint(strokes[0].from, 0, 0.997 * H);
    expectPoint(strokes[0].to, 0.995 * W, 0);
    expectPoint(strokes[1].from, 0, 0.997 * H);
    expectPoint(strokes[1].to, 0, H);

    EXPECT_EQ(p.series.front().style, Qt::DotLine); // the diagonal
    expectPoint(p.series.front().to, W, 0);
}

TEST(RocPicture, TablesWithoutAPointShowInvalidDataOverAnEmptyPlot)
{
    const struct {
        const char* name;
        Table<double> table;
    } cases[] = {
        { "all rows at -1", doubleRows({ rates(0.1, -1), rates(0.5, -1), rates(1, -1.5) }) },
        { "a single row", doubleRows({ rates(0.5, 0.5) }) },
        { "no rows", Table<double>() },
        { "a rate that is not a number", doubleRows({ rates(0, 0), rates(std::nan(""), 0.5) }) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ChartPicture p = picture(c.table);
        EXPECT_TRUE(p.invalidData);
        EXPECT_TRUE(p.series.empty());
        EXPECT_EQ(p.frame.size(), 26u); // box and 22 ticks are still drawn
        EXPECT_EQ(p.xLabels.back().text, "1.0");
    }
}

TEST(RocChart, ResetDrawsOnlyTheDiagonalAndTheAucTextFollowsTheNumberFormat)
{
    ROCChart chart;
    chart.resize(kSurface);
    chart.Reset();
    const ChartPicture& p = chart.picture();
    EXPECT_FALSE(p.invalidData);
    for (const ChartStroke& s : p.series) {
        if (s.color == chart.DiagonalColor() && s.style == Qt::DotLine)
            continue;
        EXPECT_EQ(s.from.x(), 0); // nothing beyond the origin's edge
        EXPECT_EQ(s.to.x(), 0);
    }

    auto* auc = chart.findChild<QLabel*>(QStringLiteral("lblAUC"));
    ASSERT_NE(auc, nullptr);
    chart.SetAUC(0.5);
    EXPECT_EQ(auc->text(), "0.5");
    chart.SetAUC(1);
    EXPECT_EQ(auc->text(), "1");
    chart.SetAUC(0.123456789);
    EXPECT_EQ(auc->text(), "0.123457");
}

} // namespace lrv::test
