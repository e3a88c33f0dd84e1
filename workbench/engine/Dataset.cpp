#include "engine/Dataset.h"

#include "engine/BigBuffer.h"
#include "engine/CsvScanner.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace wb::engine {

namespace {

    std::string_view trimmed(std::string_view text)
    {
        std::size_t begin = 0, end = text.size();
        while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
            ++begin;
        while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
            --end;
        return text.substr(begin, end - begin);
    }

    // The whole field as a number, or nothing: "." decimal, optional sign, surrounding blanks allowed.
    bool parseNumber(std::string_view field, double& value)
    {
        field = trimmed(field);
        if (!field.empty() && field.front() == '+')
            field.remove_prefix(1);
        if (field.empty())
            return false;
        const auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
        return ec == std::errc() && ptr == field.data() + field.size();
    }

    std::string place(const CsvScanner& csv, std::size_t column, const std::string& name)
    {
        return csv.path() + ", line " + std::to_string(csv.line()) + ", column " + std::to_string(column + 1) + " (\""
            + name + "\")";
    }

    std::string shown(std::string_view field)
    {
        std::string text(1, '"');
        text.append(field.substr(0, 40));
        if (field.size() > 40)
            text.append("…");
        text.push_back('"');
        return text;
    }

    std::size_t findColumn(const CsvScanner& csv, const std::vector<std::string_view>& header, const std::string& name)
    {
        for (std::size_t c = 0; c < header.size(); ++c)
            if (trimmed(header[c]) == trimmed(name))
                return c;
        throw InputError(csv.path() + ", line " + std::to_string(csv.line()) + ": the header has no column \"" + name
            + "\". Check the column names of the run against the file.");
    }

    std::vector<std::string_view> readHeader(CsvScanner& csv)
    {
        std::vector<std::string_view> header;
        if (!csv.next(header))
            throw InputError(csv.path() + ": the file is empty; a header row naming the columns is needed.");
        return header;
    }

    std::string textOf(double value)
    {
        char buffer[32];
        const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, ec == std::errc() ? ptr : buffer);
    }

} // namespace

Dataset readDataset(const DatasetSpec& spec)
{
    CsvScanner csv(spec.path);
    std::vector<std::string_view> fields = readHeader(csv);
    const std::size_t columns = fields.size();
    const std::size_t targetColumn = findColumn(csv, fields, spec.targetColumn);
    const bool hasId = !spec.idColumn.empty();
    const std::size_t idColumn = hasId ? findColumn(csv, fields, spec.idColumn) : 0;
    std::vector<std::size_t> outputColumns;
    for (const std::string& name : spec.outputColumns)
        outputColumns.push_back(findColumn(csv, fields, name));

    Dataset data;
    data.outputColumns = spec.outputColumns;
    data.inverted = spec.encoding.invert;
    data.outputs.resize(outputColumns.size());
    const std::size_t expected = csv.lineCount();
    data.ids.reserve(expected);
    data.classes.reserve(expected);
    adviseHugePages(data.ids.data(), expected * sizeof(std::int32_t));
    adviseHugePages(data.classes.data(), expected);
    for (auto& outputs : data.outputs) {
        outputs.reserve(expected);
        adviseHugePages(outputs.data(), expected * sizeof(double));
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::int64_t record = 0;
    while (csv.next(fields)) {
        ++record;
        if (fields.size() != columns)
            throw InputError(csv.path() + ", line " + std::to_string(csv.line()) + ": the row has "
                + std::to_string(fields.size()) + " fields but the header has " + std::to_string(columns)
                + "; every row needs one field per column.");

        double target = 0;
        if (!parseNumber(fields[targetColumn], target) || (target != spec.encoding.min && target != spec.encoding.max))
            throw InputError(place(csv, targetColumn, spec.targetColumn) + ": the target " + shown(fields[targetColumn])
                + " is neither " + textOf(spec.encoding.min) + " (class 0) nor " + textOf(spec.encoding.max)
                + " (class 1) of the class encoding.");
        data.classes.push_back(target == spec.encoding.max ? 1 : 0);

        std::int64_t id = record;
        if (hasId) {
            double value = 0;
            if (!parseNumber(fields[idColumn], value) || value != std::floor(value)
                || value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
                throw InputError(place(csv, idColumn, spec.idColumn) + ": the id " + shown(fields[idColumn])
                    + " is not a whole number from -2147483648 to 2147483647.");
            id = std::int64_t(value);
        } else if (record > std::numeric_limits<std::int32_t>::max()) {
            throw InputError(csv.path() + ": more than 2147483647 records; split the file.");
        }
        data.ids.push_back(std::int32_t(id));

        for (std::size_t m = 0; m < outputColumns.size(); ++m) {
            double output = 0;
            // Outputs that are not finite numbers are calculation errors, kept and flagged.
            if (!parseNumber(fields[outputColumns[m]], output) || !std::isfinite(output))
                output = nan;
            data.outputs[m].push_back(output);
        }
    }
    return data;
}

std::vector<double> distinctTargets(const std::string& path, const std::string& targetColumn, std::size_t limit)
{
    CsvScanner csv(path);
    std::vector<std::string_view> fields = readHeader(csv);
    const std::size_t columns = fields.size();
    const std::size_t column = findColumn(csv, fields, targetColumn);
    std::vector<double> values;
    while (values.size() < limit && csv.next(fields)) {
        if (fields.size() != columns)
            throw InputError(csv.path() + ", line " + std::to_string(csv.line()) + ": the row has "
                + std::to_string(fields.size()) + " fields but the header has " + std::to_string(columns)
                + "; every row needs one field per column.");
        double value = 0;
        if (!parseNumber(fields[column], value) || !std::isfinite(value))
            throw InputError(
                place(csv, column, targetColumn) + ": the target " + shown(fields[column]) + " is not a number.");
        if (std::find(values.begin(), values.end(), value) == values.end())
            values.push_back(value);
    }
    std::sort(values.begin(), values.end());
    return values;
}

} // namespace wb::engine
