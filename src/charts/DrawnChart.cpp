#include "charts/DrawnChart.h"

#include "charts/ChartFont.h"
#include "charts/ChartsHelper.h"
#include "charts/TickLabelLayer.h"
#include "charts/VerticalLabel.h"
#include "host/HostConfiguration.h"
#include "support/ClipboardHelpers.h"
#include "support/Error.h"
#include "support/NumberText.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace lrv {

namespace {
    // Twips per unit of each scale mode; the user scale of the control surface is pixels.
    double twipsPerUnit(int scaleMode, bool horizontal)
    {
        switch (scaleMode) {
        case DrawnChart::Twips:
            return 1;
        case DrawnChart::Points:
            return 20;
        case DrawnChart::Characters:
            return horizontal ? 120 : 240;
        case DrawnChart::Inches:
            return 1440;
        case DrawnChart::Millimeters:
            return 1440 / 25.4;
        case DrawnChart::Centimeters:
            return 1440 / 2.54;
        case DrawnChart::User:
        case DrawnChart::Pixels:
            return 15;
        }
        throw Error(QStringLiteral("Scale mode %1 is unknown; use 0 to 7.").arg(scaleMode));
    }

    int convertLength(double length, int fromScale, int toScale, bool horizontal)
    {
        return int(std::lround(length * twipsPerUnit(fromScale, horizontal) / twipsPerUnit(toScale, horizontal)));
    }

    void setBackground(QWidget* widget, OleColor color)
    {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, toQColor(color));
        palette.setColor(QPalette::Base, toQColor(color));
        widget->setPalette(palette);
    }
}

DrawnChart::DrawnChart(const QString& name, const QString& hTitle, QSize legendSize, QWidget* parent)
    : QWidget(parent)
    , m_font(chartFont())
{
    setObjectName(name);
    QWidget::setFont(m_font);

    // The plot paints nothing itself: the chart's pixmap shows through it.
    m_pic = new QWidget(this);
    m_pic->setObjectName(QStringLiteral("pic"));
    m_pic->installEventFilter(this);

    m_hLegend = new QLabel(hTitle, this);
    m_hLegend->setObjectName(QStringLiteral("lblHLegend"));
    m_hLegend->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_hLegend->setFont(chartFont());

    m_vLegend = new VerticalLabel(this);
    m_vLegend->setObjectName(QStringLiteral("vlLegend"));

    m_legend = new QWidget(this);
    m_legend->setObjectName(QStringLiteral("picLegend"));
    m_legend->setFixedSize(legendSize);
    m_legend->setAutoFillBackground(true);
    m_legend->setFont(chartFont());

    m_invalidData = new QLineEdit(QStringLiteral("Invalid Data"), this);
    m_invalidData->setObjectName(QStringLiteral("txtInvalidData"));
    m_invalidData->setReadOnly(true);
    m_invalidData->setAlignment(Qt::AlignCenter);
    m_invalidData->setFocusPolicy(Qt::NoFocus);
    // Clicks on the notice belong to the plot beneath, whose menu they open.
    m_invalidData->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_invalidData->hide();

    m_labels = new TickLabelLayer(m_picture, this);

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("ctxMain"));
    QAction* copy = m_menu->addAction(QStringLiteral("&Copy"));
    copy->setObjectName(QStringLiteral("mnuMain(0)"));
    m_menu->addSeparator()->setObjectName(QStringLiteral("mnuMain(1)"));
    QAction* print = m_menu->addAction(QStringLiteral("&Print"));
    print->setObjectName(QStringLiteral("mnuMain(2)"));
    connect(copy, &QAction::triggered, this, &DrawnChart::copyImage);
    connect(print, &QAction::triggered, this, &DrawnChart::printImage);

    SetBackColor(m_backColor);
}

int DrawnChart::ScaleX(double width, int fromScale, int toScale) const
{
    return convertLength(width, fromScale, toScale, true);
}

int DrawnChart::ScaleY(double height, int fromScale, int toScale) const
{
    return convertLength(height, fromScale, toScale, false);
}

void DrawnChart::SetBackColor(OleColor color)
{
    m_backColor = color;
    setBackground(this, color);
    setBackground(m_pic, color);
    setBackground(m_legend, color);
    setBackground(m_invalidData, color);
    m_vLegend->SetBackColor(color);
}

void DrawnChart::SetForeColor(OleColor color)
{
    m_foreColor = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    palette.setColor(QPalette::Text, toQColor(color));
    setPalette(palette);
}

void DrawnChart::SetFont(const QFont& font)
{
    m_font = font;
    QWidget::setFont(font);
    m_hLegend->setFont(chartFont());
    m_legend->setFont(chartFont());
}

void DrawnChart::initialiseColors()
{
    ChartsHelper::ApplyChartColors(this);
    m_frameColor = m_foreColor;
}

void DrawnChart::setVerticalTitle(const QString& text) { m_vLegend->SetText(text); }

QLabel* DrawnChart::addLegendLabel(const QString& name, const QString& text, int x, int y, const QString& toolTip)
{
    auto* label = new QLabel(text, m_legend);
    label->setObjectName(name);
    label->setToolTip(toolTip);
    // Value captions change later: they reach to the panel's right edge.
    label->setGeometry(x, y, m_legend->width() - x, label->sizeHint().height());
    return label;
}

void DrawnChart::Refresh()
{
    try {
        m_picture = computePicture(size());
        thinCrowdedLabels(m_picture);
    } catch (const std::exception&) {
        // The chart functions catch their own failures; this keeps a surprise from leaving the control.
        m_picture = ChartPicture();
        m_picture.surface = size();
        m_picture.backColor = m_backColor;
        m_picture.invalidData = true;
    }
    applyLayout(m_picture.layout);
    m_invalidData->setText(m_picture.notice.isEmpty() ? QStringLiteral("Invalid Data") : m_picture.notice);
    m_invalidData->setVisible(m_picture.invalidData);

    // Device pixels, so that lines stay sharp on screens that scale.
    const qreal ratio = devicePixelRatioF();
    m_surface = QPixmap(size().expandedTo(QSize(1, 1)) * ratio);
    m_surface.setDevicePixelRatio(ratio);
    m_surface.fill(toQColor(m_backColor));
    QPainter painter(&m_surface);
    paintPicture(painter, m_picture, PictureParts::WithoutLabels);
    painter.end();
    RefreshMarks();
}

void DrawnChart::RefreshMarks()
{
    m_marks = ChartPicture();
    m_marks.surface = m_picture.surface;
    m_marks.layout = m_picture.layout;
    m_marks.userScale = m_picture.userScale;
    if (!m_picture.invalidData)
        addMarks(m_marks);
    update();
}

void DrawnChart::applyLayout(const ChartLayout& layout)
{
    m_pic->setGeometry(layout.pic);
    m_hLegend->setGeometry(layout.hLegend);
    m_vLegend->setGeometry(layout.vLegend);
    m_legend->move(layout.legend.topLeft());
    m_invalidData->setGeometry(layout.invalidNotice);
    m_labels->setGeometry(rect());
    m_labels->raise();
    m_labels->update();
}

void DrawnChart::paintControl(QPainter& painter)
{
    paintPicture(painter, m_picture, PictureParts::WithoutLabels);
    paintPicture(painter, m_marks, PictureParts::SeriesOnly);
    if (!m_vLegend->isHidden())
        m_vLegend->paint(painter);
    for (QWidget* child : { static_cast<QWidget*>(m_hLegend), m_legend, static_cast<QWidget*>(m_invalidData) }) {
        if (!child->isHidden())
            child->render(&painter, child->pos(), QRegion(), QWidget::DrawChildren);
    }
    paintPicture(painter, m_picture, PictureParts::LabelsOnly);
}

void DrawnChart::paintChart(QPainter& painter, const QRect& target)
{
    if (size().isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(double(target.width()) / width(), double(target.height()) / height());
    paintControl(painter);
    painter.restore();
}

void DrawnChart::resizeEvent(QResizeEvent*) { Refresh(); }

void DrawnChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_surface);
    paintPicture(painter, m_marks, PictureParts::SeriesOnly);
}

void DrawnChart::mouseReleaseEvent(QMouseEvent* event)
{
    // Only the bare control surface opens the menu here; the plot reports through the event filter.
    if (event->button() == Qt::RightButton && childAt(event->position().toPoint()) == nullptr)
        popupMenu(event->globalPosition().toPoint());
}

OleColor DrawnChart::chosenCutoffColor()
{
    return HostConfiguration::color(QStringLiteral("LogisticRegression.Chart.ChosenCutoff"));
}

void DrawnChart::addChosenShareMarker(ChartPicture& picture, std::optional<double> share)
{
    if (!share || !std::isfinite(*share))
        return;
    const double x = 100 * std::clamp(*share, 0.0, 1.0);
    const QRectF& scale = picture.userScale;
    picture.series.push_back(
        { QPointF(x, scale.top() + scale.height()), QPointF(x, scale.top()), chosenCutoffColor(), 2, Qt::DashLine });
}

bool DrawnChart::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pic && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            plotPressed(mouse->position() + m_pic->pos());
    }
    if (watched == m_pic && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            popupMenu(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DrawnChart::popupMenu(const QPoint& globalPosition) { m_menu->popup(globalPosition); }

void DrawnChart::copyImage()
{
    m_menu->hide();
    QCoreApplication::processEvents();
    bestEffort([this] {
        ClipboardHelpers::CopyPainted(
            [this](QPainter& painter, const QRect& target) { paintChart(painter, target); }, size());
    });
}

void DrawnChart::printImage()
{
    m_menu->hide();
    QCoreApplication::processEvents();
    bestEffort([this] {
        Refresh();
        ClipboardHelpers::PrintPainted([this](QPainter& painter, const QRect& target) { paintChart(painter, target); },
            size(), logicalDpiX(), ClipboardHelpers::PrintPlacement::OwnSize, this);
    });
}

namespace {
    void checkCell(bool contained, int row, int column)
    {
        if (!contained)
            throw Error(QStringLiteral("The chart's table has no cell at row %1, column %2.").arg(row).arg(column));
    }

    double checkFinite(double value, int row, int column)
    {
        if (!std::isfinite(value))
            throw Error(QStringLiteral("The chart's table holds no number at row %1, column %2.").arg(row).arg(column));
        return value;
    }
}

double DrawnChart::numberAt(const Table<double>& data, int row, int column)
{
    checkCell(data.contains(row, column), row, column);
    return checkFinite(data.at(row, column), row, column);
}

double DrawnChart::numberAt(const Table<Variant>& data, int row, int column)
{
    checkCell(data.contains(row, column), row, column);
    const Variant value = data.at(row, column);
    return value.isEmpty() ? 0.0 : checkFinite(value.toDouble(), row, column);
}

void DrawnChart::DrawAxes(ChartPicture& picture, const QFontMetricsF& metrics, OleColor frameColor)
{
    const QRect plot = picture.plot();
    const double L = plot.left();
    const double T = plot.top();
    const double Wp = plot.width();
    const double Hp = plot.height();
    const double tw = metrics.horizontalAdvance(QStringLiteral("0.0"));
    const double th = metrics.height();
    picture.xLabels.resize(11);
    picture.yLabels.resize(11);

    auto line = [&](double x1, double y1, double x2, double y2) {
        picture.frame.push_back({ QPointF(x1, y1), QPointF(x2, y2), frameColor, 1, Qt::SolidLine });
    };
    // The box from (L - 1, T + Hp + 1) to (L + Wp, T - 1): one pixel outside the plot.
    line(L - 1, T - 1, L + Wp, T - 1);
    line(L + Wp, T - 1, L + Wp, T + Hp + 1);
    line(L + Wp, T + Hp + 1, L - 1, T + Hp + 1);
    line(L - 1, T + Hp + 1, L - 1, T - 1);

    const double sy = Hp / 10;
    const double labelLeft = L - 2 * tw;
    for (int i = 0; i <= 9; ++i) {
        const double y = T + Hp + 1 - sy * i;
        line(L, y, L - 5, y);
        picture.yLabels[i].topLeft = QPointF(labelLeft, i == 0 ? T + Hp - th / 2 : y - th / 2);
    }
    line(L, T - 1, L - 5, T - 1);
    picture.yLabels[10].topLeft = QPointF(labelLeft, T - th / 2);

    const double sx = Wp / 10;
    const double labelTop = T + Hp + th;
    for (int i = 1; i <= 9; ++i) {
        const double x = L + Wp + 1 - sx * i;
        line(x, T + Hp + 1, x, T + Hp + 5);
        picture.xLabels[i].topLeft = QPointF(x - tw / 1.5, labelTop);
    }
    line(L - 1, T + Hp, L - 1, T + Hp + 5);
    line(L + Wp, T + Hp, L + Wp, T + Hp + 5);
    picture.xLabels[10].topLeft = QPointF(L + Wp - tw / 1.5, labelTop);
    picture.xLabels[0].topLeft = QPointF(L - tw / 1.5, labelTop);
}

} // namespace lrv
