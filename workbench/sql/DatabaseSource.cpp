#include "sql/DatabaseSource.h"

#include "engine/Dataset.h"

#include <algorithm>
#include <vector>

namespace wb::sql {

namespace {
    int hexValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    std::string percentDecoded(const std::string& text)
    {
        std::string decoded;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
                decoded += char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
                i += 2;
            } else {
                decoded += text[i];
            }
        }
        return decoded;
    }

    std::vector<std::string> split(const std::string& text, char separator)
    {
        std::vector<std::string> parts;
        std::size_t begin = 0;
        for (;;) {
            const std::size_t end = text.find(separator, begin);
            parts.push_back(text.substr(begin, end - begin));
            if (end == std::string::npos)
                return parts;
            begin = end + 1;
        }
    }

    [[noreturn]] void fail(const std::string& uri, const std::string& why)
    {
        throw engine::InputError("The database source " + uri + " " + why);
    }

    // The URI with a password in its user part ([begin, end)) or its parameters masked, for a message.
    std::string masked(const std::string& uri, std::size_t begin, std::size_t end)
    {
        std::string text;
        for (std::size_t i = 0; i < uri.size(); ++i) {
            if (i >= begin && i < end)
                continue;
            text += uri[i];
            if (i + 1 == begin)
                text += "***";
        }
        const std::size_t parameter = text.find("password=");
        if (parameter == std::string::npos)
            return text;
        const std::size_t valueEnd = std::min(text.find('&', parameter), text.size());
        std::string result;
        result.append(text, 0, parameter + 9).append("***").append(text, valueEnd, std::string::npos);
        return result;
    }
}

bool isDatabaseSource(const std::string& text)
{
    return text.rfind("postgresql://", 0) == 0 || text.rfind("postgres://", 0) == 0;
}

std::string quoteIdentifier(const std::string& name)
{
    std::string quoted = "\"";
    for (char c : name)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

DatabaseSource parseDatabaseSource(const std::string& uri)
{
    DatabaseSource source;
    source.uri = uri;
    const std::size_t schemeEnd = uri.find("://") + 3;
    const std::size_t question = uri.find('?');
    const std::string authority = uri.substr(schemeEnd, uri.find_first_of("/?", schemeEnd) - schemeEnd);
    const std::size_t at = authority.rfind('@');
    const std::size_t colon = at == std::string::npos ? std::string::npos : authority.substr(0, at).find(':');
    const char* const refusal = "holds a password: give it in PGPASSWORD or ~/.pgpass instead.";
    if (colon != std::string::npos)
        fail(masked(uri, schemeEnd + colon + 1, schemeEnd + at), refusal);

    std::string table, query;
    std::vector<std::string> kept;
    if (question != std::string::npos) {
        for (const std::string& parameter : split(uri.substr(question + 1), '&')) {
            const std::size_t equals = parameter.find('=');
            const std::string key = parameter.substr(0, equals);
            const std::string value = equals == std::string::npos ? "" : percentDecoded(parameter.substr(equals + 1));
            if (key == "table")
                table = value;
            else if (key == "query")
                query = value;
            else if (key == "password")
                fail(masked(uri, 0, 0), refusal);
            else if (!parameter.empty())
                kept.push_back(parameter);
        }
    }
    if (table.empty() == query.empty())
        fail(uri, "must name its records with exactly one of the parameters table=NAME and query=SELECT ….");
    source.connection = uri.substr(0, question);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        source.connection += i == 0 ? '?' : '&';
        source.connection += kept[i];
    }
    if (!query.empty()) {
        // The query becomes a subquery, where a closing semicolon would not parse.
        const std::size_t last = query.find_last_not_of(" \t\r\n;");
        source.relation = query.substr(0, last == std::string::npos ? 0 : last + 1);
    } else {
        std::string name;
        for (const std::string& part : split(table, '.')) {
            if (!name.empty())
                name += '.';
            name += quoteIdentifier(part);
        }
        source.relation = "SELECT * FROM " + name;
    }
    return source;
}

} // namespace wb::sql
