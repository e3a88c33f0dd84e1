#include "charts/ChartComponent.h"

#include "support/Error.h"
#include "support/Platform.h"

#include <cmath>
#include <limits>

#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QScatterSeries>
#include <QSplineSeries>
#include <QToolTip>
#include <QValueAxis>

namespace lrv {

namespace {
    // Distinct, colour-blind friendly colours for series the palette does not name.
    const QColor kFallbackColors[] = { QColor(0x1F, 0x77, 0xB4), QColor(0xD6, 0x27, 0x28), QColor(0x2C, 0xA0, 0x2C),
        QColor(0xFF, 0x7F, 0x0E), QColor(0x94, 0x67, 0xBD), QColor(0x8C, 0x56, 0x4B) };
    const int kConstantLines = 2;

    QString formatOf(int format) { return format == 20 ? QStringLiteral("%.2E") : QStringLiteral("%.6g"); }

    /// 1, 2 or 5 times a power of ten, giving about `ticks` ticks over the span.
    double niceStep(double span, int ticks)
    {
        if (!(span > 0) || !std::isfinite(span))
            return 0;
        const double raw = span / ticks;
        const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
        const double normal = raw / magnitude;
        return magnitude * (normal < 1.5 ? 1 : normal < 3 ? 2 : normal < 7 ? 5 : 10);
    }

    QScatterSeries::MarkerShape scatterShape(ChartMarkerShape marker)
    {
        switch (marker) {
        case ChartMarkerShape::Square:
            return QScatterSeries::MarkerShapeRectangle;
        case ChartMarkerShape::Diamond:
            return QScatterSeries::MarkerShapeRotatedRectangle;
        case ChartMarkerShape::Triangle:
            return QScatterSeries::MarkerShapeTriangle;
        case ChartMarkerShape::Star:
            return QScatterSeries::MarkerShapeStar;
        case ChartMarkerShape::Pentagon:
            return QScatterSeries::MarkerShapePentagon;
        default:
            return QScatterSeries::MarkerShapeCircle;
        }
    }

    template <typename T>
    T pick(const std::vector<T>& loaded, const std::vector<T>& defaults, std::size_t index, T fallback)
    {
        if (index < loaded.size())
            return loaded[index];
        if (index < defaults.size())
            return defaults[index];
        return fallback;
    }

    QString titleHtml(const QString& text)
    {
        QString html = text.toHtmlEscaped();
        html.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
        html.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
        return html;
    }
}

ChartComponent::ChartComponent(QWidget* parent)
    : QWidget(parent)
{
    m_chart = new QChart();
    m_chart->setBackgroundRoundness(0);
    m_chart->setMargins(QMargins(6, 6, 6, 6));
    m_view = new QChartView(m_chart, this);
    m_view->setObjectName(QStringLiteral("ChartView"));
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->viewport()->installEventFilter(this);
    m_axisX = new QValueAxis(m_chart);
    m_axisY = new QValueAxis(m_chart);
    m_labelColor = m_axisX->labelsBrush().color();
    m_chart->addAxis(m_axisX, Qt::AlignBottom);
    m_chart->addAxis(m_axisY, Qt::AlignLeft);
    QFont titleFont = m_chart->titleFont();
    titleFont.setPointSizeF(10);
    titleFont.setBold(true);
    m_chart->setTitleFont(titleFont);
    setAntialiasing(true);
    setDefaults({}, {});
}

ChartComponent::~ChartComponent() = default;

void ChartComponent::setDefaults(const ChartContentStyle& content, const ChartPaletteStyle& palette)
{
    m_defaultContent = content;
    m_defaultPalette = palette;
    m_palette = {};
    loadContent(content);
}

void ChartComponent::loadContent(const ChartContentStyle& content)
{
    m_content = content;
    // A file with fewer series or lines than the built-in look keeps the built-in ones beyond it.
    for (std::size_t i = m_content.series.size(); i < m_defaultContent.series.size(); ++i)
        m_content.series.push_back(m_defaultContent.series[i]);
    for (std::size_t i = m_content.constantLines.size(); i < m_defaultContent.constantLines.size(); ++i)
        m_content.constantLines.push_back(m_defaultContent.constantLines[i]);
    rebuild();
}

void ChartComponent::loadPalette(const ChartPaletteStyle& palette)
{
    m_palette = palette;
    applyPalette();
}

void ChartComponent::rebuild()
{
    std::vector<QList<QPointF>> oldPoints;
    std::vector<QStringList> oldHints;
    for (SeriesEntry& old : m_series) {
        oldPoints.push_back(old.series->points());
        oldHints.push_back(old.hints);
        m_chart->removeSeries(old.series);
        delete old.series;
    }
    m_series.clear();
    for (const ChartSeriesStyle& style : m_content.series) {
        QXYSeries* series = nullptr;
        switch (style.kind) {
        case ChartSeriesKind::Scatter:
            series = new QScatterSeries();
            break;
        case ChartSeriesKind::Spline:
            series = new QSplineSeries();
            break;
        default:
            series = new QLineSeries();
        }
        series->setName(style.name);
        const int index = int(m_series.size());
        if (std::size_t(index) < oldPoints.size())
            series->replace(oldPoints[std::size_t(index)]);
        m_chart->addSeries(series);
        series->attachAxis(m_axisX);
        series->attachAxis(m_axisY);
        series->setVisible(style.visible);
        connect(series, &QXYSeries::hovered, this,
            [this, index](const QPointF& point, bool state) { showHint(index, point, state); });
        m_series.push_back(
            { series, std::size_t(index) < oldHints.size() ? oldHints[std::size_t(index)] : QStringList(), true });
    }

    for (ConstantLineEntry& line : m_lines) {
        m_chart->removeSeries(line.series);
        delete line.series;
    }
    m_lines.resize(kConstantLines);
    for (int i = 0; i < kConstantLines; ++i) {
        const ChartConstantLineStyle style = pick(m_content.constantLines, {}, std::size_t(i),
            ChartConstantLineStyle { QStringLiteral("Line %1").arg(i + 1), 2, Qt::DashLine });
        auto* series = new QLineSeries();
        series->setName(style.name);
        m_chart->addSeries(series);
        series->attachAxis(m_axisX);
        series->attachAxis(m_axisY);
        m_lines[std::size_t(i)].series = series;
    }

    applyAxisStyle(m_axisX, m_content.axisX);
    applyAxisStyle(m_axisY, m_content.axisY);
    m_chart->legend()->setVisible(m_content.legendVisible);
    m_chart->legend()->setAlignment(m_content.legendAlignment);
    setTitle(m_content.title);
    applyPalette();
}

void ChartComponent::applyAxisStyle(QValueAxis* axis, const ChartAxisStyle& style)
{
    axis->setTitleText(style.title);
    setAxisLabelsVisible(axis->orientation(), style.labelsVisible);
    axis->setGridLineVisible(style.gridVisible);
    axis->setMinorGridLineVisible(false);
    axis->setLabelFormat(formatOf(axis == m_axisX ? m_formatX : m_formatY));
    QFont font = axis->titleFont();
    font.setPointSizeF(9);
    font.setBold(false);
    axis->setTitleFont(font);
}

void ChartComponent::applyPalette()
{
    for (std::size_t i = 0; i < m_series.size(); ++i) {
        const ChartSeriesStyle& style = m_content.series[i];
        const QColor color = pick(
            m_palette.seriesColors, m_defaultPalette.seriesColors, i, kFallbackColors[i % std::size(kFallbackColors)]);
        QXYSeries* series = m_series[i].series;
        if (auto* scatter = qobject_cast<QScatterSeries*>(series)) {
            scatter->setMarkerShape(scatterShape(style.marker));
            scatter->setMarkerSize(style.markerSize);
            scatter->setColor(color);
            QColor border = color.darker(150);
            border.setAlpha(std::min(255, color.alpha() + 60));
            scatter->setPen(QPen(border, 1));
        } else {
            QPen pen(color, style.lineWidth);
            pen.setCapStyle(Qt::RoundCap);
            pen.setJoinStyle(Qt::RoundJoin);
            if (style.lineWidth == 0)
                pen.setStyle(Qt::NoPen);
            series->setPen(pen);
            series->setColor(color);
            series->setPointsVisible(style.marker != ChartMarkerShape::None && m_series[i].markersVisible);
            series->setMarkerSize(style.markerSize);
        }
    }
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const ChartConstantLineStyle style = pick(m_content.constantLines, {}, i, ChartConstantLineStyle {});
        const QColor color
            = pick(m_palette.constantLineColors, m_defaultPalette.constantLineColors, i, QColor(0x40, 0x40, 0x40));
        QPen pen(color, style.width);
        pen.setStyle(style.style);
        m_lines[i].series->setPen(pen);
    }
    const QColor background = m_palette.background.value_or(m_content.background);
    m_chart->setBackgroundBrush(background);
    m_chart->setBackgroundPen(Qt::NoPen);
    m_view->setBackgroundBrush(background);
    QPalette widgetPalette = palette();
    widgetPalette.setColor(QPalette::Window, background);
    setPalette(widgetPalette);
    setAutoFillBackground(true);
    updateRanges();
}

const ChartComponent::SeriesEntry& ChartComponent::entry(int series) const
{
    if (series < 0 || series >= seriesCount())
        throw Error(QStringLiteral("The chart has no series %1; it has %2. Check its style file.")
                        .arg(series)
                        .arg(seriesCount()));
    return m_series[std::size_t(series)];
}

ChartComponent::SeriesEntry& ChartComponent::entry(int series)
{
    return const_cast<SeriesEntry&>(std::as_const(*this).entry(series));
}

QXYSeries* ChartComponent::series(int index) const { return entry(index).series; }

void ChartComponent::removeAllPoints(int series)
{
    SeriesEntry& found = entry(series);
    found.series->clear();
    found.hints.clear();
    updateRanges();
}

void ChartComponent::addPoint(int series, double x, double y)
{
    entry(series).series->append(x, y);
    updateRanges();
}

void ChartComponent::setPoints(int series, const QList<QPointF>& points, const QStringList& hints)
{
    SeriesEntry& found = entry(series);
    found.series->replace(points);
    found.hints = hints;
    updateRanges();
}

int ChartComponent::pointCount(int series) const { return int(entry(series).series->count()); }

QPointF ChartComponent::point(int series, int index) const
{
    const SeriesEntry& found = entry(series);
    if (index < 0 || index >= found.series->count())
        throw Error(QStringLiteral("Series %1 has no point %2.").arg(series).arg(index));
    return found.series->at(index);
}

QString ChartComponent::pointHint(int series, int index) const
{
    const SeriesEntry& found = entry(series);
    return index >= 0 && index < found.hints.size() ? found.hints[index] : QString();
}

void ChartComponent::setSeriesVisible(int series, bool visible)
{
    entry(series).series->setVisible(visible);
    updateRanges();
}

bool ChartComponent::isSeriesVisible(int series) const { return entry(series).series->isVisible(); }

void ChartComponent::setSeriesMarkersVisible(int series, bool visible)
{
    entry(series).markersVisible = visible;
    applyPalette();
}

const ChartComponent::ConstantLineEntry& ChartComponent::lineEntry(int line) const
{
    if (line < 0 || line >= int(m_lines.size()))
        throw Error(QStringLiteral("The chart has no constant line %1.").arg(line));
    return m_lines[std::size_t(line)];
}

void ChartComponent::setConstantLineValue(int line, double value)
{
    const_cast<ConstantLineEntry&>(lineEntry(line)).value = value;
    updateRanges();
}

double ChartComponent::constantLineValue(int line) const { return lineEntry(line).value; }

void ChartComponent::setConstantLineVisible(int line, bool visible)
{
    const_cast<ConstantLineEntry&>(lineEntry(line)).visible = visible;
    updateRanges();
}

bool ChartComponent::isConstantLineVisible(int line) const { return lineEntry(line).visible; }

QLineSeries* ChartComponent::constantLine(int line) const { return lineEntry(line).series; }

QValueAxis* ChartComponent::axis(Qt::Orientation orientation) const
{
    return orientation == Qt::Horizontal ? m_axisX : m_axisY;
}

void ChartComponent::setAxisLabelsVisible(Qt::Orientation orientation, bool visible)
{
    // Hidden labels keep their room, so the axis title and the plot do not move when they come back.
    (orientation == Qt::Horizontal ? m_labelsX : m_labelsY) = visible;
    QValueAxis* found = axis(orientation);
    found->setLabelsVisible(true);
    found->setLabelsBrush(visible ? QBrush(m_labelColor) : QBrush(Qt::transparent));
}

bool ChartComponent::axisLabelsVisible(Qt::Orientation orientation) const
{
    return orientation == Qt::Horizontal ? m_labelsX : m_labelsY;
}

void ChartComponent::setAxisLabelFormat(Qt::Orientation orientation, int format)
{
    (orientation == Qt::Horizontal ? m_formatX : m_formatY) = format;
    axis(orientation)->setLabelFormat(formatOf(format));
}

int ChartComponent::axisLabelFormat(Qt::Orientation orientation) const
{
    return orientation == Qt::Horizontal ? m_formatX : m_formatY;
}

void ChartComponent::setTitle(const QString& title)
{
    m_title = title;
    m_chart->setTitle(titleHtml(title));
}

QString ChartComponent::title() const { return m_title; }

QColor ChartComponent::backgroundColor() const { return m_chart->backgroundBrush().color(); }

void ChartComponent::setAntialiasing(bool on) { m_view->setRenderHint(QPainter::Antialiasing, on); }

void ChartComponent::updateRanges()
{
    const auto span = [this](bool horizontal, double& low, double& high) {
        low = std::numeric_limits<double>::infinity();
        high = -low;
        for (const SeriesEntry& found : m_series) {
            if (!found.series->isVisible())
                continue;
            for (const QPointF& point : found.series->points()) {
                const double value = horizontal ? point.x() : point.y();
                if (std::isfinite(value)) {
                    low = std::min(low, value);
                    high = std::max(high, value);
                }
            }
        }
        return low <= high;
    };
    const auto arrange = [&](QValueAxis* axis, const ChartAxisStyle& style, bool horizontal) {
        double low = 0;
        double high = 1;
        if (span(horizontal, low, high)) {
            double pad = (high - low) * style.padding;
            if (high == low)
                pad = low == 0 ? 0.5 : std::abs(low) * 0.1;
            low -= pad;
            high += pad;
        } else {
            low = 0;
            high = 1;
        }
        low = style.minimum.value_or(low);
        high = style.maximum.value_or(high);
        if (!(low < high))
            high = low + 1;
        axis->setRange(low, high);
        const double interval
            = style.tickInterval.value_or(style.niceNumbers ? niceStep(high - low, horizontal ? 8 : 6) : 0);
        if (interval > 0 && std::isfinite(interval)) {
            // Round ticks inside the range; the ends stay where the data puts them.
            axis->setTickType(QValueAxis::TicksDynamic);
            axis->setTickAnchor(std::floor(low / interval) * interval);
            axis->setTickInterval(interval);
        } else {
            axis->setTickType(QValueAxis::TicksFixed);
            axis->setTickCount(6);
        }
    };
    arrange(m_axisX, m_content.axisX, true);
    arrange(m_axisY, m_content.axisY, false);
    for (ConstantLineEntry& line : m_lines) {
        const bool shown = line.visible && std::isfinite(line.value);
        line.series->setVisible(shown);
        if (shown)
            line.series->replace(
                QList<QPointF> { QPointF(line.value, m_axisY->min()), QPointF(line.value, m_axisY->max()) });
        else
            line.series->clear();
    }
    updateLegend();
}

void ChartComponent::updateLegend()
{
    for (std::size_t i = 0; i < m_series.size(); ++i)
        for (QLegendMarker* marker : m_chart->legend()->markers(m_series[i].series))
            marker->setVisible(m_series[i].series->isVisible() && m_content.series[i].inLegend);
    for (const ConstantLineEntry& line : m_lines)
        for (QLegendMarker* marker : m_chart->legend()->markers(line.series))
            marker->setVisible(line.series->isVisible());
}

void ChartComponent::showHint(int series, const QPointF& point, bool hovered)
{
    if (!hovered) {
        QToolTip::hideText();
        return;
    }
    const SeriesEntry& found = m_series[std::size_t(series)];
    // The line series report the pointer's place on the line, so the hint is that of the nearest point.
    const QPointF at = m_chart->mapToPosition(point, found.series);
    int nearest = -1;
    double best = std::numeric_limits<double>::infinity();
    const QList<QPointF> points = found.series->points();
    for (int i = 0; i < points.size() && i < found.hints.size(); ++i) {
        const QPointF offset = m_chart->mapToPosition(points[i], found.series) - at;
        const double distance = QPointF::dotProduct(offset, offset);
        if (distance < best) {
            best = distance;
            nearest = i;
        }
    }
    if (nearest >= 0 && !found.hints[nearest].isEmpty())
        QToolTip::showText(QCursor::pos(), found.hints[nearest], m_view);
}

void ChartComponent::printChart(int)
{
    const std::optional<PrintSetup> setup = Platform::instance().askPrinter(this);
    if (!setup)
        return;
    for (int copy = 0; copy < std::max(1, setup->copies); ++copy) {
        std::unique_ptr<QPagedPaintDevice> device = Platform::instance().startPrintDocument(*setup);
        if (!device)
            throw Error(QStringLiteral("The printer could not start a document. Check the printer and try again."));
        QPainter painter(device.get());
        if (!painter.isActive())
            throw Error(QStringLiteral("The printer could not start a document. Check the printer and try again."));
        const QRect page = painter.viewport();
        const QSize size = m_view->size().scaled(page.size(), Qt::KeepAspectRatio);
        m_view->render(&painter, QRectF(page.topLeft(), size), m_view->viewport()->rect(), Qt::KeepAspectRatio);
    }
}

QImage ChartComponent::captureImage() { return XTremeChartsHelper::ChartImage(*this); }

bool ChartComponent::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton)
            emit contextMenuRequested(mouse->globalPosition().toPoint());
    }
    return QWidget::eventFilter(watched, event);
}

void ChartComponent::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_view->setGeometry(rect());
}

} // namespace lrv
