#pragma once

#include "host/IDataSet.h"
#include "host/RunStore.h"

#include <optional>

namespace wb {

/// A dataset of a run: its CSV file and class encoding. The record count is counted on first use.
class DataSet : public lrv::IDataSet {
public:
    DataSet(QString csvPath, lrv::ClassEncoding encoding, std::int32_t sampling);

    /// Records of the CSV file (rows after the header); 0 when the file cannot be read.
    std::int32_t count() const override;

    QString csvPath() const { return m_csvPath; }
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
