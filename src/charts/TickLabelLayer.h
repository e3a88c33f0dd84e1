#pragma once

#include <QWidget>

namespace lrv {

struct ChartPicture;

/// The tick labels of a drawn chart, painted over the chart's child controls as label controls stand above
/// the surface; transparent for the mouse, so clicks reach the surface and the plot below.
class TickLabelLayer : public QWidget {
    Q_OBJECT

public:
    TickLabelLayer(const ChartPicture& picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ChartPicture& m_picture;
};

} // namespace lrv
