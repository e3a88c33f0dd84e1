#include "reports/ReportRecordsModel.h"

#include "support/NumberText.h"

#include <algorithm>
#include <cmath>

#include <QFont>

namespace lrv {

namespace {
    const QString kLineBreak = QStringLiteral("\r\n");
}

ReportRecordsModel::ReportRecordsModel(QObject* parent)
    : QAbstractItemModel(parent)
{
}

void ReportRecordsModel::clearColumns()
{
    edit();
    m_columns.clear();
    ++m_columnsGeneration;
}

int ReportRecordsModel::addColumn(const ReportColumn& column)
{
    edit();
    m_columns.push_back(column);
    ++m_columnsGeneration;
    return int(m_columns.size()) - 1;
}

void ReportRecordsModel::setColumnAlignment(int position, Qt::Alignment values, Qt::Alignment header)
{
    if (position < 0 || position >= columnTotal())
        return;
    m_columns[std::size_t(position)].alignment = values;
    m_columns[std::size_t(position)].headerAlignment = header;
    if (!m_editing && rowCount() > 0)
        emit dataChanged(index(0, position), index(rowCount() - 1, position), { Qt::TextAlignmentRole });
    if (!m_editing)
        emit headerDataChanged(Qt::Horizontal, position, position);
}

void ReportRecordsModel::clearRecords()
{
    edit();
    // clear() keeps the capacity, so the next refresh of a big table writes into memory it already has.
    m_items.clear();
    m_recordStart.clear();
    m_texts.clear();
    m_textIds.clear();
    m_highlighted = -1;
}

void ReportRecordsModel::setHighlightedRecord(int record, OleColor color)
{
    const int before = m_highlighted;
    m_highlighted = record;
    m_highlightColor = color & 0xFFFFFF;
    // While records are collected the next populate shows everything anyway.
    if (m_editing)
        return;
    for (const int changed : { before, record })
        if (changed >= 0 && changed < recordCount() && columnTotal() > 0)
            emit dataChanged(
                indexOfRecord(changed, 0), indexOfRecord(changed, columnTotal() - 1), { Qt::BackgroundRole });
}

int ReportRecordsModel::textId(const QString& text)
{
    const auto found = m_textIds.constFind(text);
    if (found != m_textIds.constEnd())
        return found.value();
    const int id = int(m_texts.size());
    m_texts.push_back(text);
    m_textIds.insert(text, id);
    return id;
}

int ReportRecordsModel::itemCount(int record) const
{
    if (record < 0 || record >= recordCount())
        return 0;
    const std::size_t end
        = std::size_t(record) + 1 < m_recordStart.size() ? m_recordStart[std::size_t(record) + 1] : m_items.size();
    return int(end - m_recordStart[std::size_t(record)]);
}

void ReportRecordsModel::setItemCaption(int record, int itemIndex, const QString& caption)
{
    ReportItem* found = item(record, itemIndex);
    if (!found)
        return;
    edit();
    found->text = textId(caption);
    found->hasCaption = 1;
}

void ReportRecordsModel::setItemCaptionFormat(int record, int itemIndex, CaptionFormat format)
{
    if (ReportItem* found = item(record, itemIndex))
        found->format = std::uint32_t(format);
}

QString ReportRecordsModel::itemText(int record, int itemIndex) const
{
    const ReportItem* found = item(record, itemIndex);
    if (!found)
        return {};
    if (found->hasCaption || found->isText)
        return m_texts[std::size_t(found->text)];
    // A number that is not finite reads as in a copy of the table, whatever its caption format.
    if (!std::isfinite(found->number))
        return defaultNumberText(found->number);
    switch (CaptionFormat(found->format)) {
    case CaptionFormat::Value8:
        return roundedText8(found->number);
    case CaptionFormat::Value15:
        return roundedText15(found->number);
    case CaptionFormat::PercentOfHundred:
        return percentText(found->number / 100.0, 2);
    case CaptionFormat::None:
        break;
    }
    return defaultNumberText(found->number);
}

std::optional<OleColor> ReportRecordsModel::itemBackground(int record, int itemIndex) const
{
    if (record == m_highlighted && item(record, itemIndex))
        return m_highlightColor;
    return ownBackground(record, itemIndex);
}

std::optional<OleColor> ReportRecordsModel::ownBackground(int record, int itemIndex) const
{
    const ReportItem* found = item(record, itemIndex);
    if (!found || !found->hasBackground)
        return std::nullopt;
    return OleColor(found->background);
}

QString ReportRecordsModel::recordsText(const QList<int>& records) const
{
    QStringList lines;
    lines.reserve(records.size());
    for (int record : records) {
        if (record < 0 || record >= recordCount())
            continue;
        QStringList cells;
        for (const ReportColumn& column : m_columns)
            cells.append(itemText(record, column.itemIndex));
        lines.append(cells.join(QLatin1Char('\t')));
    }
    return lines.join(kLineBreak);
}

void ReportRecordsModel::beginEdit()
{
    beginResetModel();
    m_editing = true;
}

void ReportRecordsModel::populate()
{
    if (!m_editing)
        beginResetModel();
    regroup();
    m_editing = false;
    endResetModel();
}

void ReportRecordsModel::setGroupColumn(int position)
{
    edit();
    if (position < 0 || position >= columnTotal()) {
        m_groupPosition = -1;
        m_groupCaption.clear();
        return;
    }
    m_groupPosition = position;
    m_groupCaption = m_columns[std::size_t(position)].caption;
}

QString ReportRecordsModel::groupText(int group) const
{
    if (group < 0 || group >= groupCount())
        return {};
    const Group& found = m_groups[std::size_t(group)];
    const int count = int(found.records.size());
    const QString records = count == 1 ? tr("1 record") : tr("%1 records").arg(count);
    return QStringLiteral("%1: %2 (%3)").arg(m_groupCaption, found.text, records);
}

void ReportRecordsModel::regroup()
{
    m_groups.clear();
    m_recordGroup.clear();
    m_recordRow.clear();
    m_grouped = false;
    if (m_groupCaption.isEmpty())
        return;
    // The columns may have been rebuilt since the grouping was chosen: follow the caption.
    const auto column = std::find_if(m_columns.begin(), m_columns.end(),
        [this](const ReportColumn& candidate) { return candidate.caption == m_groupCaption; });
    if (column == m_columns.end()) {
        m_groupPosition = -1;
        m_groupCaption.clear();
        return;
    }
    m_groupPosition = int(column - m_columns.begin());
    const int itemIndex = column->itemIndex;

    // Groups are ordered by value: numbers ascending, then texts in alphabetical order.
    struct Key {
        bool isText;
        double number;
        QString text;
    };
    std::vector<Key> keys;
    QHash<QString, int> groupOfText;
    m_recordGroup.resize(std::size_t(recordCount()));
    for (int record = 0; record < recordCount(); ++record) {
        QString text = itemText(record, itemIndex);
        auto found = groupOfText.constFind(text);
        if (found == groupOfText.constEnd()) {
            const ReportItem* cell = item(record, itemIndex);
            const bool isText = !cell || cell->isText;
            keys.push_back({ isText, isText ? 0.0 : cell->number, text });
            m_groups.push_back({ text, {} });
            found = groupOfText.insert(text, int(m_groups.size()) - 1);
        }
        m_groups[std::size_t(found.value())].records.push_back(record);
    }
    std::vector<int> order(m_groups.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = int(k);
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
        const Key& left = keys[std::size_t(a)];
        const Key& right = keys[std::size_t(b)];
        if (left.isText != right.isText)
            return !left.isText;
        if (!left.isText)
            return left.number < right.number;
        return left.text < right.text;
    });
    std::vector<Group> sorted;
    sorted.reserve(m_groups.size());
    for (int from : order)
        sorted.push_back(std::move(m_groups[std::size_t(from)]));
    m_groups = std::move(sorted);

    m_recordRow.resize(std::size_t(recordCount()));
    for (std::size_t group = 0; group < m_groups.size(); ++group) {
        const std::vector<int>& records = m_groups[group].records;
        for (std::size_t row = 0; row < records.size(); ++row) {
            m_recordGroup[std::size_t(records[row])] = int(group);
            m_recordRow[std::size_t(records[row])] = int(row);
        }
    }
    m_grouped = true;
}

QModelIndex ReportRecordsModel::indexOfRecord(int record, int column) const
{
    if (record < 0 || record >= recordCount() || column < 0 || column >= columnTotal())
        return {};
    if (!m_grouped)
        return createIndex(record, column, quintptr(0));
    return createIndex(m_recordRow[std::size_t(record)], column, quintptr(m_recordGroup[std::size_t(record)] + 1));
}

int ReportRecordsModel::recordOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return -1;
    const quintptr id = index.internalId();
    if (id == 0)
        return m_grouped ? -1 : index.row();
    const Group& group = m_groups[std::size_t(id - 1)];
    return group.records[std::size_t(index.row())];
}

QModelIndex ReportRecordsModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= columnTotal())
        return {};
    if (!parent.isValid())
        return row < rowCount() ? createIndex(row, column, quintptr(0)) : QModelIndex();
    if (!m_grouped || parent.internalId() != 0 || parent.column() != 0 || parent.row() >= groupCount())
        return {};
    if (row >= int(m_groups[std::size_t(parent.row())].records.size()))
        return {};
    return createIndex(row, column, quintptr(parent.row() + 1));
}

QModelIndex ReportRecordsModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == 0)
        return {};
    return createIndex(int(child.internalId() - 1), 0, quintptr(0));
}

int ReportRecordsModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return m_grouped ? groupCount() : recordCount();
    if (!m_grouped || parent.internalId() != 0 || parent.column() != 0)
        return 0;
    return int(m_groups[std::size_t(parent.row())].records.size());
}

int ReportRecordsModel::columnCount(const QModelIndex&) const { return columnTotal(); }

QVariant ReportRecordsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= columnTotal())
        return {};
    if (m_grouped && index.internalId() == 0) {
        if (index.row() >= groupCount())
            return {};
        if (role == Qt::DisplayRole && index.column() == 0)
            return groupText(index.row());
        if (role == Qt::FontRole) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    }
    const int record = recordOf(index);
    if (record < 0 || record >= recordCount())
        return {};
    const ReportColumn& column = m_columns[std::size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return itemText(record, column.itemIndex);
    case Qt::BackgroundRole:
        if (const std::optional<OleColor> background = itemBackground(record, column.itemIndex))
            return toQColor(*background);
        return {};
    case Qt::TextAlignmentRole:
        return int(column.alignment);
    default:
        return {};
    }
}

QVariant ReportRecordsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnTotal())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[std::size_t(section)].caption;
    if (role == Qt::TextAlignmentRole)
        return int(m_columns[std::size_t(section)].headerAlignment);
    return {};
}

Qt::ItemFlags ReportRecordsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (m_grouped && index.internalId() == 0)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace lrv
