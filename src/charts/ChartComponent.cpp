#include "charts/ChartComponent.h"

#include "support/Error.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
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
    const int kConstantLines = 3;
    const int kChartMargin = 6;

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
    m_chart->setMargins(QMargins(kChartMargin, kChartMargin, kChartMargin, kChartMargin));
    m_view = new QChartView(m_chart, this);
    m_view->setObjectName(QStringLiteral("ChartView"));
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->viewport()->installEventFilter(this);
    m_axisX = new QCategoryAxis(m_chart);
    m_axisY = new QCategoryAxis(m_chart);
    for (QCategoryAxis* axis : { m_axisX, m_axisY })
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_labelColor = m_axisX->labelsBrush().color();
    m_chart->addAxis(m_axisX, Qt::AlignBottom);
    m_chart->addAxis(m_axisY, Qt::AlignLeft);
    QFont titleFont = m_chart->titleFont();
    titleFont.setPointSizeF(10);
    titleFont.setBold(true);
    m_chart->setTitleFont(titleFont);
    setAntialiasing(true);
    setDefaults({}, {});
    connect(m_chart, &QChart::plotAreaChanged, this, &ChartComponent::refitTicks);
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
        oldPoints.push_back(old.points);
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
        const QList<QPointF> points
            = std::size_t(index) < oldPoints.size() ? oldPoints[std::size_t(index)] : QList<QPointF>();
        series->replace(scaled(points));
        m_chart->addSeries(series);
        series->attachAxis(m_axisX);
        series->attachAxis(m_axisY);
        series->setVisible(style.visible);
        connect(series, &QXYSeries::hovered, this,
            [this, index](const QPointF& point, bool state) { showHint(index, point, state); });
        m_series.push_back({ series, points,
            std::size_t(index) < oldHints.size() ? oldHints[std::size_t(index)] : QStringList(), true });
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
    QFont font = axis->titleFont();
    font.setPointSizeF(9);
    font.setBold(false);
    axis->setTitleFont(font);
}

void ChartComponent::applyPalette()
{
    const auto overridden = [](const std::vector<std::optional<QColor>>& colors, std::size_t index, QColor color) {
        if (index < colors.size() && colors[index]) {
            const int alpha = color.alpha();
            color = *colors[index];
            color.setAlpha(alpha);
        }
        return color;
    };
    for (std::size_t i = 0; i < m_series.size(); ++i) {
        const ChartSeriesStyle& style = m_content.series[i];
        const QColor color = overridden(m_seriesColors, i,
            pick(m_palette.seriesColors, m_defaultPalette.seriesColors, i,
                kFallbackColors[i % std::size(kFallbackColors)]));
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
        const QColor color = overridden(m_lineColors, i,
            pick(m_palette.constantLineColors, m_defaultPalette.constantLineColors, i, QColor(0x40, 0x40, 0x40)));
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
    found.points.clear();
    found.hints.clear();
    updateRanges();
}

void ChartComponent::addPoint(int series, double x, double y)
{
    SeriesEntry& found = entry(series);
    found.points.append(QPointF(x, y));
    found.series->append(x / m_unitX, y / m_unitY);
    updateRanges();
}

void ChartComponent::setPoints(int series, const QList<QPointF>& points, const QStringList& hints)
{
    SeriesEntry& found = entry(series);
    found.points = points;
    found.series->replace(scaled(points));
    found.hints = hints;
    updateRanges();
}

int ChartComponent::pointCount(int series) const { return int(entry(series).points.size()); }

QPointF ChartComponent::point(int series, int index) const
{
    const SeriesEntry& found = entry(series);
    if (index < 0 || index >= found.points.size())
        throw Error(QStringLiteral("Series %1 has no point %2.").arg(series).arg(index));
    return found.points[index];
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

void ChartComponent::setSeriesSetsRange(int series, bool setsRange)
{
    SeriesEntry& found = entry(series);
    if (found.setsRange == setsRange)
        return;
    found.setsRange = setsRange;
    updateRanges();
}

void ChartComponent::setSeriesMarkersVisible(int series, bool visible)
{
    entry(series).markersVisible = visible;
    applyPalette();
}

void ChartComponent::setSeriesColor(int series, const std::optional<QColor>& color)
{
    entry(series);
    m_seriesColors.resize(std::max(m_seriesColors.size(), std::size_t(series) + 1));
    m_seriesColors[std::size_t(series)] = color;
    applyPalette();
}

void ChartComponent::setConstantLineColor(int line, const std::optional<QColor>& color)
{
    lineEntry(line);
    m_lineColors.resize(std::max(m_lineColors.size(), std::size_t(line) + 1));
    m_lineColors[std::size_t(line)] = color;
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

const AxisTicks& ChartComponent::ticks(Qt::Orientation orientation) const
{
    return orientation == Qt::Horizontal ? m_ticksX : m_ticksY;
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
    int& current = orientation == Qt::Horizontal ? m_formatX : m_formatY;
    if (current == format)
        return;
    current = format;
    updateRanges();
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
            if (!found.series->isVisible() || !found.setsRange)
                continue;
            for (const QPointF& point : found.points) {
                const double value = horizontal ? point.x() : point.y();
                if (std::isfinite(value)) {
                    low = std::min(low, value);
                    high = std::max(high, value);
                }
            }
        }
        return low <= high;
    };
    double unitX = 1;
    double unitY = 1;
    const auto arrange = [&](Qt::Orientation orientation, const ChartAxisStyle& style) {
        const bool horizontal = orientation == Qt::Horizontal;
        double low = 0;
        double high = 1;
        if (span(horizontal, low, high))
            std::tie(low, high) = AxisTicks::ends(low, high, style.padding);
        low = style.minimum.value_or(low);
        high = style.maximum.value_or(high);
        if (!(low < high))
            std::tie(low, high) = AxisTicks::ends(low, low, 0);
        const AxisTicks ticks = ticksFor(orientation, low, high, style);
        // The chart library takes a span below 1e-12 for none: such axes count in a smaller unit.
        const double span = high - low;
        (horizontal ? unitX : unitY) = span < 1e-6 ? std::pow(10.0, std::floor(std::log10(span))) : 1.0;
        (horizontal ? m_ticksX : m_ticksY) = ticks;
    };
    m_fittedPlot = m_chart->plotArea().size();
    arrange(Qt::Horizontal, m_content.axisX);
    arrange(Qt::Vertical, m_content.axisY);
    if (unitX != m_unitX || unitY != m_unitY) {
        m_unitX = unitX;
        m_unitY = unitY;
        for (SeriesEntry& found : m_series)
            found.series->replace(scaled(found.points));
    }
    applyTicks(m_axisX, m_ticksX, m_unitX);
    applyTicks(m_axisY, m_ticksY, m_unitY);
    keepLastLabelInside();
    for (ConstantLineEntry& line : m_lines) {
        // A line beyond the horizontal axis is not drawn, so the legend does not list it either.
        const bool shown = line.visible && line.value >= m_ticksX.low && line.value <= m_ticksX.high;
        line.series->setVisible(shown);
        if (shown)
            line.series->replace(QList<QPointF> {
                QPointF(line.value / m_unitX, m_axisY->min()), QPointF(line.value / m_unitX, m_axisY->max()) });
        else
            line.series->clear();
    }
    updateLegend();
}

AxisTicks ChartComponent::ticksFor(
    Qt::Orientation orientation, double low, double high, const ChartAxisStyle& style) const
{
    const bool horizontal = orientation == Qt::Horizontal;
    // Before the first layout the plot's size is guessed from the widget's, less the room of labels and titles.
    const QRectF plot = m_chart->plotArea();
    const double length = horizontal ? (plot.width() > 0 ? plot.width() : std::max(60, width() - 120))
                                     : (plot.height() > 0 ? plot.height() : std::max(40, height() - 110));
    const QFontMetricsF metrics(axis(orientation)->labelsFont());
    const auto extent = [&](const QString& label) {
        return horizontal ? metrics.horizontalAdvance(label) + 2 * metrics.averageCharWidth() : 1.6 * metrics.height();
    };
    const AxisTicks::Notation notation
        = (horizontal ? m_formatX : m_formatY) == 20 ? AxisTicks::Notation::Scientific : AxisTicks::Notation::Automatic;
    if (style.tickInterval) {
        const std::optional<AxisTicks> fixed = AxisTicks::withStep(low, high, *style.tickInterval, notation);
        bool fits = fixed.has_value();
        for (int i = 0; fits && i < fixed->count; ++i)
            fits = extent(fixed->label(i)) * (high / fixed->step() - low / fixed->step()) <= length;
        if (fits)
            return *fixed;
    }
    return AxisTicks::fitted(low, high, length, extent, notation);
}

void ChartComponent::applyTicks(QCategoryAxis* axis, const AxisTicks& ticks, double unit)
{
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
    axis->setRange(ticks.low / unit, ticks.high / unit);
    axis->setStartValue(ticks.low / unit);
    for (int i = 0; i < ticks.count; ++i)
        axis->append(ticks.label(i), std::max(ticks.value(i), ticks.low) / unit);
}

double ChartComponent::axisUnit(Qt::Orientation orientation) const
{
    return orientation == Qt::Horizontal ? m_unitX : m_unitY;
}

QList<QPointF> ChartComponent::scaled(const QList<QPointF>& points) const
{
    if (m_unitX == 1 && m_unitY == 1)
        return points;
    QList<QPointF> result;
    result.reserve(points.size());
    for (const QPointF& point : points)
        result.append(QPointF(point.x() / m_unitX, point.y() / m_unitY));
    return result;
}

void ChartComponent::keepLastLabelInside()
{
    double overhang = 0;
    const double plotWidth = m_fittedPlot.width() > 0 ? m_fittedPlot.width() : std::max(60, width() - 120);
    if (m_ticksX.count > 0 && m_ticksX.high > m_ticksX.low) {
        const int last = m_ticksX.count - 1;
        const double beyond = (m_ticksX.high - m_ticksX.value(last)) / (m_ticksX.high - m_ticksX.low) * plotWidth;
        overhang = QFontMetricsF(m_axisX->labelsFont()).horizontalAdvance(m_ticksX.label(last)) / 2 - beyond;
    }
    QMargins margins = m_chart->margins();
    const int right = std::max(kChartMargin, int(std::ceil(overhang)) + 2);
    if (margins.right() != right) {
        margins.setRight(right);
        m_chart->setMargins(margins);
    }
}

void ChartComponent::refitTicks()
{
    const QSizeF plot = m_chart->plotArea().size();
    if (m_refitting
        || (std::abs(plot.width() - m_fittedPlot.width()) < 1 && std::abs(plot.height() - m_fittedPlot.height()) < 1))
        return;
    m_refitting = true;
    updateRanges();
    m_refitting = false;
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

void ChartComponent::paintScene(QPainter& painter, const QRectF& target)
{
    // A chart that was never shown has its layout still pending; the ticks may ask for a second round.
    for (int round = 0; round < 2; ++round)
        if (QGraphicsLayout* layout = m_chart->layout())
            layout->activate();
    m_view->render(&painter, target, m_view->viewport()->rect(), Qt::IgnoreAspectRatio);
}

bool ChartComponent::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool isMouse
        = type == QEvent::MouseButtonPress || type == QEvent::MouseMove || type == QEvent::MouseButtonRelease;
    if (watched == m_view->viewport() && isMouse) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        switch (type) {
        case QEvent::MouseButtonPress:
            if (mouse->button() == Qt::LeftButton && m_draggableLine
                && m_chart->plotArea().contains(
                    m_chart->mapFromScene(m_view->mapToScene(mouse->position().toPoint())))) {
                m_dragging = true;
                dragLineTo(mouse->position().toPoint());
                return true;
            }
            break;
        case QEvent::MouseMove:
            if (m_dragging) {
                dragLineTo(mouse->position().toPoint());
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            if (mouse->button() == Qt::RightButton)
                emit contextMenuRequested(mouse->globalPosition().toPoint());
            if (mouse->button() == Qt::LeftButton && m_dragging) {
                m_dragging = false;
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ChartComponent::dragLineTo(const QPoint& position)
{
    const int line = m_draggableLine.value_or(0);
    const QPointF inChart = m_chart->mapFromScene(m_view->mapToScene(position));
    // Held inside the plot: a drag past its edge stops at the axis' end.
    const QRectF plot = m_chart->plotArea();
    const QPointF clamped(std::clamp(inChart.x(), plot.left(), plot.right()), plot.center().y());
    const double value = m_chart->mapToValue(clamped, lineEntry(line).series).x() * m_unitX;
    emit constantLineDragged(line, value);
}

void ChartComponent::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_view->setGeometry(rect());
}

} // namespace lrv
