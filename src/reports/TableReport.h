#pragma once

#include "host/ResultLayout.h"
#include "reports/IDataReport.h"
#include "support/ClipboardHelpers.h"
#include "support/OleColor.h"

#include <vector>

#include <QStringList>

namespace lrv {

class ReportRecordsModel;

/// What every report that owns a table shares: its columns and column map, building the columns,
/// refreshing the rows with the row limit of per-record tables, colouring rows and copying the table.
class TableReport : public IDataReport {
public:
    /// Per-record tables show at most this many rows.
    static constexpr int kMaxRows = 100000;

    int Index() const override { return m_index; }
    bool HasData() const override { return m_hasData; }
    bool HasMoreThanMaxRows() const override { return m_hasMoreThanMaxRows; }
    int ReportDataType() const override { return m_dataType; }
    void Init(ReportGrid* grid) override;
    void SetDataSourceDbl(const Table<double>& data) override;
    void SetDataSourceVar(const Table<Variant>& data) override;
    void Refresh() override;
    QString AllDataText() override;
    std::int64_t WriteAllData(TableTextWriter& writer, std::int64_t maxRows) override;
    void CopyAllData() override;
    void CopyColumns(const Vector<std::int32_t>& columns) override;
    void ClearData() override;

    /// The id of the record whose row is the threshold, highlighted in the threshold colour at the next
    /// refresh; HighlightThreshold moves the highlight in the rows shown now.
    void SetThresholdId(std::int32_t id) { m_thresholdId = id; }
    /// Highlights the row of the threshold id among the rows in the grid, without rebuilding them. Only for
    /// the report the grid shows.
    void HighlightThreshold();

    /// The text CopyColumns puts on the clipboard: the caption of the column at the grid position, then
    /// its cells one per line; empty without data or without such a column.
    QString ColumnText(int position);
    /// For grid column position k, the data column it shows.
    const std::vector<int>& columnMap() const { return m_columnMap; }
    QStringList captions() const;

protected:
    struct ColumnSpec {
        ColumnSpec(QString caption, int dataColumn, int itemIndex = -1)
            : caption(std::move(caption))
            , dataColumn(dataColumn)
            , itemIndex(itemIndex)
        {
        }
        template <class Layout>
        requires std::is_enum_v<Layout> ColumnSpec(QString caption, Layout dataColumn, int itemIndex = -1)
            : ColumnSpec(std::move(caption), index(dataColumn), itemIndex)
        {
        }

        QString caption;
        int dataColumn;
        /// The record item the column shows; -1: the column's position.
        int itemIndex = -1;
    };

    TableReport(int index, int dataType, std::vector<ColumnSpec> columns);

    /// Reads what a refresh needs before it starts (row colours).
    virtual void prepareRefresh() { }
    /// Whether a record keeps its own colour over the threshold highlight.
    virtual bool keepsOwnColour(const ReportRecordsModel&, int) const { return false; }
    /// Appends the records; throwing ends the refresh with the records added so far.
    virtual void fillRecords(ReportRecordsModel& records) = 0;
    /// The first row copied; -1 for the table's lower bound.
    virtual int firstCopiedRow() const { return -1; }
    /// How a copy of a table of numbers writes the cells that show a text, after checking that the table holds
    /// the columns it reads from. By default every copied column must exist and only the table's own texts
    /// (ids) are written; per-record reports with text columns answer for those cells, computed columns
    /// beyond the table included.
    virtual ClipboardHelpers::CellTextOverride copiedCellTexts(const std::vector<int>& dataColumns) const;

    /// The captions of the grid's columns, which head a copy; the report's own without a grid.
    QStringList headerCaptions() const;
    const Table<double>& doubleData() const { return m_doubles; }
    const Table<Variant>& variantData() const { return m_variants; }
    ReportGrid* grid() const { return m_grid; }

    /// The last row shown of a per-record table: its upper bound cut at the row limit.
    int lastShownRow();
    /// Adds the id of a per-record row as the file writes it: its text when the table has one, else its number.
    void addId(ReportRecordsModel& records, int row) const;
    /// Throws unless the table holds every column from `low` to `high`.
    void requireColumns(int low, int high) const;
    /// Colours the item at every column position of the record.
    void colourRow(ReportRecordsModel& records, int record, OleColor color) const;

    /// Row colours from the host configuration.
    static OleColor calculationErrorColor();
    static OleColor thresholdColor();
    static OleColor logisticThresholdColor();

private:
    void buildColumns();
    /// The copy text's lines of the data columns from the first copied row; returns the rows written.
    std::int64_t writeTableText(TableTextWriter& writer, const std::vector<int>& dataColumns, std::int64_t maxRows,
        bool withHeaders, const QString& title) const;
    /// writeTableText of the columns as a string for the clipboard; empty when it fails.
    QString tableText(const std::vector<int>& dataColumns, bool withHeaders, const QString& title) const;

    const int m_index;
    const int m_dataType;
    const std::vector<ColumnSpec> m_columns;
    std::vector<int> m_columnMap;
    ReportGrid* m_grid = nullptr;
    Table<double> m_doubles;
    Table<Variant> m_variants;
    bool m_hasData = false;
    bool m_hasMoreThanMaxRows = false;
    std::optional<std::int32_t> m_thresholdId; ///< reports without a threshold row never get one
};

} // namespace lrv
