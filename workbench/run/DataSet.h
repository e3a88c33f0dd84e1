#pragma once

#include "host/IDataSet.h"
#include "host/RunStore.h"

#include <optional>

namespace wb {

/// A dataset of a run: its CSV file or database source, and its class encoding. The record count of a CSV
/// file is counted on first use.
class DataSet : public lrv::IDataSet {
public:
    DataSet(QString csvPath, lrv::ClassEncoding encoding, std::int32_t sampling);

    /// Records of the CSV file (rows after the header); 0 when the file cannot be read or the dataset lives
    /// in a database (counting there can take long).
    std::int32_t count() const override;

    /// The CSV path, or the database source (see sql::DatabaseSource).
    QString csvPath() const { return m_csvPath; }
    /// True when a source names a database rather than a CSV file.
    static bool isDatabase(const QString& source);
    lrv::ClassEncoding encoding() const { return m_encoding; }
    std::int32_t sampling() const { return m_sampling; }

    /// Counts the records of a CSV file: lines after the header that are not blank, quoted line breaks
    /// included in their record. Throws lrv::Error when the file cannot be read.
    static std::int64_t countRecords(const QString& csvPath);

private:
    QString m_csvPath;
    lrv::ClassEncoding m_encoding;
    std::int32_t m_sampling;
    mutable std::optional<std::int32_t> m_count;
};

} // namespace wb
