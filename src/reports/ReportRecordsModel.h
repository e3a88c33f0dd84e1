#pragma once

#include "reports/ReportColumn.h"
#include "reports/ReportItem.h"

#include <cstdint>
#include <optional>
#include <vector>

#include <QAbstractItemModel>
#include <QHash>
#include <QList>
#include <QString>

namespace lrv {

/// The records behind the report grid: columns, records of compact items and, optionally, the grouping
/// of the records by one column. Changes to columns or records are collected and shown by one model
/// reset at populate(); data() is a constant-time lookup.
class ReportRecordsModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit ReportRecordsModel(QObject* parent = nullptr);

    // Columns, by grid position.
    void clearColumns();
    int addColumn(const ReportColumn& column);
    void setColumnAlignment(int position, Qt::Alignment values, Qt::Alignment header);
    int columnTotal() const { return int(m_columns.size()); }
    const ReportColumn& column(int position) const { return m_columns[std::size_t(position)]; }
    /// Grows every time the columns are rebuilt, so that a view knows when to lay them out again.
    int columnsGeneration() const { return m_columnsGeneration; }

    // Records. Items go to the last record added.
    void clearRecords();
    int addRecord()
    {
        edit();
        m_recordStart.push_back(std::uint32_t(m_items.size()));
        return int(m_recordStart.size()) - 1;
    }
    void addNumber(double value)
    {
        edit();
        ReportItem item;
        item.number = value;
        m_items.push_back(item);
    }
    void addNumber(double value, CaptionFormat format)
    {
        addNumber(value);
        m_items.back().format = std::uint32_t(format);
    }
    /// An item whose value is the text with this id (textId).
    void addTextById(int id)
    {
        edit();
        ReportItem item;
        item.text = id;
        item.isText = 1;
        m_items.push_back(item);
    }
    void addText(const QString& text) { addTextById(textId(text)); }
    /// The id of a text in the pool of the current records; equal texts share one id.
    int textId(const QString& text);

    int recordCount() const { return int(m_recordStart.size()); }
    int itemCount(int record) const;
    /// A caption replaces the shown text of the item (for a text item, its text).
    void setItemCaption(int record, int itemIndex, const QString& caption);
    void setItemCaptionFormat(int record, int itemIndex, CaptionFormat format);
    void setItemBackground(int record, int itemIndex, OleColor color)
    {
        if (ReportItem* found = item(record, itemIndex)) {
            found->background = color & 0xFFFFFF;
            found->hasBackground = 1;
        }
    }
    /// One record shown in a colour over its items' own (a report's threshold row), moved without
    /// rebuilding the records; -1 for none. Records added later keep it until clearRecords.
    void setHighlightedRecord(int record, OleColor color);
    int highlightedRecord() const { return m_highlighted; }
    /// The shown text of an item; empty when the record has no such item.
    QString itemText(int record, int itemIndex) const;
    std::optional<OleColor> itemBackground(int record, int itemIndex) const;
    /// The item's own background, whether or not its record is highlighted.
    std::optional<OleColor> ownBackground(int record, int itemIndex) const;
    /// The shown texts of the records, cells in grid column order separated by TAB, lines by CR LF.
    QString recordsText(const QList<int>& records) const;

    /// Shows the collected columns and records (and regroups them) with one model reset.
    void populate();

    // Grouping by the column at a grid position; takes effect at populate(). A rebuild of the columns
    // keeps the grouping when a column with the same caption is still there.
    void setGroupColumn(int position);
    int groupColumn() const { return m_grouped ? m_groupPosition : -1; }
    bool isGrouped() const { return m_grouped; }
    int groupCount() const { return int(m_groups.size()); }
    QString groupText(int group) const;
    /// The model index of a record's row (in its group when grouped).
    QModelIndex indexOfRecord(int record, int column = 0) const;
    /// The record shown at an index; -1 for a group row.
    int recordOf(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Group {
        QString text;
        std::vector<int> records;
    };

    void edit()
    {
        if (!m_editing)
            beginEdit();
    }
    void beginEdit();
    void regroup();
    ReportItem* item(int record, int itemIndex)
    {
        if (record < 0 || record >= recordCount() || itemIndex < 0 || itemIndex >= itemCount(record))
            return nullptr;
        return &m_items[m_recordStart[std::size_t(record)] + std::size_t(itemIndex)];
    }
    const ReportItem* item(int record, int itemIndex) const
    {
        return const_cast<ReportRecordsModel*>(this)->item(record, itemIndex);
    }

    std::vector<ReportColumn> m_columns;
    int m_columnsGeneration = 0;
    std::vector<ReportItem> m_items;
    std::vector<std::uint32_t> m_recordStart;
    std::vector<QString> m_texts;
    QHash<QString, int> m_textIds;
    bool m_editing = false;

    int m_groupPosition = -1;
    QString m_groupCaption;
    bool m_grouped = false;
    std::vector<Group> m_groups;
    std::vector<int> m_recordGroup; // group of each record
    std::vector<int> m_recordRow; // row of each record inside its group
    int m_highlighted = -1;
    OleColor m_highlightColor = 0;
};

} // namespace lrv
