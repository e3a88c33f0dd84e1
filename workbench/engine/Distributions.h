#pragma once

namespace wb::engine {

/// z with P(Z ≤ z) = 0.975 for a standard normal Z: the half-width factor of 95 % intervals.
inline constexpr double normalQuantile975 = 1.959963984540054;

/// P(|Z| ≥ |z|) for a standard normal Z.
double normalTwoSidedP(double z);

/// The regularized upper incomplete gamma function Q(a, x) = Γ(a, x) / Γ(a), for a > 0 and x ≥ 0; NaN
/// outside. A series below x = a + 1, a continued fraction above, each to full double precision.
double regularizedGammaQ(double a, double x);

/// P(X ≥ statistic) for X chi-square distributed with `degrees` degrees of freedom; NaN for degrees ≤ 0.
double chiSquareUpperTail(double statistic, int degrees);

} // namespace wb::engine
