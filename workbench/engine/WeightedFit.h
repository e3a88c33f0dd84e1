#pragma once

#include "host/ResultLayout.h"

#include <vector>

namespace wb::engine {

/// A weighted least-squares line y = slope·x + intercept. Fewer than two distinct x (or numbers too large to
/// fit) leave it undefined: slope, intercept and R² are then lrv::kUndefinedFit. R² is also undefined when every y
/// is the same, since no variation is there to explain.
struct WeightedFit {
    static constexpr double undefined = lrv::kUndefinedFit;

    double slope = undefined;
    double intercept = undefined;
    double rSquare = undefined;
    bool defined = false;

    static WeightedFit compute(
        const std::vector<double>& x, const std::vector<double>& y, const std::vector<double>& w);
    double at(double x) const { return defined ? slope * x + intercept : undefined; }
};

} // namespace wb::engine
