// The chart style file reader on arbitrary bytes, both sections; only lrv::Error may come out.
#include "support/Error.h"
#include "support/XTremeChartsHelper.h"

#include <cstdint>
#include <cstdio>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString path = QStringLiteral("/tmp/lrv-fuzz-style-%1.xml").arg(::getpid());
    std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (!file)
        __builtin_trap();
    if (size > 0)
        std::fwrite(data, 1, size, file);
    std::fclose(file);
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
