#pragma once

#include <limits>

namespace wb::engine {

/// A quotient of the results: NaN when the divisor is 0, as every rate of a class without records is.
inline double ratio(double numerator, double denominator)
{
    return denominator != 0 ? numerator / denominator : std::numeric_limits<double>::quiet_NaN();
}

} // namespace wb::engine
