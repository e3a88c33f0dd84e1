#include "charts/BarChartCapture.h"

#include "charts/ChartInterfaces.h"
#include "support/ClipboardHelpers.h"

#include <QWidget>

namespace lrv::BarChartCapture {

namespace {
    ClipboardHelpers::PaintRoutine paintOf(IChartControl& chart)
    {
        return [&chart](QPainter& painter, const QRect& target) { chart.paintChart(painter, target); };
    }
}

void copyImage(QWidget* control, IChartControl& chart)
{
    ClipboardHelpers::CopyPainted(paintOf(chart), control->size());
}

void printImage(QWidget* control, IChartControl& chart)
{
    ClipboardHelpers::PrintPainted(
        paintOf(chart), control->size(), control->logicalDpiX(), ClipboardHelpers::PrintPlacement::OwnSize, control);
}

} // namespace lrv::BarChartCapture
