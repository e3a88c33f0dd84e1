#include "reports/ElidingItemDelegate.h"

#include "support/ElidedText.h"

#include <QApplication>
#include <QStyle>

namespace lrv {

void ElidingItemDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->text.isEmpty())
        return;
    const QStyle* style = option->widget ? option->widget->style() : QApplication::style();
    // The style keeps this margin on either side of an item's text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option->widget) + 1;
    int width = option->rect.width() - 2 * margin;
    if (option->features & QStyleOptionViewItem::HasDecoration)
        width -= option->decorationSize.width() + margin;
    option->text = elidedText(option->text, option->fontMetrics, width);
}

} // namespace lrv
