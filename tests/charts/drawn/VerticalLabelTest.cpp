#include "charts/VerticalLabel.h"

#include "charts/ChartFont.h"

#include <gtest/gtest.h>

#include <QImage>

namespace lrv::test {

namespace {
    const OleColor kBack = rgb(255, 255, 255);

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
    QImage drawn(const QString& text, QSize size)
    {
        return VerticalLabel::drawText(text, size, chartFont(), kBack, 0).toImage();
    }
}

TEST(VerticalLabel, TextRunsUpwardsCentredOnTheHeightAndLongTextIsClippedAtBothEnds)
{
    const QRect box = ink(drawn(QStringLiteral("% Positive Cases"), QSize(22, 300)));
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GT(box.height(), 4 * box.width()); // turned by 90 degrees
    EXPECT_NEAR(box.center().y(), 150, 4);
    // Reading from bottom to top: the first characters, wide "%" signs, are at the bottom, the thin dots on top.
    const QImage percentFirst = drawn(QStringLiteral("%%%%........"), QSize(22, 300));
    const QRect all = ink(percentFirst);
    const int quarter = all.height() / 4;
    EXPECT_GT(ink(percentFirst.copy(0, all.bottom() - quarter, 22, quarter)).width(),
        2 * ink(percentFirst.copy(0, all.top(), 22, quarter)).width());

    const QRect clipped = ink(drawn(QStringLiteral("A title far longer than the height of the label"), QSize(22, 60)));
    EXPECT_LE(clipped.top(), 2);
    EXPECT_GE(clipped.bottom(), 57);
    EXPECT_TRUE(ink(drawn(QString(), QSize(22, 100))).isEmpty());
}

} // namespace lrv::test
