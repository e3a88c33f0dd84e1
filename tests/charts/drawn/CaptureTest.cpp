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

TEST(Capture, BitmapPictureKeepsToItsPalette)
{
    QImage bitmap(4, 1, QImage::Format_RGB32);
    bitmap.setPixelColor(0, 0, QColor(250, 10, 10));
    bitmap.setPixelColor(1, 0, QColor(10, 10, 250));
    bitmap.setPixelColor(2, 0, QColor(240, 240, 240));
    bitmap.setPixelColor(3, 0, QColor(20, 20, 20));
    const QImage plain = Capture::CreateBitmapPicture(bitmap).toImage();
    EXPECT_EQ(plain.pixelColor(0, 0), QColor(250, 10, 10));
    const QList<QRgb> palette = { qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(255, 255, 255), qRgb(0, 0, 0) };
    const QImage reduced = Capture::CreateBitmapPicture(bitmap, palette).toImage();
    EXPECT_EQ(reduced.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(reduced.pixelColor(1, 0), QColor(0, 0, 255));
    EXPECT_EQ(reduced.pixelColor(2, 0), QColor(255, 255, 255));
    EXPECT_EQ(reduced.pixelColor(3, 0), QColor(0, 0, 0));
}

} // namespace lrv::test
