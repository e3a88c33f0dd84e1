#pragma once

#include <QStyledItemDelegate>

namespace lrv {

/// Paints item texts that do not fit their cell cut with an ellipsis, numbers in exponent form in their
/// mantissa so that the exponent stays readable.
class ElidingItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace lrv
