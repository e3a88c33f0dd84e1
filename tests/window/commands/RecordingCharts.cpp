#include "RecordingCharts.h"

#include "support/ControlRegistry.h"

namespace lrv::test {

void registerRecordingCharts()
{
    const auto add = [](const char* name, ControlRegistry::Factory factory) {
        ControlRegistry::add(ControlRegistry::progIdOf(QString::fromLatin1(name)), std::move(factory));
    };
    add("QuantileChart", [](QWidget* parent) { return new RecordingQuantileChart(parent); });
    add("CutoffChart", [](QWidget* parent) { return new RecordingCutoffChart(parent); });
    add("LogisticFitChart", [](QWidget* parent) { return new RecordingFitChart(parent); });
    add("ConfusionMatrix", [](QWidget* parent) { return new RecordingConfusionMatrix(parent); });
}

} // namespace lrv::test
