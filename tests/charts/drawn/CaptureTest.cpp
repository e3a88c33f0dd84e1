#include "support/Capture.h"

#include "support/Error.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

namespace lrv::test {

TEST(Capture, ControlAndRectanglesOfAWindowComeOutWithTheirChildren)
{
    QWidget widget; // left half red, right half blue
    widget.resize(100, 40);
    widget.setStyleSheet(QStringLiteral("background: red"));
    QWidget right(&widget);
    right.setGeometry(50, 0, 50, 40);
    right.setStyleSheet(QStringLiteral("background: blue"));
    widget.show();
    const QImage whole = Capture::CaptureControl(&widget).toImage();
    ASSERT_EQ(whole.size(), QSize(100, 40));
    EXPECT_EQ(whole.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(whole.pixelColor(90, 10), QColor(Qt::blue));

    const QImage part = Capture::CaptureWindow(&widget, true, 40, 5, 20, 10).toImage();
    ASSERT_EQ(part.size(), QSize(20, 10));
    EXPECT_EQ(part.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(part.pixelColor(15, 5), QColor(Qt::blue));

    EXPECT_THROW(Capture::CaptureWindow(&widget, true, 0, 0, 0, 10), Error);
    EXPECT_THROW(Capture::CaptureControl(nullptr), Error);
}

} // namespace lrv::test
