#pragma once

#include "reports/ReportPaintOptions.h"
#include "reports/ReportRecordsModel.h"

#include <optional>

#include <QList>
#include <QPoint>
#include <QWidget>

class QTreeView;

namespace lrv {

class ReportGridDelegate;
class ReportGroupBox;

/// The report grid: a group box area above a tree view over the records model. Reports build columns
/// and records in records(), then populate(); the window reads selection and focus and copies rows.
class ReportGrid : public QWidget {
    Q_OBJECT
public:
    explicit ReportGrid(QWidget* parent = nullptr);
    ~ReportGrid() override;

    ReportRecordsModel& records() const { return *m_model; }
    QTreeView* view() const { return m_view; }

    // Columns, by grid position.
    void clearColumns();
    int addColumn(int itemIndex, const QString& caption, int width, bool resizable = true);
    void setColumnAlignment(int position, Qt::Alignment values, Qt::Alignment header);
    int columnCount() const;
    QString columnCaption(int position) const;
    /// The record item a column shows; -1 when there is no such column.
    int columnItemIndex(int position) const;
    int columnWidth(int position) const;

    /// Removes all rows at once; the columns stay.
    void clearRecords();
    /// Colours the item at every column position of the record.
    void setRowBackground(int record, OleColor color);
    /// Shows the records as built so far, regrouped.
    void populate();
    void redraw();

    /// Number of records shown (group rows not counted).
    int rowCount() const;
    QString itemText(int row, int column) const;
    std::optional<OleColor> itemBackground(int row, int column) const;

    void setPaintOptions(const ReportPaintOptions& options);
    const ReportPaintOptions& paintOptions() const { return m_paintOptions; }
    void setTextFont(const QFont& font);

    /// Grid position of the column holding the focus; -1 when none.
    int focusedColumn() const;
    /// Records of the selected rows, ascending.
    QList<int> selectedRows() const;
    /// Clears the selection, selects the record's row and scrolls it into view.
    void selectRow(int row);
    /// The shown texts of the selected rows, cells separated by TAB, lines by CR LF.
    QString selectedRowsText() const;
    void copySelectedRows();

    void setGroupBoxVisible(bool visible);
    bool isGroupBoxVisible() const { return m_groupBoxVisible; }
    /// Groups the rows by the column at this grid position and repopulates.
    void groupByColumn(int position);
    /// Grid position of the grouping column; -1 when the rows are not grouped.
    int groupColumn() const;
    void removeGrouping();

signals:
    void selectionChanged();
    /// A right-button release over the rows.
    void contextMenuRequested(QPoint globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOutColumns();

    ReportRecordsModel* m_model;
    ReportGroupBox* m_groupBox;
    QTreeView* m_view;
    ReportGridDelegate* m_delegate;
    ReportPaintOptions m_paintOptions;
    bool m_groupBoxVisible = false;
    int m_laidOutColumns = -1;
};

} // namespace lrv
