#pragma once

#include "charts/ChartInterfaces.h"
#include "charts/ChartPicture.h"
#include "support/OleColor.h"

#include <optional>

#include <QFont>
#include <QPixmap>
#include <QWidget>

class QFontMetricsF;
class QLabel;
class QLineEdit;
class QMenu;

namespace lrv {

class TickLabelLayer;
class VerticalLabel;

/// The common frame of the drawn charts (ROC, gains, lift): the plot `pic`, the axis titles `lblHLegend` and
/// `vlLegend`, the legend panel `picLegend`, the hidden notice `txtInvalidData` and the context menu `ctxMain`.
/// Each chart computes its picture as plain data; Refresh paints it into a persistent pixmap shown by
/// paintEvent, so the image stays until the next Refresh or resize.
class DrawnChart : public QWidget, public virtual IChartControl {
    Q_OBJECT
    Q_PROPERTY(uint BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE SetForeColor)
    Q_PROPERTY(uint FrameColor READ FrameColor WRITE SetFrameColor)

public:
    /// Scale modes of the control surface's conversions.
    enum ScaleModes {
        User = 0,
        Twips = 1,
        Points = 2,
        Pixels = 3,
        Characters = 4,
        Inches = 5,
        Millimeters = 6,
        Centimeters = 7
    };

    /// The control surface itself: captures and the clipboard take the widget.
    QWidget* hWnd() { return this; }
    /// The persistent image of the control surface.
    const QPixmap& hDC() const { return m_surface; }
    int ScaleWidth() const { return width(); }
    int ScaleHeight() const { return height(); }
    /// Drawing is in pixels.
    int ScaleMode() const { return Pixels; }
    /// A horizontal length converted between scale modes, rounded (15 twips per pixel).
    int ScaleX(double width, int fromScale, int toScale) const;
    int ScaleY(double height, int fromScale, int toScale) const;

    OleColor BackColor() const { return m_backColor; }
    /// Sets the colour on the control surface, the plot, the axis title, the legend and the notice.
    void SetBackColor(OleColor color);
    OleColor ForeColor() const { return m_foreColor; }
    void SetForeColor(OleColor color);
    OleColor FrameColor() const { return m_frameColor; }
    void SetFrameColor(OleColor color) { m_frameColor = color; }

    /// The font of the tick labels; Tahoma 8.25 pt (DejaVu Sans where Tahoma is absent) at first.
    QFont Font() const { return m_font; }
    void SetFont(const QFont& font);

    /// Computes the picture again, applies its layout and paints it.
    Q_INVOKABLE void Refresh() override;
    /// The picture drawn by the last Refresh.
    const ChartPicture& picture() const { return m_picture; }
    /// Computes the marks again (the chosen cutoff's) and shows them over the picture, which stays as it is:
    /// a move of the cutoff costs no redraw of the curves.
    void RefreshMarks();
    /// The marks over the picture, in its user scale.
    const ChartPicture& marks() const { return m_marks; }
    /// Paints the control as shown (picture, axis titles, legend, notice) on any device, e.g. an SVG generator.
    void paintControl(QPainter& painter);
    /// paintControl scaled into target: "&Copy", "&Print" and the export paint through it.
    void paintChart(QPainter& painter, const QRect& target) override;

    /// The frame and tick strokes and the positions of the 11 tick labels per axis around the plot; captions
    /// already in the picture are kept, missing labels start empty.
    static void DrawAxes(ChartPicture& picture, const QFontMetricsF& metrics, OleColor frameColor);
    /// A cell as a number for drawing: an empty cell counts as 0; a missing cell, a text that is not a number
    /// or a value that is not finite throws lrv::Error.
    static double numberAt(const Table<double>& data, int row, int column);
    static double numberAt(const Table<Variant>& data, int row, int column);
    /// Height of `lblHLegend` and width of `vlLegend`, fixed as on the design surface.
    static constexpr int kHLegendHeight = 17;
    static constexpr int kVLegendWidth = 22;
    /// A tick label control is as wide as its text plus 3 pixels on either side.
    static constexpr int kLabelMargins = 6;
    /// The colour of the chosen cutoff's marker.
    static OleColor chosenCutoffColor();

protected:
    DrawnChart(const QString& name, const QString& hTitle, QSize legendSize, QWidget* parent);

    /// The chart's picture of the data it holds for the given surface size.
    virtual ChartPicture computePicture(QSize surface) const = 0;
    /// Steps 1 and 2 of the initialisation: colours from the host configuration, FrameColor := ForeColor.
    void initialiseColors();
    void setVerticalTitle(const QString& text);
    QWidget* legendPanel() const { return m_legend; }
    /// A caption of the legend panel at (x, y).
    QLabel* addLegendLabel(const QString& name, const QString& text, int x, int y, const QString& toolTip = {});
    /// Adds the chart's marks to `marks`, which has the picture's layout and user scale; called only for a
    /// picture with valid data.
    virtual void addMarks(ChartPicture&) const { }
    /// A left-button press on the plot, at a point of the control surface.
    virtual void plotPressed(const QPointF&) { }
    /// A vertical line over the plot at a share (0 to 1) of a horizontal axis in percent of the population.
    static void addChosenShareMarker(ChartPicture& picture, std::optional<double> share);

    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyLayout(const ChartLayout& layout);
    void popupMenu(const QPoint& globalPosition);
    void copyImage();
    void printImage();

    QWidget* m_pic = nullptr;
    QLabel* m_hLegend = nullptr;
    VerticalLabel* m_vLegend = nullptr;
    QWidget* m_legend = nullptr;
    QLineEdit* m_invalidData = nullptr;
    QMenu* m_menu = nullptr;
    TickLabelLayer* m_labels = nullptr;

    OleColor m_backColor = rgb(255, 255, 255);
    OleColor m_foreColor = 0;
    OleColor m_frameColor = 0;
    QFont m_font;
    ChartPicture m_picture;
    ChartPicture m_marks;
    QPixmap m_surface;
};

} // namespace lrv
