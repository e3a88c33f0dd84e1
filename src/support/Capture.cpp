#include "support/Capture.h"

#include "support/Error.h"

#include <QPainter>
#include <QWidget>

namespace lrv::Capture {

QPixmap CaptureWindow(QWidget* window, bool client, int left, int top, int width, int height)
{
    if (!window)
        throw Error(QStringLiteral("There is no window to capture."));
    if (width <= 0 || height <= 0)
        throw Error(QStringLiteral("A capture of %1 x %2 pixels is empty; the window must be visible and have a size.")
                        .arg(width)
                        .arg(height));
    QRect area(left, top, width, height);
    if (!client && window->isWindow()) {
        // Frame coordinates: move the rectangle into the client area by the frame's offset.
        const QPoint offset = window->geometry().topLeft() - window->frameGeometry().topLeft();
        area.translate(-offset);
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(window->palette().color(QPalette::Window));
    QPainter painter(&image);
    window->render(&painter, QPoint(0, 0), QRegion(area), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter.end();
    return CreateBitmapPicture(image);
}

QPixmap CreateBitmapPicture(const QImage& bitmap, const QList<QRgb>& palette)
{
    if (palette.isEmpty())
        return QPixmap::fromImage(bitmap);
    return QPixmap::fromImage(bitmap.convertToFormat(QImage::Format_Indexed8, palette));
}

QPixmap CaptureControl(QWidget* control)
{
    if (!control)
        throw Error(QStringLiteral("There is no control to capture."));
    return CaptureWindow(control, true, 0, 0, control->width(), control->height());
}

} // namespace lrv::Capture
