#include "run/DataSet.h"

#include "sql/DatabaseSource.h"
#include "support/Error.h"

#include <algorithm>
#include <limits>

#include <QFile>

namespace wb {

DataSet::DataSet(QString csvPath, lrv::ClassEncoding encoding, std::int32_t sampling)
    : m_csvPath(std::move(csvPath))
    , m_encoding(encoding)
    , m_sampling(sampling)
{
}

bool DataSet::isDatabase(const QString& source) { return sql::isDatabaseSource(source.toStdString()); }

std::int32_t DataSet::count() const
{
    if (isDatabase(m_csvPath))
        return 0;
    if (!m_count) {
        std::int64_t records = 0;
        lrv::bestEffort([&] { records = countRecords(m_csvPath); });
        m_count = std::int32_t(std::min<std::int64_t>(records, std::numeric_limits<std::int32_t>::max()));
    }
    return *m_count;
}

std::int64_t DataSet::countRecords(const QString& csvPath)
{
    QFile file(csvPath);
    if (!file.open(QIODevice::ReadOnly))
        throw lrv::Error(QStringLiteral("Cannot read the CSV file %1: %2.").arg(csvPath, file.errorString()));
    std::int64_t lines = 0;
    bool quoted = false;
    bool content = false; // the current line holds something besides blanks
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const qint64 got = file.read(buffer.data(), qint64(buffer.size()));
        if (got <= 0)
            break;
        for (qint64 i = 0; i < got; ++i) {
            const char c = buffer[std::size_t(i)];
            if (c == '"')
                quoted = !quoted;
            if (c == '\n' && !quoted) {
                lines += content ? 1 : 0;
                content = false;
            } else if (c != '\r' && c != ' ' && c != '\t') {
                content = true;
            }
        }
    }
    lines += content ? 1 : 0;
    return std::max<std::int64_t>(0, lines - 1);
}

} // namespace wb
