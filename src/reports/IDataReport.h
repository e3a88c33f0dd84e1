#pragma once

#include "support/Table.h"
#include "support/TableTextWriter.h"
#include "support/Variant.h"

#include <cstdint>

#include <QString>

namespace lrv {

class ReportGrid;

/// A report behind one report tab: it owns the table delivered for its analysis, builds the grid's
/// columns and rows from it, and copies it as text.
class IDataReport {
public:
    virtual ~IDataReport() = default;

    /// Fixed index 1..8, the report tab's position + 1.
    virtual int Index() const = 0;
    virtual bool HasData() const = 0;
    virtual bool HasMoreThanMaxRows() const = 0;
    /// 0: a table of doubles; 1: a table of variants.
    virtual int ReportDataType() const = 0;
    /// Keeps the grid and builds the report's columns in it (no rows).
    virtual void Init(ReportGrid* grid) = 0;
    virtual void SetDataSourceDbl(const Table<double>& data) = 0;
    virtual void SetDataSourceVar(const Table<Variant>& data) = 0;
    /// With data: rebuilds columns and rows; without: does nothing.
    virtual void Refresh() = 0;
    /// The whole table as "Copy All Data" text (header line, then every row).
    virtual QString AllDataText() = 0;
    /// Writes the AllDataText lines, each ended, with at most `maxRows` rows (-1: all) as they are formatted;
    /// returns the rows written. Files take tables of any size this way.
    virtual std::int64_t WriteAllData(TableTextWriter& writer, std::int64_t maxRows) = 0;
    /// Puts AllDataText on the clipboard.
    virtual void CopyAllData() = 0;
    /// Copies the data column of grid column position columns(first element), headed by its caption.
    virtual void CopyColumns(const Vector<std::int32_t>& columns) = 0;
    /// Forgets the data; the grid keeps what it shows.
    virtual void ClearData() = 0;
};

} // namespace lrv
