#pragma once

#include <cstdint>
#include <vector>

#include <QStringList>

namespace wb {

class TerminalProgress;

/// What a new run is made of.
struct RunSpec {
    QString training;
    QString validation; ///< empty: no validation dataset
    QString targetColumn;
    QString idColumn; ///< empty: record numbers are the ids
    QStringList outputColumns; ///< one per model, ids 1, 2, … in this order
    bool invert = false;
    /// The target value of the positive class (class 1); needed when the target holds two texts other than
    /// true and false.
    QString positive;
    QString out;
    bool replace = false; ///< replace an existing run file
};

/// What was made.
struct MadeRun {
    QString path;
    int models = 0;
    std::int64_t trainingRecords = 0;
    std::int64_t validationRecords = 0;
    /// Per model in order, the area under the ROC curve in each dataset; -1 when it cannot be computed.
    std::vector<double> trainingAuc, validationAuc;
    QString positiveClass; ///< the target value taken as class 1, as the file writes it
    QString negativeClass; ///< the target value of class 0
};

/// Makes a run file from CSV files: chooses the class encoding, reads every dataset (so a bad file fails
/// here, with the file, line and column), computes each model's fitness and accuracy, and writes the run
/// atomically. Refuses to replace an existing run unless asked. Throws lrv::Error or engine::InputError.
MadeRun makeRun(const RunSpec& spec, TerminalProgress& progress);

} // namespace wb
