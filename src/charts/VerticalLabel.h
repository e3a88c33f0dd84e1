#pragma once

#include "support/OleColor.h"

#include <QPixmap>
#include <QPointF>
#include <QString>
#include <QWidget>

class QLabel;
class QPainter;

namespace lrv {

/// One line of text turned by 90 degrees, reading from bottom to top, centred on the height; the title of a
/// chart's vertical axis. The text is drawn into the child `pic` after every change of text and every resize.
class VerticalLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(uint BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(QString Text READ Text WRITE SetText)

public:
    explicit VerticalLabel(QWidget* parent = nullptr);

    OleColor BackColor() const { return m_backColor; }
    /// Sets the background of the control and of `pic`, and redraws.
    void SetBackColor(OleColor color);
    QString Text() const { return m_text; }
    /// Stores the text and redraws at once.
    void SetText(const QString& text);

    /// The image in `pic`.
    const QPixmap& image() const { return m_image; }

    /// Start of the upward text: x = 0, y = (height + textWidth) / 2, so that the text is centred on the
    /// height; a text wider than the height starts below the visible area and is clipped.
    static QPointF textOrigin(int height, double textWidth);
    /// The turned font: a cell height of 13 pixels, normal weight, the given face.
    static QFont rotatedFont(const QString& family);
    /// Draws the text turned by 90 degrees into an image of the given size.
    static QPixmap drawText(const QString& text, QSize size, const QFont& measureFont, OleColor back, OleColor fore);
    /// The same drawing into a rectangle of any device, as lines and glyphs rather than an image.
    static void paintText(QPainter& painter, const QRect& area, const QString& text, const QFont& measureFont,
        OleColor back, OleColor fore);
    /// Paints the label as shown at its place on the parent's surface.
    void paint(QPainter& painter) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void draw();

    QLabel* m_pic = nullptr;
    QString m_text = QStringLiteral("Label");
    OleColor m_backColor = rgb(255, 255, 255);
    QPixmap m_image;
};

} // namespace lrv
