#include "reports/TableReport.h"

#include "host/HostConfiguration.h"
#include "reports/ReportGrid.h"
#include "reports/ReportRecordsModel.h"
#include "support/ClipboardHelpers.h"
#include "support/Error.h"

#include <algorithm>

namespace lrv {

namespace {
    const int kQuantileWidth = 60;
    const int kColumnWidth = 100;
}

TableReport::TableReport(int index, int dataType, std::vector<ColumnSpec> columns)
    : m_index(index)
    , m_dataType(dataType)
    , m_columns(std::move(columns))
{
    for (const ColumnSpec& column : m_columns)
        m_columnMap.push_back(column.dataColumn);
}

QStringList TableReport::captions() const
{
    QStringList result;
    for (const ColumnSpec& column : m_columns)
        result.append(column.caption);
    return result;
}

QStringList TableReport::headerCaptions() const
{
    if (!m_grid)
        return captions();
    QStringList result;
    for (int position = 0; position < m_grid->columnCount(); ++position)
        result.append(m_grid->columnCaption(position));
    return result;
}

void TableReport::Init(ReportGrid* grid)
{
    m_grid = grid;
    if (m_grid && !bestEffort([this] { buildColumns(); }))
        m_grid->populate();
}

void TableReport::buildColumns()
{
    ReportGrid& grid = *m_grid;
    ReportRecordsModel& records = grid.records();
    records.clearColumns();
    records.clearRecords();
    grid.setPaintOptions(ReportPaintOptions());
    for (std::size_t position = 0; position < m_columns.size(); ++position) {
        const ColumnSpec& spec = m_columns[position];
        const int width = position == 0 && spec.caption == QLatin1String("Quantile") ? kQuantileWidth : kColumnWidth;
        const int column = grid.addColumn(spec.itemIndex < 0 ? int(position) : spec.itemIndex, spec.caption, width);
        grid.setColumnAlignment(column, Qt::AlignRight | Qt::AlignVCenter, Qt::AlignHCenter | Qt::AlignVCenter);
    }
    grid.populate();
}

void TableReport::SetDataSourceDbl(const Table<double>& data)
{
    if (m_dataType != 0)
        return;
    m_doubles = data;
    m_hasData = true;
}

void TableReport::SetDataSourceVar(const Table<Variant>& data)
{
    if (m_dataType != 1)
        return;
    m_variants = data;
    m_hasData = true;
}

void TableReport::Refresh()
{
    if (!m_hasData || !m_grid)
        return;
    const bool ready = bestEffort([this] {
        prepareRefresh();
        buildColumns();
    });
    // A failing row ends the refresh; the grid shows the records built before it.
    if (ready)
        bestEffort([this] { fillRecords(m_grid->records()); });
    if (ready)
        bestEffort([this] { HighlightThreshold(); });
    m_grid->populate();
    m_grid->redraw();
}

void TableReport::HighlightThreshold()
{
    if (!m_grid || !m_thresholdId)
        return;
    ReportRecordsModel& records = m_grid->records();
    // Records are the table's rows in order from its lower bound.
    const double id = *m_thresholdId;
    const int count = std::min(records.recordCount(), m_doubles.rowCount());
    int found = -1;
    for (int record = 0; record < count && found < 0; ++record)
        if (m_doubles.at(m_doubles.rowLow() + record, 0) == id)
            found = record;
    if (found >= 0 && keepsOwnColour(records, found))
        found = -1;
    records.setHighlightedRecord(found, thresholdColor());
}

int TableReport::lastShownRow()
{
    // Each refresh says whether its own table was cut: a smaller table after a cut one shows every row.
    const int last = m_doubles.rowHigh();
    m_hasMoreThanMaxRows = last > kMaxRows - 1;
    return m_hasMoreThanMaxRows ? kMaxRows - 1 : last;
}

void TableReport::addId(ReportRecordsModel& records, int row) const
{
    // Every per-record table keeps its ids in the same column.
    static_assert(index(RocColumn::Id) == index(ProbabilityColumn::Id));
    if (std::optional<QString> text = m_doubles.text(row, index(RocColumn::Id)))
        records.addText(*text);
    else
        records.addNumber(at(m_doubles, row, RocColumn::Id));
}

void TableReport::requireColumns(int low, int high) const
{
    const int colLow = m_dataType == 0 ? m_doubles.colLow() : m_variants.colLow();
    const int colHigh = m_dataType == 0 ? m_doubles.colHigh() : m_variants.colHigh();
    if (low < colLow || high > colHigh)
        throw Error(QStringLiteral("The table of report %1 has columns %2 to %3 but needs %4 to %5.")
                        .arg(m_index)
                        .arg(colLow)
                        .arg(colHigh)
                        .arg(low)
                        .arg(high));
}

void TableReport::colourRow(ReportRecordsModel& records, int record, OleColor color) const
{
    for (int position = 0; position < int(m_columns.size()); ++position)
        records.setItemBackground(record, position, color);
}

OleColor TableReport::calculationErrorColor()
{
    return HostConfiguration::color(QStringLiteral("LogisticRegression.Grid.RowColor.CalculationError"));
}

OleColor TableReport::thresholdColor()
{
    return HostConfiguration::color(QStringLiteral("LogisticRegression.Cutoff.Chart.Threshold.Backcolor"));
}

OleColor TableReport::logisticThresholdColor()
{
    return HostConfiguration::color(QStringLiteral("LogisticRegression.Logistic.Threshold.Backcolor"));
}

ClipboardHelpers::CellTextOverride TableReport::copiedCellTexts(const std::vector<int>& dataColumns) const
{
    const auto [lowest, highest] = std::minmax_element(dataColumns.begin(), dataColumns.end());
    if (lowest != dataColumns.end())
        requireColumns(*lowest, *highest);
    return {};
}

std::int64_t TableReport::writeTableText(TableTextWriter& writer, const std::vector<int>& dataColumns,
    std::int64_t maxRows, bool withHeaders, const QString& title) const
{
    const ClipboardHelpers::CellTextOverride cellTexts = copiedCellTexts(dataColumns);
    if (m_dataType == 0)
        return ClipboardHelpers::WriteTableText(
            writer, dataColumns, m_doubles, firstCopiedRow(), maxRows, headerCaptions(), withHeaders, title, cellTexts);
    return ClipboardHelpers::WriteTableText(
        writer, dataColumns, m_variants, firstCopiedRow(), maxRows, headerCaptions(), withHeaders, title);
}

QString TableReport::tableText(const std::vector<int>& dataColumns, bool withHeaders, const QString& title) const
{
    QString text;
    bestEffort([&] {
        text = ClipboardHelpers::WrittenText(
            [&](TableTextWriter& writer) { return writeTableText(writer, dataColumns, -1, withHeaders, title); });
    });
    return text;
}

QString TableReport::AllDataText()
{
    if (!m_hasData)
        return {};
    return tableText(m_columnMap, true, QString());
}

std::int64_t TableReport::WriteAllData(TableTextWriter& writer, std::int64_t maxRows)
{
    if (!m_hasData)
        return 0;
    return writeTableText(writer, m_columnMap, maxRows, true, QString());
}

void TableReport::CopyAllData()
{
    if (!m_hasData)
        return;
    const QString text = tableText(m_columnMap, true, QString());
    if (!text.isEmpty())
        bestEffort([&] { ClipboardHelpers::CopyText(text); });
}

QString TableReport::ColumnText(int position)
{
    if (!m_hasData || position < 0 || position >= int(m_columns.size()))
        return {};
    return tableText({ m_columnMap[std::size_t(position)] }, false, m_columns[std::size_t(position)].caption);
}

void TableReport::CopyColumns(const Vector<std::int32_t>& columns)
{
    if (columns.isEmpty())
        return;
    const QString text = ColumnText(columns.at(columns.low()));
    if (!text.isEmpty())
        bestEffort([&] { ClipboardHelpers::CopyText(text); });
}

void TableReport::ClearData()
{
    m_doubles = Table<double>();
    m_variants = Table<Variant>();
    m_hasData = false;
    m_hasMoreThanMaxRows = false;
}

} // namespace lrv
