// The chart style file reader on arbitrary bytes, both sections; only lrv::Error may come out.
#include "FuzzInput.h"
#include "support/Error.h"
#include "support/XTremeChartsHelper.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString path = QString::fromStdString(scratchPath("style", ".xml"));
    writeInput(path.toStdString(), data, size);
    try {
        const lrv::ChartContentStyle content = lrv::XTremeChartsHelper::ReadChartContent(path);
        for (const auto* axis : { &content.axisX, &content.axisY })
            if (axis->minimum && axis->maximum && !(*axis->minimum < *axis->maximum))
                __builtin_trap();
    } catch (const lrv::Error&) {
    }
    try {
        lrv::XTremeChartsHelper::ReadChartPalette(path);
    } catch (const lrv::Error&) {
    }
    return 0;
}
