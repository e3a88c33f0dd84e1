#include "charts/BarChartCapture.h"

#include "support/Platform.h"

#include <algorithm>

#include <QClipboard>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QWidget>

namespace lrv::BarChartCapture {

void copyImage(QWidget* control)
{
    const QImage image = control->grab().toImage();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(image);
}

void printImage(QWidget* control)
{
    Platform& platform = Platform::instance();
    const std::optional<PrintSetup> setup = platform.askPrinter(control);
    if (!setup)
        return;
    QCoreApplication::processEvents();
    const QImage image = control->grab().toImage();
    const qreal screenDpi = std::max(1, control->logicalDpiX());
    for (int copy = 0; copy < setup->copies; ++copy) {
        std::unique_ptr<QPagedPaintDevice> document = platform.startPrintDocument(*setup);
        if (!document)
            return;
        QPainter painter(document.get());
        // One empty line above the picture; the picture keeps its size on screen unless the page is smaller.
        const int top = QFontMetrics(painter.font(), document.get()).lineSpacing();
        const qreal scale = document->logicalDpiX() / screenDpi;
        QSizeF size(image.width() * scale, image.height() * scale);
        const QSizeF room(document->width(), std::max(1, document->height() - top));
        if (size.width() > room.width() || size.height() > room.height())
            size = size.scaled(room, Qt::KeepAspectRatio);
        painter.drawImage(QRectF(QPointF(0, top), size), image);
    }
}

} // namespace lrv::BarChartCapture
