#pragma once

#include "host/ResultLayout.h"

namespace lrv {

/// The columns of the calibration table a host delivers with CalculateViewInter::SetCalibration: one row
/// per bucket, numbered from 1 as the quantile table's; rates and probabilities as fractions (0 to 1).
enum class CalibrationColumn : int {
    Bucket,
    Records,
    Positives,
    ObservedRate, ///< positives / records
    MeanProbability, ///< the mean predicted probability of class 1
    WilsonLow, ///< the Wilson score 95 % interval of the observed rate
    WilsonHigh,
    Last = WilsonHigh
};

/// How sure an analysis is and how well its probabilities are calibrated, as CalculateViewInter::
/// SetUncertaintyStats delivers it. NaN stands for a figure that cannot be estimated.
struct UncertaintyStats {
    double auc = 0;
    double aucLow = 0; ///< DeLong's 95 % interval
    double aucHigh = 0;
    double gini = 0; ///< 2·AUC − 1
    double ks = 0; ///< max(TPR − FPR)
    double ksCutoff = 0; ///< the output at which it is reached
    double brier = 0;
    double logLoss = 0;
    double hosmerLemeshow = 0; ///< the statistic over the buckets
    int hosmerLemeshowDf = 0; ///< buckets − 2
    double hosmerLemeshowP = 0;
    /// The outputs themselves are the probabilities (all in [0, 1]); otherwise the logistic fit's are.
    bool probabilitiesFromOutputs = true;
};

} // namespace lrv
