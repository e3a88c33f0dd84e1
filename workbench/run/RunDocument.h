#pragma once

#include "host/IRunParameters.h"
#include "host/RunStore.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>

#include <QString>
#include <QStringList>

namespace wb {

/// A model as the run file holds it. Fitness is an R-square, accuracy a percentage; -1 was not computed
/// (undefined), -11111 marks calculation errors.
struct ModelRecord {
    std::int32_t id = 0;
    QString outputColumn;
    QString name;
    double trainingFitness = -1;
    double trainingAccuracy = -1;
    double validationFitness = -1;
    double validationAccuracy = -1;
};

/// A dataset of a run: its CSV file (as written, relative to the run file), class encoding and sampling.
struct DataSetRecord {
    QString path;
    lrv::ClassEncoding encoding;
    std::int32_t sampling = 0; ///< 0: all records
};

/// Everything a run file holds.
struct RunDocument {
    static constexpr int currentFormat = 1;

    std::int32_t kind = 2;
    QString targetColumn;
    QString idColumn; ///< empty: the id is the 1-based record number
    /// Empty: the target is a number. Otherwise the texts of a text target's two classes, read as the target
    /// values 0 and 1 that the class encodings name.
    QStringList targetLabels;
    std::array<std::optional<DataSetRecord>, 2> dataSets; ///< training, validation
    std::vector<ModelRecord> models;
    std::int32_t currentModel = 0; ///< id of the current model
    std::map<QString, lrv::RunParameter> parameters;
};

} // namespace wb
