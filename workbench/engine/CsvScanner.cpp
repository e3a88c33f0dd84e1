#include "engine/CsvScanner.h"

#include "engine/Dataset.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace wb::engine {

CsvScanner::CsvScanner(std::string path)
    : m_path(std::move(path))
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(m_path.c_str(), "rb"), &std::fclose);
    if (!file)
        throw InputError("Cannot open the file " + m_path + ": " + std::strerror(errno) + ".");
    std::fseek(file.get(), 0, SEEK_END);
    const long size = std::ftell(file.get());
    std::fseek(file.get(), 0, SEEK_SET);
    if (size < 0)
        throw InputError("Cannot read the file " + m_path + ": " + std::strerror(errno) + ".");
    m_text = BigBuffer<char>(std::size_t(size));
    if (size > 0 && std::fread(m_text.data(), 1, m_text.size(), file.get()) != m_text.size())
        throw InputError("Cannot read the file " + m_path + ": " + std::strerror(errno) + ".");
    if (std::string_view(m_text.data(), m_text.size()).starts_with("\xEF\xBB\xBF"))
        m_position = 3;
    m_separator = detectSeparator();
}

char CsvScanner::detectSeparator() const
{
    std::size_t commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (std::size_t i = m_position; i < m_text.size(); ++i) {
        const char c = m_text.data()[i];
        if (c == '"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == '\n' || c == '\r')
            break;
        else if (c == ',')
            ++commas;
        else if (c == ';')
            ++semicolons;
        else if (c == '\t')
            ++tabs;
    }
    if (semicolons > commas && semicolons >= tabs)
        return ';';
    if (tabs > commas && tabs > semicolons)
        return '\t';
    return ',';
}

std::string_view CsvScanner::quotedField(char*& p, char* end)
{
    // Unescapes in place: the text only gets shorter.
    char* out = ++p;
    char* const start = out;
    for (;;) {
        if (p == end)
            throw InputError(m_path + ", line " + std::to_string(m_recordLine)
                + ": a quoted field is not closed; add the closing double quote.");
        if (*p == '"') {
            if (p + 1 < end && p[1] == '"') {
                *out++ = '"';
                p += 2;
                continue;
            }
            ++p;
            break;
        }
        if (*p == '\n')
            ++m_line;
        *out++ = *p++;
    }
    // Anything between the closing quote and the separator is kept with the field's text.
    const std::string_view quoted(start, std::size_t(out - start));
    if (p < end && *p != m_separator && *p != '\n' && *p != '\r') {
        char* tail = p;
        while (p < end && *p != m_separator && *p != '\n' && *p != '\r')
            ++p;
        std::memmove(out, tail, std::size_t(p - tail));
        return std::string_view(start, quoted.size() + std::size_t(p - tail));
    }
    return quoted;
}

std::size_t CsvScanner::lineCount() const
{
    // Blocks of 255 bytes let the compiler count in byte-wide vector lanes.
    const auto* p = reinterpret_cast<const unsigned char*>(m_text.data());
    const std::size_t size = m_text.size();
    std::size_t lines = 1, i = 0;
    for (; i + 255 <= size; i += 255) {
        unsigned char block = 0;
        for (std::size_t k = 0; k < 255; ++k)
            block += p[i + k] == '\n';
        lines += block;
    }
    for (; i < size; ++i)
        lines += p[i] == '\n';
    return lines;
}

bool CsvScanner::next(std::vector<std::string_view>& fields)
{
    fields.clear();
    char* const begin = m_text.data();
    char* const end = begin + m_text.size();
    char* p = begin + m_position;
    // Skip blank lines; a CR alone ends a line too, so that messages name the right line.
    while (p < end && (*p == '\n' || *p == '\r')) {
        if (*p == '\n' || p + 1 == end || p[1] != '\n')
            ++m_line;
        ++p;
    }
    if (p == end) {
        m_position = m_text.size();
        return false;
    }
    m_recordLine = m_line;
    for (;;) {
        if (p < end && *p == '"') {
            fields.push_back(quotedField(p, end));
        } else {
            char* start = p;
            const char separator = m_separator;
            while (p < end && *p != separator && *p != '\n' && *p != '\r')
                ++p;
            fields.emplace_back(start, std::size_t(p - start));
        }
        if (p < end && *p == m_separator) {
            ++p;
            continue;
        }
        break;
    }
    if (p < end && *p == '\r') {
        ++p;
        if (p == end || *p != '\n')
            ++m_line;
    }
    if (p < end && *p == '\n') {
        ++p;
        ++m_line;
    }
    m_position = std::size_t(p - begin);
    return true;
}

} // namespace wb::engine
