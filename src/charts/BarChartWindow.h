#pragma once

#include <functional>

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
/// and "&Print", and the picture those commands take, in which the plot spans the scroll bar's place.
class BarChartWindow {
public:
    /// The object names of the menu's items; an empty separator name puts no separator between them.
    struct MenuNames {
        QString copy;
        QString print;
        QString separator;
    };

    /// Makes the scroll bar ("hsScroll", hidden) and the menu ("ctxMain") as children of `control`, which
    /// is `chart`; `scrolled` runs when the user moves the window.
    BarChartWindow(QWidget& control, IChartControl& chart, const MenuNames& names, std::function<void()> scrolled);

    /// The scroll range for `buckets` buckets shown `window` at a time; the scroll value is a 16-bit number
    /// on the original platform, so the window never starts after 32767.
    void setBuckets(int buckets, int window);
    /// The first bucket of the window, from 1.
    int first() const;
    /// The last first bucket the range allows.
    int lastFirst() const;
    /// Moves the window without running `scrolled`.
    void moveTo(int first);

    /// Lays the scroll bar along the bottom of the control when the table scrolls and no picture is being
    /// taken, and shows it when also `visible`; returns the height it takes from the plot.
    int placeScrollBar(bool scrolling, bool visible = true);
    /// Paints the chart for copy, print and export: `layout` lays the control out, before the picture with
    /// the scroll bar's place given to the plot and after it as it was.
    void paintWithoutScrollBar(QPainter& painter, const QRect& target, const std::function<void()>& layout);
    void popupMenu(const QPoint& globalPos);

private:
    void runImageCommand(const std::function<void()>& command);

    QWidget& m_control;
    IChartControl& m_chart;
    QScrollBar* m_scroll;
    QMenu* m_menu;
    bool m_moving = false;
    bool m_capturing = false;
};

} // namespace lrv
