#include "charts/PercentBarPlot.h"

#include <algorithm>
#include <cmath>

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPercentBarSeries>
#include <QValueAxis>

namespace lrv {

PercentBarPlot::PercentBarPlot(const QStringList& seriesNames, QWidget* parent)
    : QChartView(parent)
    , m_series(new QPercentBarSeries)
    , m_categories(new QBarCategoryAxis)
    , m_values(new QValueAxis)
{
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 8, 8, 4));
    chart->setAnimationOptions(QChart::NoAnimation);
    setChart(chart);
    setRenderHint(QPainter::Antialiasing, false);

    for (const QString& name : seriesNames)
        m_series->append(new QBarSet(name));
    m_series->setBarWidth(0.7);
    chart->addSeries(m_series);

    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    QFont titleFont = font;
    titleFont.setBold(true);

    m_categories->setTitleText(QStringLiteral("Buckets"));
    m_categories->setTitleFont(titleFont);
    m_categories->setLabelsFont(font);
    m_categories->setGridLineVisible(true);
    chart->addAxis(m_categories, Qt::AlignBottom);
    m_series->attachAxis(m_categories);

    m_values->setRange(0, 100);
    m_values->setTickCount(11);
    m_values->setLabelFormat(QStringLiteral("%.0f%"));
    m_values->setLabelsFont(font);
    m_values->setGridLineVisible(false);
    m_values->setTruncateLabels(false);
    chart->addAxis(m_values, Qt::AlignLeft);
    m_series->attachAxis(m_values);

    // The plot area is known only after the chart's own layout, which runs later.
    connect(chart, &QChart::plotAreaChanged, this, [this] { fitAxisLabels(); });
    connect(m_series, &QAbstractBarSeries::hovered, this,
        [this](bool status, int index, QBarSet* set) { emit barHovered(seriesIndex(set), index, status); });
    connect(m_series, &QAbstractBarSeries::clicked, this,
        [this](int index, QBarSet* set) { emit barClicked(seriesIndex(set), index); });
}

void PercentBarPlot::setBars(const QStringList& categories, const QList<QList<qreal>>& seriesValues)
{
    const QList<QBarSet*> sets = m_series->barSets();
    for (qsizetype s = 0; s < sets.size(); ++s) {
        QBarSet* set = sets[s];
        set->remove(0, set->count());
        QList<qreal> values = s < seriesValues.size() ? seriesValues[s] : QList<qreal>();
        values.resize(categories.size(), 0.0);
        set->append(values);
    }
    m_labels = categories;
    m_categories->setCategories(categories);
    // Without bars the axes would stand alone with their title and percentages.
    m_categories->setVisible(!categories.isEmpty());
    m_values->setVisible(!categories.isEmpty());
    fitAxisLabels();
}

void PercentBarPlot::setIntervals(const QList<QPair<qreal, qreal>>& intervals)
{
    m_intervals = intervals;
    viewport()->update();
}

QList<QLineF> PercentBarPlot::intervalStrokes() const
{
    QList<QLineF> strokes;
    for (const QLineF& line : sceneIntervalStrokes())
        strokes.append(QLineF(mapFromScene(line.p1()), mapFromScene(line.p2())));
    return strokes;
}

QList<QLineF> PercentBarPlot::sceneIntervalStrokes() const
{
    QList<QLineF> strokes;
    for (qsizetype bar = 0; bar < std::min(m_intervals.size(), m_labels.size()); ++bar) {
        const auto [low, high] = m_intervals[bar];
        if (!std::isfinite(low) || !std::isfinite(high))
            continue;
        // Categories stand at whole numbers of the bar series' x scale.
        const QPointF bottom = chart()->mapToPosition(QPointF(qreal(bar), std::clamp(low, 0.0, 100.0)), m_series);
        const QPointF top = chart()->mapToPosition(QPointF(qreal(bar), std::clamp(high, 0.0, 100.0)), m_series);
        strokes.append(QLineF(chart()->mapToScene(bottom), chart()->mapToScene(top)));
    }
    return strokes;
}

void PercentBarPlot::drawForeground(QPainter* painter, const QRectF& rect)
{
    QChartView::drawForeground(painter, rect);
    const QList<QLineF> strokes = sceneIntervalStrokes();
    if (strokes.isEmpty())
        return;
    // Caps as wide as a third of a bar, within reason.
    const qreal pitch = chart()->plotArea().width() / std::max<qsizetype>(1, m_labels.size());
    const qreal cap = std::clamp(pitch * m_series->barWidth() / 3, 2.0, 10.0);
    painter->save();
    painter->setPen(QPen(QColor(0x20, 0x20, 0x20), 1.5));
    for (const QLineF& line : strokes) {
        painter->drawLine(line);
        for (const QPointF& end : { line.p1(), line.p2() })
            painter->drawLine(QPointF(end.x() - cap / 2, end.y()), QPointF(end.x() + cap / 2, end.y()));
    }
    painter->restore();
}

void PercentBarPlot::setSeriesColors(int series, const QColor& fill, const QColor& border)
{
    const QList<QBarSet*> sets = m_series->barSets();
    if (series < 0 || series >= sets.size())
        return;
    sets[series]->setColor(fill);
    sets[series]->setBorderColor(border);
}

void PercentBarPlot::setBackdropColor(const QColor& color)
{
    chart()->setBackgroundBrush(color);
    chart()->setBackgroundPen(Qt::NoPen);
    chart()->setPlotAreaBackgroundBrush(color);
    chart()->setPlotAreaBackgroundVisible(true);
    setBackgroundBrush(color);
}

void PercentBarPlot::setFrameColor(const QColor& color)
{
    m_categories->setGridLineColor(color);
    m_categories->setLinePenColor(color);
    m_categories->setLabelsColor(color);
    m_categories->setTitleBrush(color);
    m_values->setLinePenColor(color);
    m_values->setLabelsColor(color);
    m_values->setTitleBrush(color);
    chart()->setPlotAreaBackgroundPen(QPen(color));
}

void PercentBarPlot::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit contextMenuWanted(event->globalPosition().toPoint());
        return;
    }
    QChartView::mouseReleaseEvent(event);
}

void PercentBarPlot::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    fitAxisLabels();
}

int PercentBarPlot::seriesIndex(QBarSet* set) const { return int(m_series->barSets().indexOf(set)); }

void PercentBarPlot::fitAxisLabels()
{
    if (m_fitting)
        return;
    m_fitting = true;
    // Fewer value ticks on a low plot, down to 0 % and 100 %, so that the labels neither overlap nor get cut.
    const qreal plotHeight = chart()->plotArea().height() > 0 ? chart()->plotArea().height() : height() * 0.75;
    const int labelHeight = QFontMetrics(m_values->labelsFont()).height() * 3 / 2 + 2;
    int ticks = 2;
    for (const int candidate : { 3, 6, 11 })
        if (plotHeight / (candidate - 1) >= labelHeight)
            ticks = candidate;
    if (m_values->tickCount() != ticks)
        m_values->setTickCount(ticks);

    // Labels that do not fit beside each other are turned upright rather than cut to "...".
    const QFontMetrics metrics(m_categories->labelsFont());
    int widest = 0;
    for (const QString& label : std::as_const(m_labels))
        widest = std::max(widest, metrics.horizontalAdvance(label));
    const qreal plotWidth = chart()->plotArea().width() > 0 ? chart()->plotArea().width() : width() * 0.85;
    const qreal pitch = m_labels.isEmpty() ? plotWidth : plotWidth / m_labels.size();
    const bool upright = widest + 8 > pitch;
    if (m_categories->labelsAngle() != (upright ? -90 : 0)) {
        m_categories->setLabelsAngle(upright ? -90 : 0);
        m_categories->setTruncateLabels(!upright);
    }
    // Upright labels still too close for their height: only every stride-th bar keeps its label. The others
    // get distinct empty-looking texts, as the axis takes no two categories alike.
    const int stride = upright ? std::max(1, int(std::ceil((metrics.height() + 2) / std::max<qreal>(pitch, 1)))) : 1;
    QStringList shown = m_labels;
    for (qsizetype i = 0; i < shown.size(); ++i)
        if (i % stride != 0)
            shown[i] = QString(i + 1, QChar(0x200B));
    if (m_categories->categories() != shown)
        m_categories->setCategories(shown);
    m_fitting = false;
}

} // namespace lrv
