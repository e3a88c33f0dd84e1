#pragma once

#include "engine/Analysis.h"
#include "engine/Delong.h"

#include <cstdint>
#include <vector>

namespace wb::engine {

/// Where the probabilities behind Brier score, log loss and Hosmer–Lemeshow come from.
enum class ProbabilitySource {
    Outputs, ///< every valid output lies in [0, 1]: the outputs are the probabilities (of class 0 when inverted)
    LogisticFit, ///< otherwise: the log-odds fit's P(1), as the probabilities table holds it
};

struct HosmerLemeshow {
    double statistic = 0;
    int degrees = 0; ///< buckets − 2
    double p = 0; ///< chi-square upper tail; NaN with no degree of freedom
};

/// How sure an analysis is and how well its probabilities are calibrated: plain numbers, for the statistics
/// export and the comparison of models.
struct Uncertainty {
    AucInterval auc; ///< DeLong
    double gini = 0; ///< 2·AUC − 1
    double ks = 0; ///< max(TPR − FPR) over the ROC's tie groups
    double ksCutoff = 0; ///< the output of the first group reaching it
    std::vector<Interval95> wilson95; ///< per bucket, of its positive rate
    std::vector<double> meanProbability; ///< per bucket
    ProbabilitySource probabilitySource = ProbabilitySource::Outputs;
    double brier = 0;
    double logLoss = 0; ///< probabilities kept within [1e−15, 1 − 1e−15], so that a sure miss stays finite
    HosmerLemeshow hosmerLemeshow;
};

/// The Wilson score 95 % interval of a proportion; NaN ends for a total of 0.
Interval95 wilsonInterval(std::int64_t successes, std::int64_t total);

/// Reads the analysis' ranked records and buckets; O(n), no sort.
Uncertainty assessUncertainty(const Analysis& analysis);

} // namespace wb::engine
