#include "engine/WeightedFit.h"

#include <algorithm>
#include <cmath>

namespace wb::engine {

WeightedFit WeightedFit::compute(
    const std::vector<double>& x, const std::vector<double>& y, const std::vector<double>& w)
{
    WeightedFit fit;
    const std::size_t count = x.size();
    if (count < 2 || std::all_of(x.begin(), x.end(), [&](double v) { return v == x.front(); }))
        return fit;
    double sw = 0, sx = 0, sy = 0;
    for (std::size_t i = 0; i < count; ++i) {
        sw += w[i];
        sx += w[i] * x[i];
        sy += w[i] * y[i];
    }
    if (!(sw > 0))
        return fit;
    const double mx = sx / sw, my = sy / sw;
    double sxx = 0, sxy = 0, syy = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double dx = x[i] - mx, dy = y[i] - my;
        sxx += w[i] * dx * dx;
        sxy += w[i] * dx * dy;
        syy += w[i] * dy * dy;
    }
    const double slope = sxy / sxx;
    const double intercept = my - slope * mx;
    if (!(sxx > 0) || !std::isfinite(slope) || !std::isfinite(intercept))
        return fit;
    fit.slope = slope;
    fit.intercept = intercept;
    fit.defined = true;
    if (syy > 0 && std::isfinite(syy))
        fit.rSquare = std::min(1.0, sxy * sxy / (sxx * syy));
    return fit;
}

} // namespace wb::engine
