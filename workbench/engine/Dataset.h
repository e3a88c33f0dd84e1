#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
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
};

/// The records of one CSV file: ids, classes (0/1 after the encoding) and one output column per model.
/// An output that is empty, not a number, NaN or infinite is stored as NaN: a calculation error.
struct Dataset {
    std::vector<std::int32_t> ids;
    std::vector<std::uint8_t> classes;
    std::vector<std::vector<double>> outputs; ///< outputs[model][record]
    std::vector<std::string> outputColumns;
    bool inverted = false;

    std::size_t size() const { return ids.size(); }
};

/// Reads a dataset; a missing column, a ragged row, a bad id or a target outside the encoding throws
/// InputError naming file, line and column.
Dataset readDataset(const DatasetSpec& spec);

/// The distinct target values of a CSV column, at most `limit` of them (for choosing an encoding).
std::vector<double> distinctTargets(const std::string& path, const std::string& targetColumn, std::size_t limit);

} // namespace wb::engine
