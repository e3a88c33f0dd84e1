#pragma once

class QWidget;

namespace lrv {
class IChartControl;
}

/// "&Copy" and "&Print" of the bar chart controls, through the chart's paintChart.
namespace lrv::BarChartCapture {

/// Clears the clipboard and puts the control's picture at its size on it.
void copyImage(QWidget* control, IChartControl& chart);
/// Printer dialog, then the control's picture at the printer's resolution at (0, 0) at its own size,
/// once per requested copy, each copy a document of its own; cancelling prints nothing.
void printImage(QWidget* control, IChartControl& chart);

} // namespace lrv::BarChartCapture
