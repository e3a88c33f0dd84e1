#include "charts/BarChartWindow.h"

#include "charts/ChartInterfaces.h"
#include "support/ClipboardHelpers.h"
#include "support/Error.h"

#include <algorithm>

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QWidget>

namespace lrv {

namespace {
    constexpr int kLargestScrollValue = 32767;
}

BarChartWindow::BarChartWindow(QWidget& control, IChartControl& chart, const MenuNames& names,
    std::function<void()> scrolled, std::function<void()> layout)
    : QObject(&control)
    , m_layout(std::move(layout))
    , m_control(control)
    , m_chart(chart)
    , m_scroll(new QScrollBar(Qt::Horizontal, &control))
    , m_menu(new QMenu(&control))
{
    m_scroll->setObjectName(QStringLiteral("hsScroll"));
    m_scroll->hide();
    control.installEventFilter(this);
    m_menu->setObjectName(QStringLiteral("ctxMain"));
    QAction* copy = m_menu->addAction(QStringLiteral("&Copy"));
    copy->setObjectName(names.copy);
    if (!names.separator.isEmpty())
        m_menu->addSeparator()->setObjectName(names.separator);
    QAction* print = m_menu->addAction(QStringLiteral("&Print"));
    print->setObjectName(names.print);

    QObject::connect(m_scroll, &QScrollBar::valueChanged, &control, [this, scrolled = std::move(scrolled)] {
        if (!m_moving)
            bestEffort(scrolled);
    });
    const auto paint = [this](QPainter& painter, const QRect& target) { m_chart.paintChart(painter, target); };
    QObject::connect(copy, &QAction::triggered, &control,
        [this, paint] { runImageCommand([this, paint] { ClipboardHelpers::CopyPainted(paint, m_control.size()); }); });
    QObject::connect(print, &QAction::triggered, &control, [this, paint] {
        runImageCommand([this, paint] {
            ClipboardHelpers::PrintPainted(paint, m_control.size(), m_control.logicalDpiX(),
                ClipboardHelpers::PrintPlacement::OwnSize, &m_control);
        });
    });
}

void BarChartWindow::setBuckets(int buckets, int window)
{
    const int maximum = buckets >= kLargestScrollValue + 1 ? kLargestScrollValue : buckets + 1 - window;
    m_moving = true;
    m_scroll->setRange(1, std::max(1, maximum));
    m_scroll->setSingleStep(1);
    m_scroll->setPageStep(window);
    m_moving = false;
}

int BarChartWindow::first() const { return m_scroll->value(); }

int BarChartWindow::lastFirst() const { return m_scroll->maximum(); }

void BarChartWindow::moveTo(int first)
{
    m_moving = true;
    m_scroll->setValue(first);
    m_moving = false;
}

void BarChartWindow::scrollTo(int first) { m_scroll->setValue(first); }

int BarChartWindow::placeScrollBar(bool scrolling, bool visible)
{
    const bool shown = scrolling && !m_capturing;
    const int height = shown ? m_scroll->sizeHint().height() : 0;
    if (shown)
        m_scroll->setGeometry(0, m_control.height() - height, m_control.width(), height);
    m_scroll->setVisible(shown && visible);
    return height;
}

void BarChartWindow::paintWithoutScrollBar(QPainter& painter, const QRect& target)
{
    const bool capturing = m_capturing;
    m_capturing = true;
    m_layout();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    m_chart.IChartControl::paintChart(painter, target);
    m_capturing = capturing;
    m_layout();
}

void BarChartWindow::popupMenu(const QPoint& globalPos) { m_menu->popup(globalPos); }

void BarChartWindow::showTip(QWidget& plot, const QString& tip)
{
    plot.setToolTip(tip);
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(QCursor::pos(), tip, &plot);
}

bool BarChartWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_control)
        return false;
    if (event->type() == QEvent::Resize) {
        m_layout();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        // Releases over child labels and check boxes, which do not take them, reach the control too.
        auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::RightButton) {
            popupMenu(release->globalPosition().toPoint());
            return true;
        }
    }
    return false;
}

void BarChartWindow::runImageCommand(const std::function<void()>& command)
{
    m_menu->hide();
    QCoreApplication::processEvents();
    bestEffort(command);
}

} // namespace lrv
