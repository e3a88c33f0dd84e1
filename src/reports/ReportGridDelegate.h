#pragma once

#include "reports/ElidingItemDelegate.h"
#include "reports/ReportPaintOptions.h"

namespace lrv {

/// Paints a report grid cell with the grid lines of the paint options on its right and bottom edges.
class ReportGridDelegate : public ElidingItemDelegate {
    Q_OBJECT
public:
    explicit ReportGridDelegate(QObject* parent = nullptr);

    void setPaintOptions(const ReportPaintOptions& options) { m_options = options; }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    ReportPaintOptions m_options;
};

} // namespace lrv
