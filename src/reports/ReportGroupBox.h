#pragma once

#include <QFrame>

class QLabel;
class QToolButton;

namespace lrv {

/// The area above the report grid that takes a dragged column header to group the rows by that column.
class ReportGroupBox : public QFrame {
    Q_OBJECT
public:
    explicit ReportGroupBox(QWidget* parent = nullptr);

    /// Shows the caption of the grouping column, or the drop hint when empty.
    void setGroupCaption(const QString& caption);
    QString groupCaption() const;

signals:
    /// A column header was dropped here; position is its grid position.
    void columnDropped(int position);
    void removeRequested();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QLabel* m_hint;
    QToolButton* m_group;
    QString m_caption;
};

} // namespace lrv
