#include "entry/Controls.h"

#include "charts/CalibrationChart.h"
#include "charts/ConfusionMatrix.h"
#include "charts/CutoffChart.h"
#include "charts/GainsChart.h"
#include "charts/LiftChart.h"
#include "charts/LogisticFitChart.h"
#include "charts/QuantileChart.h"
#include "charts/ROCChart.h"
#include "charts/SlopeChart.h"
#include "charts/TrendlineChart.h"
#include "charts/VerticalLabel.h"
#include "support/ControlRegistry.h"
#include "window/HelpControl.h"
#include "window/ModelSelector.h"

#include <mutex>

namespace lrv {

namespace {
    template <typename Control> void add(const char* name)
    {
        ControlRegistry::add(ControlRegistry::progIdOf(QLatin1String(name)),
            [](QWidget* parent) -> QWidget* { return new Control(parent); });
    }
}

void registerControls()
{
    static std::once_flag registered;
    std::call_once(registered, [] {
        add<QuantileChart>("QuantileChart");
        add<TrendlineChart>("TrendlineChart");
        add<ROCChart>("ROCChart");
        add<CutoffChart>("CutoffChart");
        add<GainsChart>("GainsChart");
        add<LiftChart>("LiftChart");
        add<SlopeChart>("SlopeChart");
        add<LogisticFitChart>("LogisticFitChart");
        add<ConfusionMatrix>("ConfusionMatrix");
        add<CalibrationChart>("CalibrationChart");
        add<VerticalLabel>("VerticalLabel");
        add<HelpControl>("HelpControl");
        add<ModelSelector>("ModelSelector");
    });
}

} // namespace lrv
