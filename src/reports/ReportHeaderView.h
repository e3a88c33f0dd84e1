#pragma once

#include <QHeaderView>
#include <QPoint>

namespace lrv {

/// The report grid's column header: a column dragged out of the header can be dropped on the group box.
class ReportHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit ReportHeaderView(QWidget* parent = nullptr);

    /// The drag data of a column: its grid position as text.
    static QString columnMimeType();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_pressedSection = -1;
    QPoint m_pressPosition;
};

} // namespace lrv
