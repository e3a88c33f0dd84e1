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

bool parseFieldNumber(std::string_view field, double& value)
{
    field = trimmed(field);
    if (!field.empty() && field.front() == '+')
        field.remove_prefix(1);
    if (field.empty())
        return false;
    const auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    return ec == std::errc() && ptr == field.data() + field.size() && std::isfinite(value);
}

namespace {

    // The line on which the record at a 0-based position starts: read again, for a message only.
    std::int64_t lineOfRecord(const std::string& path, std::size_t record)
    {
        CsvScanner csv(path);
        std::vector<std::string_view> fields;
        csv.next(fields);
        for (std::size_t r = 0; r <= record; ++r)
            csv.next(fields);
        return csv.line();
    }

    // The target's value as the encoding reads it: the number, or the value (0 or 1) of a text target's label.
    bool targetValue(const DatasetSpec& spec, std::string_view field, double& value)
    {
        if (spec.targetLabels.empty())
            return parseFieldNumber(field, value);
        field = trimmed(field);
        for (std::size_t v = 0; v < spec.targetLabels.size(); ++v)
            if (field == spec.targetLabels[v]) {
                value = double(v);
                return true;
            }
        return false;
    }

    std::string classText(const DatasetSpec& spec, double value)
    {
        if (spec.targetLabels.empty() || (value != 0 && value != 1))
            return textOf(value);
        return '"' + spec.targetLabels[std::size_t(value)] + '"';
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
    RecordIdCollector ids;
    if (hasId)
        ids.reserve(expected);
    else
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
        if (!targetValue(spec, fields[targetColumn], target)
            || (target != spec.encoding.min && target != spec.encoding.max))
            throw InputError(place(csv, targetColumn, spec.targetColumn) + ": the target " + shown(fields[targetColumn])
                + " is neither " + classText(spec, spec.encoding.min) + " (class 0) nor "
                + classText(spec, spec.encoding.max) + " (class 1) of the class encoding.");
        data.classes.push_back(target == spec.encoding.max ? 1 : 0);

        if (hasId) {
            const std::string_view id = trimmed(fields[idColumn]);
            if (id.empty())
                throw InputError(place(csv, idColumn, spec.idColumn) + ": the id is empty; every record needs an id.");
            ids.add(id);
        } else if (record > std::numeric_limits<std::int32_t>::max()) {
            throw InputError(csv.path() + ": more than 2147483647 records; split the file.");
        } else {
            data.ids.push_back(std::int32_t(record));
        }

        for (std::size_t m = 0; m < outputColumns.size(); ++m) {
            double output = 0;
            // Outputs that are not finite numbers are calculation errors, kept and flagged.
            if (!parseFieldNumber(fields[outputColumns[m]], output))
                output = nan;
            data.outputs[m].push_back(output);
        }
    }
    if (record == 0)
        throw InputError(csv.path() + " has no records: below its header row there is no line of data.");
    if (hasId) {
        if (const auto duplicate = ids.finish(data.ids, data.idTexts)) {
            const std::string id = ids.idText(duplicate->second);
            throw InputError(csv.path() + ", line " + std::to_string(lineOfRecord(csv.path(), duplicate->second))
                + ", column " + std::to_string(idColumn + 1) + " (\"" + spec.idColumn + "\"): the id " + shown(id)
                + " is also the id of the record on line " + std::to_string(lineOfRecord(csv.path(), duplicate->first))
                + "; every record needs an id of its own.");
        }
    }
    return data;
}

std::vector<std::string> distinctTargets(const std::string& path, const std::string& targetColumn, std::size_t limit)
{
    CsvScanner csv(path);
    std::vector<std::string_view> fields = readHeader(csv);
    const std::size_t columns = fields.size();
    const std::size_t column = findColumn(csv, fields, targetColumn);
    std::vector<std::string> values;
    while (values.size() < limit && csv.next(fields)) {
        if (fields.size() != columns)
            throw InputError(csv.path() + ", line " + std::to_string(csv.line()) + ": the row has "
                + std::to_string(fields.size()) + " fields but the header has " + std::to_string(columns)
                + "; every row needs one field per column.");
        const std::string_view value = trimmed(fields[column]);
        if (value.empty())
            throw InputError(place(csv, column, targetColumn) + ": the target is empty; every record needs a target.");
        if (std::find(values.begin(), values.end(), value) == values.end())
            values.emplace_back(value);
    }
    return values;
}

} // namespace wb::engine
