#pragma once

#include "engine/RecordIds.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace wb::engine {

/// An input error: the message names the file, the line and the column where it can.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// How a dataset's target names the two classes; invert says the model represents class 1 by LOW outputs.
struct ClassEncoding {
    double min = 0; ///< target value of class 0
    double max = 1; ///< target value of class 1
    bool invert = false;
};

/// What to read from a CSV file.
struct DatasetSpec {
    std::string path;
    std::string targetColumn;
    std::string idColumn; ///< empty: the id is the 1-based record number
    std::vector<std::string> outputColumns; ///< one per model
    ClassEncoding encoding;
    /// Empty: the target is a number. Otherwise the two texts a text target takes, read as the values 0 and 1
    /// that the encoding then names.
    std::vector<std::string> targetLabels;
};

/// The records of one CSV file: ids, classes (0/1 after the encoding) and one output column per model.
/// An output that is empty, not a number, NaN or infinite is stored as NaN: a calculation error.
struct Dataset {
    /// The record keys (RecordIdCollector): the ids themselves, or their positions in id order when the file's
    /// ids are not all plain 32-bit numbers; the 1-based record numbers without an id column.
    std::vector<std::int32_t> ids;
    /// How the file writes the ids when the keys are not the ids; null otherwise.
    std::shared_ptr<const IdTexts> idTexts;
    std::vector<std::uint8_t> classes;
    std::vector<std::vector<double>> outputs; ///< outputs[model][record]
    std::vector<std::string> outputColumns;
    bool inverted = false;

    std::size_t size() const { return ids.size(); }
};

/// Reads a dataset; a missing column, a ragged row, an empty or repeated id, a target outside the encoding or a
/// file without records throws InputError naming file, line and column where there is one.
Dataset readDataset(const DatasetSpec& spec);

/// The distinct texts of a CSV column (surrounding blanks removed) in the order they first appear, at most
/// `limit` of them (for choosing an encoding).
std::vector<std::string> distinctTargets(const std::string& path, const std::string& targetColumn, std::size_t limit);

/// A text as a finite number in the file's form ("." decimal, optional sign, surrounding blanks allowed).
bool parseFieldNumber(std::string_view field, double& value);

} // namespace wb::engine
