#include "support/Capture.h"

#include "support/Error.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

namespace lrv::test {

namespace {
    // A widget whose left half is red and right half blue.
    std::unique_ptr<QWidget> halves()
    {
        auto widget = std::make_unique<QWidget>();
        widget->resize(100, 40);
        widget->setAutoFillBackground(true);
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, Qt::red);
        widget->setPalette(palette);
        auto* right = new QWidget(widget.get());
        right->setGeometry(50, 0, 50, 40);
        right->setAutoFillBackground(true);
        palette.setColor(QPalette::Window, Qt::blue);
        right->setPalette(palette);
        return widget;
    }
}

TEST(Capture, ControlAndRectanglesOfAWindowComeOutWithTheirChildren)
{
    auto widget = halves();
    widget->show();
    const QImage whole = Capture::CaptureControl(widget.get()).toImage();
    ASSERT_EQ(whole.size(), QSize(100, 40));
    EXPECT_EQ(whole.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(whole.pixelColor(90, 10), QColor(Qt::blue));

    const QImage part = Capture::CaptureWindow(widget.get(), true, 40, 5, 20, 10).toImage();
    ASSERT_EQ(part.size(), QSize(20, 10));
    EXPECT_EQ(part.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(part.pixelColor(15, 5), QColor(Qt::blue));

    EXPECT_THROW(Capture::CaptureWindow(widget.get(), true, 0, 0, 0, 10), Error);
    EXPECT_THROW(Capture::CaptureControl(nullptr), Error);
}

} // namespace lrv::test
