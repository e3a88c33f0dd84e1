#include "engine/Distributions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace wb::engine {

namespace {

    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double epsilon = std::numeric_limits<double>::epsilon();
    constexpr int maxIterations = 10000;

    // x^a e^−x / Γ(a), the factor both expansions share, taken through logarithms so that large a and x
    // do not overflow.
    double gammaPrefactor(double a, double x) { return std::exp(a * std::log(x) - x - std::lgamma(a)); }

    // P(a, x) by its power series; converges quickly for x < a + 1.
    double lowerBySeries(double a, double x)
    {
        double term = 1 / a, sum = term;
        for (int i = 1; i < maxIterations; ++i) {
            term *= x / (a + i);
            sum += term;
            if (std::fabs(term) < std::fabs(sum) * epsilon)
                break;
        }
        return sum * gammaPrefactor(a, x);
    }

    // Q(a, x) by its continued fraction (modified Lentz); converges quickly for x ≥ a + 1.
    double upperByFraction(double a, double x)
    {
        constexpr double tiny = std::numeric_limits<double>::min() / epsilon;
        double b = x + 1 - a, c = 1 / tiny, d = 1 / b, h = d;
        for (int i = 1; i < maxIterations; ++i) {
            const double an = -i * (i - a);
            b += 2;
            d = an * d + b;
            if (std::fabs(d) < tiny)
                d = tiny;
            c = b + an / c;
            if (std::fabs(c) < tiny)
                c = tiny;
            d = 1 / d;
            const double step = d * c;
            h *= step;
            if (std::fabs(step - 1) < epsilon)
                break;
        }
        return h * gammaPrefactor(a, x);
    }

} // namespace

double normalTwoSidedP(double z) { return std::erfc(std::fabs(z) / std::sqrt(2.0)); }

double regularizedGammaQ(double a, double x)
{
    if (!(a > 0) || !(x >= 0))
        return nan;
    if (x == 0)
        return 1;
    if (std::isinf(x))
        return 0;
    return x < a + 1 ? 1 - lowerBySeries(a, x) : upperByFraction(a, x);
}

double chiSquareUpperTail(double statistic, int degrees)
{
    if (degrees <= 0 || std::isnan(statistic))
        return nan;
    return regularizedGammaQ(degrees / 2.0, std::max(statistic, 0.0) / 2);
}

} // namespace wb::engine
