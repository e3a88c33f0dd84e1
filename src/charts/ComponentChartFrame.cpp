#include "charts/ComponentChartFrame.h"

#include "charts/BarChartColors.h"
#include "charts/ChartComponent.h"
#include "charts/ChartStyleFolder.h"
#include "support/ClipboardHelpers.h"
#include "support/UserPromptLib.h"
#include "support/XTremeChartsHelper.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace lrv {

namespace {
    QLabel* hiddenLabel(QWidget* parent, const QString& name, const QString& text)
    {
        auto* label = new QLabel(text, parent);
        label->setObjectName(name);
        label->hide();
        return label;
    }

    void setBackground(QWidget* widget, OleColor color)
    {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, toQColor(color));
        palette.setColor(QPalette::Base, toQColor(color));
        widget->setPalette(palette);
        widget->setAutoFillBackground(true);
    }
}

ComponentChartFrame::ComponentChartFrame(QWidget* parent, const QString& verticalTitle)
    : QWidget(parent)
{
    m_chart = new ChartComponent(this);
    m_chart->setObjectName(QStringLiteral("ChartControl"));
    connect(m_chart, &ChartComponent::contextMenuRequested, this, &ComponentChartFrame::popupMenu);

    m_pic = new QWidget(this);
    m_pic->setObjectName(QStringLiteral("pic"));
    m_pic->hide();
    m_lblHLegend = hiddenLabel(this, QStringLiteral("lblHLegend"), QStringLiteral("Model Output"));
    m_lblHLegend->setAlignment(Qt::AlignCenter);
    m_vlLegend = hiddenLabel(this, QStringLiteral("vlLegend"), verticalTitle);
    m_lblX = hiddenLabel(this, QStringLiteral("lblX(0)"), QStringLiteral("0"));
    m_lblY = hiddenLabel(this, QStringLiteral("lblY(0)"), QStringLiteral("0"));

    m_txtInvalidData = new QLineEdit(QStringLiteral("Unable to draw the chart"), this);
    m_txtInvalidData->setObjectName(QStringLiteral("txtInvalidData"));
    m_txtInvalidData->setReadOnly(true);
    m_txtInvalidData->setFrame(false);
    m_txtInvalidData->setAlignment(Qt::AlignCenter);
    m_txtInvalidData->setFocusPolicy(Qt::NoFocus);
    QFont noticeFont = m_txtInvalidData->font();
    noticeFont.setPointSizeF(10);
    noticeFont.setBold(true);
    m_txtInvalidData->setFont(noticeFont);
    m_txtInvalidData->hide();

    m_ctxMain = new QMenu(this);
    m_ctxMain->setObjectName(QStringLiteral("ctxMain"));
    const QString captions[] = { QStringLiteral("&Copy"), QString(), QStringLiteral("&Print") };
    for (int i = 0; i < 3; ++i) {
        QAction* action = i == 1 ? m_ctxMain->addSeparator() : m_ctxMain->addAction(captions[i]);
        action->setObjectName(QStringLiteral("mnuMain(%1)").arg(i));
        if (i != 1)
            connect(action, &QAction::triggered, this, [this, i] { runCommand(i); });
    }
    watchForMenu(m_pic);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
}

ComponentChartFrame::~ComponentChartFrame() = default;

void ComponentChartFrame::loadStyles(const ChartContentStyle& content, const ChartPaletteStyle& palette,
    const QString& contentFile, const QString& paletteFile)
{
    m_chart->setDefaults(content, palette);
    XTremeChartsHelper::LoadChartContent(*m_chart, XTremeChartsHelper::StylePath(contentFile));
    XTremeChartsHelper::LoadChartPalette(*m_chart, XTremeChartsHelper::StylePath(paletteFile));
}

void ComponentChartFrame::useConfiguredColors(const QStringList& seriesKeys, const QStringList& lineKeys)
{
    for (int i = 0; i < seriesKeys.size(); ++i)
        if (!seriesKeys[i].isEmpty())
            m_chart->setSeriesColor(i, BarChartColors::configured(seriesKeys[i]));
    for (int i = 0; i < lineKeys.size(); ++i)
        if (!lineKeys[i].isEmpty())
            m_chart->setConstantLineColor(i, BarChartColors::configured(lineKeys[i]));
}

OleColor ComponentChartFrame::BackColor() const { return fromQColor(palette().color(QPalette::Window)); }

void ComponentChartFrame::SetBackColor(OleColor color)
{
    setBackground(this, color);
    setBackground(m_pic, color);
    setBackground(m_vlLegend, color);
    setBackground(m_txtInvalidData, color);
}

OleColor ComponentChartFrame::ForeColor() const { return fromQColor(palette().color(QPalette::WindowText)); }

void ComponentChartFrame::SetForeColor(OleColor color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    setPalette(palette);
}

void ComponentChartFrame::SetFont(const QFont& font)
{
    setFont(font);
    m_pic->setFont(font);
    m_lblX->setFont(font);
    m_lblY->setFont(font);
}

void ComponentChartFrame::showInvalidData(bool show)
{
    m_txtInvalidData->setVisible(show);
    if (show)
        m_txtInvalidData->raise();
}

bool ComponentChartFrame::invalidDataShown() const { return !m_txtInvalidData->isHidden(); }

void ComponentChartFrame::drawingFailed()
{
    m_pic->update();
    showInvalidData(true);
}

void ComponentChartFrame::clearSeries()
{
    try {
        for (int series = 0; series < m_chart->seriesCount(); ++series)
            m_chart->removeAllPoints(series);
        m_chart->setAxisLabelsVisible(Qt::Horizontal, false);
    } catch (const std::exception&) {
        drawingFailed();
    }
}

QSize ComponentChartFrame::pictureSize() const { return m_chart->size(); }

void ComponentChartFrame::paintChart(QPainter& painter, const QRect& target)
{
    const QSize size = pictureSize();
    if (size.isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(double(target.width()) / size.width(), double(target.height()) / size.height());
    m_chart->paintScene(painter, QRectF(QPointF(0, 0), size));
    if (invalidDataShown()) {
        const QRect notice = m_txtInvalidData->geometry().translated(-m_chart->pos());
        painter.fillRect(notice, m_txtInvalidData->palette().color(QPalette::Base));
        painter.setPen(m_txtInvalidData->palette().color(QPalette::Text));
        painter.setFont(m_txtInvalidData->font());
        painter.drawText(notice, Qt::AlignCenter, m_txtInvalidData->text());
    }
    painter.restore();
}

void ComponentChartFrame::watchForMenu(QWidget* widget) { widget->installEventFilter(this); }

void ComponentChartFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    try {
        layoutChildren();
        refreshChart();
    } catch (const std::exception&) {
        drawingFailed();
    }
}

void ComponentChartFrame::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        popupMenu(event->globalPosition().toPoint());
    QWidget::mouseReleaseEvent(event);
}

bool ComponentChartFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
        popupMenu(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
    return QWidget::eventFilter(watched, event);
}

void ComponentChartFrame::popupMenu(const QPoint& globalPosition) { m_ctxMain->popup(globalPosition); }

void ComponentChartFrame::runCommand(int index)
{
    m_ctxMain->hide();
    QCoreApplication::processEvents();
    try {
        // A control that was never shown has not been laid out for its size yet.
        layoutChildren();
        const auto paint = [this](QPainter& painter, const QRect& target) { paintChart(painter, target); };
        if (index == 0)
            ClipboardHelpers::CopyPainted(paint, pictureSize());
        else
            ClipboardHelpers::PrintPainted(
                paint, pictureSize(), logicalDpiX(), ClipboardHelpers::PrintPlacement::FitPage, this);
    } catch (const std::exception& error) {
        UserPromptLib::ShowInfoPrompt(QString::fromUtf8(error.what()), this);
    }
}

} // namespace lrv
