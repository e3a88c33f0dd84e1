#include "charts/VerticalLabel.h"

#include "charts/ChartFont.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QLabel>

namespace lrv::test {

namespace {
    const OleColor kBack = rgb(255, 255, 255);
    const OleColor kFore = 0;

    // The bounding box of the pixels that differ from the background.
    QRect ink(const QImage& image)
    {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != toQColor(kBack))
                    box |= QRect(x, y, 1, 1);
        return box;
    }

    int inkIn(const QImage& image, const QRect& area)
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += image.pixelColor(x, y) != toQColor(kBack) ? 1 : 0;
        return count;
    }

    QImage drawn(const QString& text, QSize size)
    {
        return VerticalLabel::drawText(text, size, chartFont(), kBack, kFore).toImage();
    }
}

TEST(VerticalLabel, TextRunsUpwardsCentredOnTheHeight)
{
    const QString text = QStringLiteral("% Positive Cases");
    const QImage image = drawn(text, QSize(22, 300));
    const QRect box = ink(image);
    ASSERT_FALSE(box.isEmpty());
    // Turned by 90 degrees: tall and narrow, within the 13-pixel cell to the right of x = 0.
    EXPECT_GT(box.height(), 4 * box.width());
    EXPECT_GE(box.left(), 0);
    EXPECT_LE(box.right(), 13);
    EXPECT_NEAR(box.center().y(), 150, 4);
    // Reading from bottom to top: the first characters, wide "%" signs, are at the bottom.
    const QImage percentFirst = drawn(QStringLiteral("%%%%........"), QSize(22, 300));
    const QRect percentBox = ink(percentFirst);
    const int middle = percentBox.top() + percentBox.height() / 2;
    EXPECT_GT(inkIn(percentFirst, QRect(0, middle, 22, percentBox.bottom() - middle + 1)),
        2 * inkIn(percentFirst, QRect(0, percentBox.top(), 22, middle - percentBox.top())));

    const double width = QFontMetricsF(chartFont()).horizontalAdvance(text);
    EXPECT_EQ(VerticalLabel::textOrigin(300, width), QPointF(0, (300 + width) / 2));
}

TEST(VerticalLabel, TextLongerThanTheHeightIsClippedWithoutError)
{
    const QString text = QStringLiteral("A title far longer than the height of the label");
    const double width = QFontMetricsF(chartFont()).horizontalAdvance(text);
    ASSERT_GT(width, 60);
    EXPECT_GT(VerticalLabel::textOrigin(60, width).y(), 60); // starts below the visible area
    const QImage image = drawn(text, QSize(22, 60));
    EXPECT_EQ(image.size(), QSize(22, 60));
    const QRect box = ink(image);
    // Both ends are cut: the ink runs from edge to edge, give or take the gap between two letters.
    EXPECT_LE(box.top(), 2);
    EXPECT_GE(box.bottom(), 57);
}

TEST(VerticalLabel, EmptyTextLeavesTheBackgroundAndTextAndColourRedraw)
{
    EXPECT_TRUE(ink(drawn(QString(), QSize(22, 100))).isEmpty());

    VerticalLabel label;
    EXPECT_EQ(label.Text(), "Label");
    label.resize(22, 120);
    label.SetBackColor(rgb(0, 0, 128));
    label.SetText(QStringLiteral("Lift Factor"));
    const QImage image = label.image().toImage();
    ASSERT_EQ(image.size(), QSize(22, 120));
    EXPECT_EQ(image.pixelColor(20, 2), QColor(0, 0, 128));
    EXPECT_EQ(label.findChild<QLabel*>(QStringLiteral("pic"))->geometry(), QRect(0, 0, 22, 120));
    label.SetText(QString());
    EXPECT_EQ(label.image().toImage().pixelColor(6, 60), QColor(0, 0, 128));
}

} // namespace lrv::test
