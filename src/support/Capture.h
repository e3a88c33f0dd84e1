#pragma once

#include <QImage>
#include <QList>
#include <QPixmap>
#include <QRgb>

class QWidget;

/// A window's pixels into a picture.
namespace lrv::Capture {

/// The pixels of a rectangle of a widget, children included. With `client` the rectangle is in the
/// widget's own coordinates; without, in those of its frame (a top-level window's title bar and border
/// lie outside the client area and are painted by the window system, so they come out as background).
QPixmap CaptureWindow(QWidget* window, bool client, int left, int top, int width, int height);

/// A picture owning the bitmap; with a palette of colours, the bitmap is held in that palette's colours.
QPixmap CreateBitmapPicture(const QImage& bitmap, const QList<QRgb>& palette = {});

/// The picture of a control's client area at its size in pixels.
QPixmap CaptureControl(QWidget* control);

} // namespace lrv::Capture
