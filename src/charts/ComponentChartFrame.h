#pragma once

#include "charts/ChartInterfaces.h"
#include "support/OleColor.h"

#include <QFont>
#include <QStringList>
#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;

namespace lrv {

class ChartComponent;
struct ChartContentStyle;
struct ChartPaletteStyle;

/// What the four component charts share: the chart component "ChartControl", the notice "txtInvalidData",
/// the layout rectangle "pic", the axis title labels, the context menu with "&Copy" and "&Print", and the
/// common colour and font members. The axis titles and legend are drawn by the component from its style
/// files, so the title labels stay hidden; they are laid out as the form places them.
class ComponentChartFrame : public QWidget, public virtual IChartControl {
    Q_OBJECT
    Q_PROPERTY(uint BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE SetForeColor)
    Q_PROPERTY(uint FrameColor READ FrameColor WRITE SetFrameColor)

public:
    ~ComponentChartFrame() override;

    int ScaleWidth() const { return width(); }
    int ScaleHeight() const { return height(); }
    OleColor BackColor() const;
    virtual void SetBackColor(OleColor color);
    OleColor ForeColor() const;
    void SetForeColor(OleColor color);
    OleColor FrameColor() const { return m_frameColor; }
    void SetFrameColor(OleColor color) { m_frameColor = color; }
    QFont Font() const { return font(); }
    /// The control's font, pic's font and the fonts of the tick label elements.
    void SetFont(const QFont& font);

    ChartComponent* chartComponent() const { return m_chart; }
    /// The chart component's window, as "&Copy" takes it, with the notice over the plot when it shows.
    void paintChart(QPainter& painter, const QRect& target) override;
    /// The chart component's size.
    QSize pictureSize() const override;

protected:
    ComponentChartFrame(QWidget* parent, const QString& verticalTitle);

    /// Applies the built-in look, then the style files of the style folder (kept when they are missing or
    /// malformed).
    void loadStyles(const ChartContentStyle& content, const ChartPaletteStyle& palette, const QString& contentFile,
        const QString& paletteFile);
    /// The colours the host configuration names for series (by index) and constant lines win over the
    /// style files' palettes; an empty key, or one the configuration lacks, leaves the palette's colour.
    void useConfiguredColors(const QStringList& seriesKeys, const QStringList& lineKeys = {});
    /// Shows or hides the notice over the plot.
    void showInvalidData(bool show);
    bool invalidDataShown() const;
    /// On a failure while drawing: the layout rectangle cleared and the notice shown.
    void drawingFailed();
    /// Every series emptied and the horizontal axis labels hidden: the neutral picture of a chart of series.
    void clearSeries();
    /// Moves the child controls for the current size; Refresh follows.
    virtual void layoutChildren() = 0;
    virtual void refreshChart() = 0;
    /// Opens the context menu for right-button releases over this widget as well.
    void watchForMenu(QWidget* widget);

    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    ChartComponent* m_chart = nullptr;
    QLineEdit* m_txtInvalidData = nullptr;
    QWidget* m_pic = nullptr;
    QLabel* m_lblHLegend = nullptr;
    QLabel* m_vlLegend = nullptr;
    QLabel* m_lblX = nullptr;
    QLabel* m_lblY = nullptr;

private:
    void popupMenu(const QPoint& globalPosition);
    void runCommand(int index);

    QMenu* m_ctxMain = nullptr;
    OleColor m_frameColor = 0;
};

} // namespace lrv
