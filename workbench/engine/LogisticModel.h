#pragma once

#include <cmath>

namespace wb::engine {

/// The logistic model the log-odds fit gives: log odds = slope·output + intercept. Every place that needs a
/// record's probability or most likely class asks this one type, so tables and counts agree to the last bit.
struct LogisticModel {
    double slope = 0;
    double intercept = 0;

    double logOdds(double output) const { return slope * output + intercept; }
    static double probabilityOne(double logOdds) { return 1.0 / (1.0 + std::exp(-logOdds)); }
    static double probabilityZero(double logOdds) { return 1.0 / (1.0 + std::exp(logOdds)); }
    /// 1 when P(1) ≥ 0.5. Monotone in the output, so the records of one class form a run in ranking order.
    int mostLikelyClass(double output) const { return probabilityOne(logOdds(output)) >= 0.5 ? 1 : 0; }
};

} // namespace wb::engine
