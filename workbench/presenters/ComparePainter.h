#pragma once

#include <QColor>
#include <QSize>

class QPainter;

namespace wb {

struct ModelComparison;

/// The size a comparison chart is drawn at, in device-independent pixels.
QSize comparisonChartSize();

/// Draws the ROC curves and the gains curves of every model side by side, one colour per model with a
/// named legend, on any device (an image, an SVG generator) of comparisonChartSize().
void paintComparison(QPainter& painter, const ModelComparison& comparison);

/// The colour of the model at `index`, as the chart draws it (the tables use it too).
QColor comparisonColour(int index);

} // namespace wb
