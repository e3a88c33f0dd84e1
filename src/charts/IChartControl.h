#pragma once

namespace lrv {

/// What every chart control offers the window besides its own setters: redraw and the neutral picture.
class IChartControl {
public:
    virtual ~IChartControl() = default;
    /// Redraws everything from the data held.
    virtual void Refresh() = 0;
    /// Puts in the chart's neutral data and refreshes.
    virtual void Reset() = 0;
};

} // namespace lrv
