#pragma once

#include "engine/BigBuffer.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wb::engine {

/// Reads a whole CSV file at once and splits it into records in place: separated by commas, semicolons or tabs
/// (whichever the header row holds most of, commas when it holds none), fields optionally in double quotes ("" inside
/// quotes is one quote, and quoted fields may span lines), LF, CR LF or CR line ends, an optional UTF-8 byte order
/// mark. Throws InputError when the file cannot be read or a quote is not closed.
class CsvScanner {
public:
    explicit CsvScanner(std::string path);

    /// The next record's fields (views into the file's text); false at the end. Blank lines are skipped.
    bool next(std::vector<std::string_view>& fields);
    /// The line on which the record last returned by next() starts, from 1.
    std::int64_t line() const { return m_recordLine; }
    const std::string& path() const { return m_path; }
    /// The field separator found in the header row.
    char separator() const { return m_separator; }
    /// Lines in the file, an upper bound of its records (for reserving).
    std::size_t lineCount() const;

private:
    std::string_view quotedField(char*& p, char* end);
    char detectSeparator() const;

    std::string m_path;
    BigBuffer<char> m_text;
    std::size_t m_position = 0;
    std::int64_t m_line = 1;
    std::int64_t m_recordLine = 0;
    char m_separator = ',';
};

} // namespace wb::engine
