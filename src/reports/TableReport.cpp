#include "reports/TableReport.h"

#include "charts/ChartsHelper.h"
#include "reports/ReportGrid.h"
#include "reports/ReportRecordsModel.h"
#include "support/ClipboardHelpers.h"
#include "support/Error.h"

#include <algorithm>

namespace lrv {

namespace {
    class TextCellSource : public TableSource<Variant> {
    public:
        TextCellSource(
            Table<double> data, std::function<std::optional<QString>(const Table<double>&, int row, int col)> text)
            : m_data(std::move(data))
            , m_text(std::move(text))
        {
        }

        Variant cell(std::int64_t rowOffset, int colOffset) const override
        {
            const int row = m_data.rowLow() + int(rowOffset);
            const int col = m_data.colLow() + colOffset;
            if (std::optional<QString> text = m_text(m_data, row, col))
                return Variant(*text);
            if (std::optional<QString> text = m_data.text(row, col))
                return Variant(*text);
            return Variant(m_data.at(row, col));
        }

    private:
        Table<double> m_data;
        std::function<std::optional<QString>(const Table<double>&, int, int)> m_text;
    };

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
    return ChartsHelper::GetConfigColor(QStringLiteral("LogisticRegression.Grid.RowColor.CalculationError"));
}

OleColor TableReport::thresholdColor()
{
    return ChartsHelper::GetConfigColor(QStringLiteral("LogisticRegression.Cutoff.Chart.Threshold.Backcolor"));
}

OleColor TableReport::logisticThresholdColor()
{
    return ChartsHelper::GetConfigColor(QStringLiteral("LogisticRegression.Logistic.Threshold.Backcolor"));
}

Table<Variant> TableReport::withTextCells(const Table<double>& data, int colHigh,
    std::function<std::optional<QString>(const Table<double>&, int row, int col)> text)
{
    return Table<Variant>::computed(data.rowLow(), data.rowHigh(), data.colLow(), std::max(colHigh, data.colHigh()),
        std::make_shared<const TextCellSource>(data, std::move(text)));
}

QString TableReport::tableText(const std::vector<int>& dataColumns, bool withHeaders, const QString& title) const
{
    const auto [lowest, highest] = std::minmax_element(dataColumns.begin(), dataColumns.end());
    if (lowest != dataColumns.end())
        requireColumns(*lowest, *highest);
    if (m_dataType == 0)
        return ClipboardHelpers::DoubleTableText(
            dataColumns, m_doubles, firstCopiedRow(), headerCaptions(), withHeaders, title);
    return ClipboardHelpers::VariantTableText(
        dataColumns, m_variants, firstCopiedRow(), headerCaptions(), withHeaders, title);
}

QString TableReport::AllDataText()
{
    if (!m_hasData)
        return {};
    QString text;
    bestEffort([&] { text = tableText(m_columnMap, true, QString()); });
    return text;
}

void TableReport::CopyAllData()
{
    if (!m_hasData)
        return;
    bestEffort([this] {
        const QString text = tableText(m_columnMap, true, QString());
        ClipboardHelpers::CopyText(text);
    });
}

QString TableReport::ColumnText(int position)
{
    if (!m_hasData || position < 0 || position >= int(m_columns.size()))
        return {};
    QString text;
    bestEffort([&] {
        text = tableText({ m_columnMap[std::size_t(position)] }, false, m_columns[std::size_t(position)].caption);
    });
    return text;
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
