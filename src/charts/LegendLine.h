#pragma once

#include "support/OleColor.h"

#include <QWidget>

namespace lrv {

/// A short line sample in a chart legend, drawn across the middle of the widget.
class LegendLine : public QWidget {
    Q_OBJECT
    Q_PROPERTY(uint BorderColor READ BorderColor WRITE SetBorderColor)

public:
    LegendLine(const QString& name, Qt::PenStyle style, int width, QWidget* parent);

    OleColor BorderColor() const { return m_color; }
    void SetBorderColor(OleColor color);
    Qt::PenStyle BorderStyle() const { return m_style; }
    int BorderWidth() const { return m_width; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    OleColor m_color = 0;
    Qt::PenStyle m_style;
    int m_width;
};

} // namespace lrv
