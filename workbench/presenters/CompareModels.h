#pragma once

#include "engine/Delong.h"
#include "engine/Uncertainty.h"

#include <cstdint>
#include <optional>
#include <vector>

#include <QPointF>
#include <QString>

namespace wb {

class Run;

/// One model of a comparison, computed on the records every model scores.
struct ComparedModel {
    std::int32_t id = 0;
    QString name;
    engine::Uncertainty uncertainty;
    double youdenCutoff = 0;
    double accuracy = 0; ///< fraction correct at the Youden cutoff
    std::int64_t errors = 0; ///< records of the dataset where this model has no output
    std::vector<QPointF> roc; ///< (FPR, TPR) per tie group from (0, 0), thinned for drawing
    std::vector<QPointF> gains; ///< (share of records, share of positives) likewise
};

/// DeLong's paired test of two models, by index into the comparison's models.
struct ComparedPair {
    int a = 0, b = 0;
    engine::PairedAucTest test;
};

/// Every model of a run on one dataset, side by side.
struct ModelComparison {
    QString dataSetName; ///< "training" or "validation"
    std::int64_t records = 0; ///< in the dataset
    std::int64_t compared = 0; ///< where every model has an output
    int buckets = 0; ///< of the Hosmer–Lemeshow test
    std::vector<ComparedModel> models;
    std::vector<ComparedPair> pairs; ///< every pair, a before b in the run's order

    std::int64_t leftOut() const { return records - compared; }
};

/// Reads dataset 1 or 2 of the run and compares its models on the records where every model has an
/// output. `buckets` unset takes the run's own choice. Throws lrv::Error, engine::InputError or
/// engine::CalculationError with a message for the user.
ModelComparison compareModels(const Run& run, int dataSet, std::optional<int> buckets = {});

} // namespace wb
