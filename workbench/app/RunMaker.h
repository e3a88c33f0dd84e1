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
};

/// Makes a run file from CSV files: chooses the class encoding, reads every dataset (so a bad file fails
/// here, with the file, line and column), computes each model's fitness and accuracy, and writes the run
/// atomically. Refuses to replace an existing run unless asked. Throws lrv::Error or engine::InputError.
MadeRun makeRun(const RunSpec& spec, TerminalProgress& progress);

} // namespace wb
