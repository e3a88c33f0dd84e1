#pragma once

#include <functional>

#include <QObject>
#include <QString>

class QMenu;
class QPainter;
class QPoint;
class QRect;
class QScrollBar;
class QWidget;

namespace lrv {

class IChartControl;

/// What the two bar charts (the quantile chart and the confusion matrix) share around their plot: the
/// window of buckets that a horizontal scroll bar moves over a long table, the context menu with "&Copy"
/// and "&Print" (opened by a right-button release over the control), the picture those commands take, in
/// which the plot spans the scroll bar's place, and the bars' tool tips.
class BarChartWindow : public QObject {
public:
    /// The object names of the menu's items; an empty separator name puts no separator between them.
    struct MenuNames {
        QString copy;
        QString print;
        QString separator;
    };

    /// A child of `control`, which is `chart`, with the scroll bar ("hsScroll", hidden) and the menu
    /// ("ctxMain"); `scrolled` runs when the user moves the window, `layout` when the control is resized.
    BarChartWindow(QWidget& control, IChartControl& chart, const MenuNames& names, std::function<void()> scrolled,
        std::function<void()> layout);

    /// The scroll range for `buckets` buckets shown `window` at a time; the scroll value is a 16-bit number
    /// on the original platform, so the window never starts after 32767.
    void setBuckets(int buckets, int window);
    /// The first bucket of the window, from 1.
    int first() const;
    /// The last first bucket the range allows.
    int lastFirst() const;
    /// Moves the window without running `scrolled`.
    void moveTo(int first);
    /// Moves the window as the user would: `scrolled` runs when it moved.
    void scrollTo(int first);

    /// Lays the scroll bar along the bottom of the control when the table scrolls and no picture is being
    /// taken, and shows it when also `visible`; returns the height it takes from the plot.
    int placeScrollBar(bool scrolling, bool visible = true);
    /// Paints the chart for copy, print and export, laid out with the scroll bar's place given to the plot.
    void paintWithoutScrollBar(QPainter& painter, const QRect& target);
    void popupMenu(const QPoint& globalPos);
    /// Shows `tip` at the cursor over `plot`; an empty tip hides it.
    static void showTip(QWidget& plot, const QString& tip);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void runImageCommand(const std::function<void()>& command);

    std::function<void()> m_layout;
    QWidget& m_control;
    IChartControl& m_chart;
    QScrollBar* m_scroll;
    QMenu* m_menu;
    bool m_moving = false;
    bool m_capturing = false;
};

} // namespace lrv
