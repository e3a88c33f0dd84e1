#include "charts/QuantileChart.h"

#include "charts/BarChartCapture.h"
#include "charts/BarChartColors.h"
#include "charts/ChartsHelper.h"
#include "charts/PercentBarPlot.h"
#include "charts/SwatchLegend.h"
#include "entry/ControlRegistry.h"
#include "host/HostConfiguration.h"
#include "support/Error.h"
#include "support/NumberText.h"

#include <algorithm>

#include <QAction>
#include <QBarSet>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>

namespace lrv {

namespace {
    const lrv::ControlRegistration registration(
        QStringLiteral("QuantileChart"), [](QWidget* parent) { return new QuantileChart(parent); });

    constexpr int kPositivesCount = index(DecileColumn::Positives);
    constexpr int kNegativesCount = index(DecileColumn::Negatives);
    constexpr int kPositivesPercent = index(DecileColumn::PositivePercent);
    constexpr int kNegativesPercent = index(DecileColumn::NegativePercent);
    // A scroll bar value is a 16-bit number on the original platform; the window never starts later.
    constexpr int kLargestScrollValue = 32767;
    constexpr int kLegendTop = 40;

    const QString kPrefix = QStringLiteral("LogisticRegression.Quantile.Chart.");

    double numberAt(const Table<Variant>& table, int row, int column)
    {
        if (!table.contains(row, column))
            return 0.0;
        const Variant value = table.at(row, column);
        return value.isNumeric() ? value.toDouble() : 0.0;
    }

    QString textAt(const Table<Variant>& table, int row, int column)
    {
        return table.contains(row, column) ? table.at(row, column).text() : QString();
    }
}

QuantileChart::QuantileChart(QWidget* parent)
    : QWidget(parent)
    , m_plot(new PercentBarPlot({ QStringLiteral("Positives"), QStringLiteral("Negatives") }, this))
    , m_scroll(new QScrollBar(Qt::Horizontal, this))
    , m_legend(new SwatchLegend({ { QStringLiteral("shPositives"), QStringLiteral("Positives") },
                                    { QStringLiteral("shNegatives"), QStringLiteral("Negatives") } },
          this))
    , m_menu(new QMenu(this))
{
    setObjectName(QStringLiteral("QuantileChart"));
    setAutoFillBackground(true);
    m_plot->setObjectName(QStringLiteral("chQuant"));
    m_scroll->setObjectName(QStringLiteral("hsScroll"));
    m_scroll->hide();
    m_menu->setObjectName(QStringLiteral("ctxMain"));
    QAction* copy = m_menu->addAction(QStringLiteral("&Copy"));
    copy->setObjectName(QStringLiteral("mnuMain(0)"));
    m_menu->addSeparator()->setObjectName(QStringLiteral("mnuMain(1)"));
    QAction* print = m_menu->addAction(QStringLiteral("&Print"));
    print->setObjectName(QStringLiteral("mnuMain(2)"));

    // Designed colours, kept where the configuration has none.
    m_plot->setSeriesColors(0, QColor(0x3a, 0x78, 0xb5), QColor(0x24, 0x4f, 0x7a));
    m_plot->setSeriesColors(1, QColor(0xe8, 0xa3, 0x3d), QColor(0xa8, 0x72, 0x22));
    m_legend->setSwatchColors(0, QColor(0x3a, 0x78, 0xb5), QColor(0x24, 0x4f, 0x7a));
    m_legend->setSwatchColors(1, QColor(0xe8, 0xa3, 0x3d), QColor(0xa8, 0x72, 0x22));
    ChartsHelper::ApplyChartColors(this);
    applyConfiguredColors();

    connect(m_scroll, &QScrollBar::valueChanged, this, [this] {
        if (!m_updating)
            bestEffort([this] { Refresh(); });
    });
    connect(m_plot, &PercentBarPlot::barHovered, this,
        [this](int series, int position, bool entered) { bestEffort([&] { showBarTip(series, position, entered); }); });
    connect(m_plot, &PercentBarPlot::barClicked, this, [this](int, int position) {
        if (m_hasData)
            emit PointSelected(firstShownRow() + position);
    });
    connect(m_plot, &PercentBarPlot::contextMenuWanted, this, &QuantileChart::showContextMenu);
    connect(copy, &QAction::triggered, this,
        [this] { runImageCommand([this] { BarChartCapture::copyImage(this, *this); }); });
    connect(print, &QAction::triggered, this,
        [this] { runImageCommand([this] { BarChartCapture::printImage(this, *this); }); });

    resize(600, 300);
    Reset();
}

void QuantileChart::applyConfiguredColors()
{
    for (int series = 0; series < 2; ++series) {
        const QString word = series == 0 ? QStringLiteral("Positives.") : QStringLiteral("Negatives.");
        const std::optional<QColor> fill = BarChartColors::configured(kPrefix + word + QStringLiteral("BackColor"));
        const std::optional<QColor> border = BarChartColors::configured(kPrefix + word + QStringLiteral("Border"));
        if (!fill || !border)
            continue;
        m_plot->setSeriesColors(series, *fill, *border);
        m_legend->setSwatchColors(series, *fill, *border);
    }
}

void QuantileChart::setBackColor(uint color)
{
    m_backColor = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    setPalette(palette);
    m_legend->setBackColor(toQColor(color));
    m_plot->setBackdropColor(toQColor(color));
}

void QuantileChart::setForeColor(uint color)
{
    m_foreColor = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    setPalette(palette);
    m_legend->setForeColor(toQColor(color));
    m_plot->setFrameColor(toQColor(color));
}

bool QuantileChart::needsScrolling() const { return m_hasData && m_table.rowHigh() > m_threshold; }

void QuantileChart::SetDataSource(const Table<Variant>& data)
{
    m_table = data;
    m_threshold = std::max(
        1, HostConfiguration::integer(QStringLiteral("LogisticRegression.Chart.Quantile.StreamingThreshold"), 30));
    m_updating = true;
    const int upper = data.rowHigh();
    const int maximum = upper >= kLargestScrollValue + 1 ? kLargestScrollValue : upper + 1 - m_threshold;
    m_scroll->setRange(1, std::max(1, maximum));
    m_scroll->setSingleStep(1);
    m_scroll->setPageStep(m_threshold);
    m_scroll->setValue(1);
    m_updating = false;
    m_hasData = true;
}

int QuantileChart::firstShownRow() const { return needsScrolling() ? m_scroll->value() : m_table.rowLow(); }

void QuantileChart::Refresh()
{
    const int first = firstShownRow();
    const int last = needsScrolling() ? std::min(first + m_threshold - 1, m_table.rowHigh()) : m_table.rowHigh();
    QStringList labels;
    QList<qreal> positives;
    QList<qreal> negatives;
    for (int row = first; row <= last; ++row) {
        labels.append(QString::number(row) + QLatin1Char(' '));
        positives.append(numberAt(m_table, row, kPositivesPercent));
        negatives.append(numberAt(m_table, row, kNegativesPercent));
    }
    m_plot->setBars(labels, { positives, negatives });
    layoutChildren();
}

void QuantileChart::Reset()
{
    TableBuilder<Variant> placeholder(1, 10, 0, 20);
    for (int row = 1; row <= 10; ++row) {
        placeholder.set(row, index(DecileColumn::UpperBoundary), Variant(double(row)));
        placeholder.set(row, kPositivesPercent, Variant(0.0));
        placeholder.set(row, kNegativesPercent, Variant(0.0));
    }
    SetDataSource(placeholder.build());
    Refresh();
}

void QuantileChart::ShowPoint(int index)
{
    if (!needsScrolling())
        return;
    m_scroll->setValue(index > m_scroll->maximum() ? m_scroll->maximum() : index + 1);
}

void QuantileChart::layoutChildren()
{
    const int width = this->width();
    const int height = this->height();
    const int chartWidth = std::max(0, width - m_legend->width() - 100);
    if (!needsScrolling() || m_capturing) {
        m_scroll->hide();
        m_plot->setGeometry(0, 0, chartWidth, height);
    } else {
        const int scrollHeight = m_scroll->sizeHint().height();
        m_scroll->setGeometry(0, height - scrollHeight, width, scrollHeight);
        m_plot->setGeometry(0, 0, chartWidth, std::max(0, height - scrollHeight));
        m_scroll->show();
    }
    m_legend->move(m_plot->x() + m_plot->width() + 50, kLegendTop);
}

void QuantileChart::showBarTip(int series, int position, bool entered)
{
    if (!entered || !m_hasData) {
        m_plot->setToolTip(QString());
        QToolTip::hideText();
        return;
    }
    const int row = firstShownRow() + position;
    const bool positive = series == 0;
    const double percent = numberAt(m_table, row, positive ? kPositivesPercent : kNegativesPercent);
    const QString count = textAt(m_table, row, positive ? kPositivesCount : kNegativesCount);
    const QString tip = (positive ? QStringLiteral(" Positive Cases, ") : QStringLiteral(" Negative Cases, "))
        + percentText(percent / 100.0, 1) + QStringLiteral(" (") + count + QStringLiteral(") ");
    m_plot->setToolTip(tip);
    QToolTip::showText(QCursor::pos(), tip, m_plot);
}

void QuantileChart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutChildren();
}

void QuantileChart::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        showContextMenu(event->globalPosition().toPoint());
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void QuantileChart::showContextMenu(const QPoint& globalPos) { m_menu->popup(globalPos); }

void QuantileChart::paintChart(QPainter& painter, const QRect& target)
{
    const bool capturing = m_capturing;
    m_capturing = true;
    layoutChildren();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    IQuantileChart::paintChart(painter, target);
    m_capturing = capturing;
    layoutChildren();
}

void QuantileChart::runImageCommand(const std::function<void()>& command)
{
    m_menu->hide();
    QCoreApplication::processEvents();
    bestEffort(command);
}

} // namespace lrv
