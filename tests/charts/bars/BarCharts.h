#pragma once
// What the bar charts are fed, and a probe that reads them back as a user sees them.

#include "host/ResultLayout.h"
#include "support/Table.h"
#include "support/Variant.h"

#include <cstdint>

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QMouseEvent>
#include <QPercentBarSeries>
#include <QWidget>

namespace lrv::test {

/// A decile results table of `buckets` rows (from 1) whose positive share falls from about 90 % in the first
/// bucket to about 5 % in the last; 100 records a bucket.
inline Table<Variant> decileResults(int buckets)
{
    TableBuilder<Variant> table(1, buckets, 0, index(DecileColumn::Last));
    for (int b = 1; b <= buckets; ++b) {
        const int positives = buckets == 1 ? 50 : 90 - (85 * (b - 1)) / (buckets - 1);
        const int negatives = 100 - positives;
        table.set(b, index(DecileColumn::Bucket), b);
        table.set(b, index(DecileColumn::Positives), positives);
        table.set(b, index(DecileColumn::Negatives), negatives);
        table.set(b, index(DecileColumn::Total), 100);
        table.set(b, index(DecileColumn::PositivePercent), double(positives));
        table.set(b, index(DecileColumn::NegativePercent), double(negatives));
    }
    return table.build();
}

/// Per-bucket confusion counts [TP, TN, FP, FN] (rows from 0): bucket b holds b + 1 true positives and
/// 10 · (b + 1) cases in all.
inline Table<std::int32_t> confusionSeries(int buckets)
{
    TableBuilder<std::int32_t> table(0, buckets - 1, 0, index(Outcome::Last));
    for (int b = 0; b < buckets; ++b) {
        table.set(b, index(Outcome::TruePositive), b + 1);
        table.set(b, index(Outcome::TrueNegative), 5 * (b + 1));
        table.set(b, index(Outcome::FalsePositive), 3 * (b + 1));
        table.set(b, index(Outcome::FalseNegative), b + 1);
    }
    return table.build();
}

/// Reads back what a bar chart shows, as a user would see it, and points at its bars.
class BarChartProbe {
public:
    BarChartProbe(QWidget* control, const char* plotName)
        : view(control->findChild<QChartView*>(QString::fromLatin1(plotName)))
    {
    }

    QPercentBarSeries* series() const { return qobject_cast<QPercentBarSeries*>(view->chart()->series().first()); }

    QStringList categories() const
    {
        return qobject_cast<QBarCategoryAxis*>(view->chart()->axes(Qt::Horizontal).first())->categories();
    }

    QList<qreal> values(int set) const
    {
        const QBarSet* barSet = series()->barSets().at(set);
        QList<qreal> values;
        for (int i = 0; i < barSet->count(); ++i)
            values.append(barSet->at(i));
        return values;
    }

    /// The middle of one series' segment of a bar, in the plot's viewport.
    QPoint segmentCentre(int set, int position) const
    {
        qreal total = 0;
        qreal below = 0;
        const QList<QBarSet*> sets = series()->barSets();
        for (int k = 0; k < sets.size(); ++k) {
            total += sets[k]->at(position);
            if (k < set)
                below += sets[k]->at(position);
        }
        const qreal centre = total > 0 ? 100.0 * (below + sets[set]->at(position) / 2) / total : 50.0;
        const QPointF inChart = view->chart()->mapToPosition(QPointF(position, centre), series());
        return view->mapFromScene(view->chart()->mapToScene(inChart));
    }

    QChartView* view;
};

/// A press and release of one button at a point of a widget.
inline void clickAt(QWidget* widget, const QPoint& at, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF global = widget->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, button, button, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

inline void moveTo(QWidget* widget, const QPoint& at)
{
    QMouseEvent move(
        QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace lrv::test
