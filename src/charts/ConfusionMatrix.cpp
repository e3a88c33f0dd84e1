#include "charts/ConfusionMatrix.h"

#include "charts/BarChartColors.h"
#include "charts/BarChartWindow.h"
#include "charts/ChartsHelper.h"
#include "charts/PercentBarPlot.h"
#include "charts/SwatchLegend.h"
#include "host/HostConfiguration.h"
#include "support/Error.h"
#include "support/NumberText.h"
#include "support/RegistryLib.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QLabel>

namespace lrv {

namespace {
    const QString kPercentSetting = QStringLiteral("ConfMatrixPercent");
    const QString kPrefix = QStringLiteral("LogisticRegression.ConfMatrix.Chart.");
    constexpr int kOutcomes = kCountOf<Outcome>;
    const std::array<QString, kOutcomes> kCells
        = { QStringLiteral("TP."), QStringLiteral("TN."), QStringLiteral("FP."), QStringLiteral("FN.") };
    const std::array<QString, kOutcomes> kCellNames = { QStringLiteral("True Positives"),
        QStringLiteral("True Negatives"), QStringLiteral("False Positives"), QStringLiteral("False Negatives") };
    // Designed colours, kept where the configuration has none: correct cells cool, wrong cells warm.
    const std::array<QColor, kOutcomes> kDesignedFill
        = { QColor(0x4c, 0x9a, 0x56), QColor(0x3a, 0x78, 0xb5), QColor(0xe8, 0xa3, 0x3d), QColor(0xc9, 0x4c, 0x4c) };
    const std::array<QColor, kOutcomes> kDesignedBorder
        = { QColor(0x2f, 0x68, 0x37), QColor(0x24, 0x4f, 0x7a), QColor(0xa8, 0x72, 0x22), QColor(0x8c, 0x2f, 0x2f) };

    // A scroll bar value is a 16-bit number on the original platform.

    // The table panel, in pixels of the designed form (15 twips a pixel).
    constexpr int kPanelWidth = 462;
    constexpr int kPanelHeight = 193;
    constexpr int kColumnPitch = 115;
    constexpr int kRowPitch = 30;
    constexpr int kFirstRowTop = 6;
    constexpr int kTextHeight = 20;

    // The chart and its legend, in pixels (120, 60, 250, 50 and 1080 twips).
    constexpr int kChartLeft = 8;
    constexpr int kChartTop = 4;
    constexpr int kChartMargin = 17;
    constexpr int kLegendGap = 3;
    constexpr int kLegendTop = 72;

    QFont designedFont(bool bold = false)
    {
        QFont font(QStringLiteral("Tahoma"));
        font.setPointSizeF(8.25);
        font.setBold(bold);
        return font;
    }

    QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, Qt::Alignment alignment,
        const QRect& geometry, bool bold = false)
    {
        auto* label = new QLabel(text, parent);
        label->setObjectName(name);
        label->setAlignment(alignment | Qt::AlignVCenter);
        label->setFont(designedFont(bold));
        label->setGeometry(geometry);
        return label;
    }

    // Neighbouring cells share their border line.
    QRect cell(int column, int row)
    {
        return QRect(column * kColumnPitch, kFirstRowTop + row * kRowPitch, kColumnPitch + 1, kRowPitch + 1);
    }

    ConfusionMatrixTable::Counts countsOf(const Vector<std::int32_t>& counts)
    {
        ConfusionMatrixTable::Counts result {};
        for (int k = 0; k < kOutcomes; ++k)
            result[std::size_t(k)] = counts.at(counts.low() + k);
        return result;
    }

    void checkCounts(const Vector<std::int32_t>& counts, const char* which)
    {
        if (counts.size() != kOutcomes)
            throw Error(QStringLiteral("The %1 confusion matrix holds %2 counts instead of four (TP, TN, FP, FN); "
                                       "recalculate the analysis.")
                            .arg(QLatin1String(which))
                            .arg(counts.size()));
    }

    void checkSeries(const Table<std::int32_t>& series, const char* which)
    {
        if (series.rowCount() > 0 && series.colCount() != kOutcomes)
            throw Error(QStringLiteral("The %1 confusion matrix per bucket holds %2 columns instead of four "
                                       "(TP, TN, FP, FN); recalculate the analysis.")
                            .arg(QLatin1String(which))
                            .arg(series.colCount()));
    }
}

ConfusionMatrix::ConfusionMatrix(QWidget* parent)
    : QWidget(parent)
    , m_matrix(new QWidget(this))
    , m_percent(new QCheckBox(QStringLiteral("Show in Percentages"), m_matrix))
    , m_plot(new PercentBarPlot({ kCellNames[0], kCellNames[1], kCellNames[2], kCellNames[3] }, this))
    , m_legend(
          new SwatchLegend({ { QStringLiteral("shTP"), kCellNames[0] }, { QStringLiteral("shTN"), kCellNames[1] },
                               { QStringLiteral("shFP"), kCellNames[2] }, { QStringLiteral("shFN"), kCellNames[3] } },
              this))
    , m_window(new BarChartWindow(
          *this, *this,
          BarChartWindow::MenuNames { QStringLiteral("mnuCopy(0)"), QStringLiteral("mnuCopy(1)"), QString() },
          [this] { fillChart(); }, [this] { layoutChildren(); }))
{
    setObjectName(QStringLiteral("ConfusionMatrix"));
    setAutoFillBackground(true);
    setFont(designedFont());
    buildMatrixPanel();
    m_plot->setObjectName(QStringLiteral("chChart"));

    m_updating = true;
    bool numeric = false;
    const int stored = RegistryLib::GetAppSetting(RegistryLib::kSection, kPercentSetting, Variant(1)).toInt(&numeric);
    m_percent->setChecked(numeric ? stored != 0 : true);
    m_updating = false;

    for (std::size_t k = 0; k < kOutcomes; ++k) {
        m_plot->setSeriesColors(int(k), kDesignedFill[k], kDesignedBorder[k]);
        m_legend->setSwatchColors(int(k), kDesignedFill[k], kDesignedBorder[k]);
    }
    ChartsHelper::ApplyChartColors(this);
    applyConfiguredColors();

    connect(m_percent, &QCheckBox::toggled, this, [this] { bestEffort([this] { percentToggled(); }); });
    connect(m_plot, &PercentBarPlot::barHovered, this, [this](int series, int position, bool entered) {
        bestEffort([&] { showSegmentTip(series, position, entered); });
    });
    connect(m_plot, &PercentBarPlot::contextMenuWanted, this,
        [this](const QPoint& globalPos) { m_window->popupMenu(globalPos); });

    resize(640, 320);
    SetMode(0);
}

void ConfusionMatrix::buildMatrixPanel()
{
    m_matrix->setObjectName(QStringLiteral("picMatrix"));
    m_matrix->setFixedSize(kPanelWidth, kPanelHeight);
    m_matrix->setAutoFillBackground(true);
    m_matrix->setStyleSheet(QStringLiteral("QLabel[cell=\"true\"] { border: 1px solid #b4b4b4; }"));

    const QStringList headings
        = { QStringLiteral("Yes (actual)"), QStringLiteral("No (actual)"), QStringLiteral("Total"),
              QStringLiteral("Yes (predicted)"), QStringLiteral("No (predicted)"), QStringLiteral("Total") };
    // Rows are the actual class, columns the predicted class.
    const std::array<QRect, 6> headingCells
        = { cell(0, 1), cell(0, 2), cell(0, 3), cell(1, 0), cell(2, 0), cell(3, 0) };
    for (std::size_t i = 0; i < 6; ++i)
        m_headings[i] = makeLabel(m_matrix, QStringLiteral("lblLabels(%1)").arg(i), headings[int(i)],
            i < 3 ? Qt::AlignLeft : Qt::AlignHCenter, headingCells[i], true);
    for (QLabel* heading : m_headings)
        heading->setIndent(4);

    const std::array<QRect, kOutcomes> valueCells = { cell(1, 1), cell(2, 2), cell(1, 2), cell(2, 1) };
    for (std::size_t i = 0; i < kOutcomes; ++i) {
        m_values[i] = makeLabel(
            m_matrix, QStringLiteral("lblValues(%1)").arg(i), QStringLiteral("--"), Qt::AlignHCenter, valueCells[i]);
        m_values[i]->setToolTip(kCellNames[i]);
        m_values[i]->setProperty("cell", true);
    }

    const std::array<QRect, 5> totalCells = { cell(1, 3), cell(2, 3), cell(3, 1), cell(3, 2), cell(3, 3) };
    const QStringList totalTips = { QStringLiteral("Positive Predictions"), QStringLiteral("Negative Predictions"),
        QStringLiteral("Actual Positive Cases"), QStringLiteral("Actual Negative Cases"), QString() };
    for (std::size_t i = 0; i < 5; ++i) {
        m_totals[i] = makeLabel(
            m_matrix, QStringLiteral("lblTotals(%1)").arg(i), QStringLiteral("--"), Qt::AlignHCenter, totalCells[i]);
        m_totals[i]->setToolTip(totalTips[int(i)]);
        m_totals[i]->setProperty("cell", true);
    }

    const int bottom = kFirstRowTop + 4 * kRowPitch + 12;
    const QStringList captions = { QStringLiteral("Correct:"), QStringLiteral("Wrong:") };
    for (std::size_t i = 0; i < 2; ++i) {
        const int top = bottom + int(i) * (kTextHeight + 4);
        m_titleCaptions[i] = makeLabel(m_matrix, QStringLiteral("lblTitleCap(%1)").arg(i), captions[int(i)],
            Qt::AlignRight, QRect(2 * kColumnPitch, top, kColumnPitch - 8, kTextHeight), true);
        m_titles[i] = makeLabel(m_matrix, QStringLiteral("lblTitle(%1)").arg(i), QStringLiteral("--"), Qt::AlignHCenter,
            QRect(3 * kColumnPitch, top, kColumnPitch, kTextHeight));
    }

    m_percent->setObjectName(QStringLiteral("chkPercent"));
    m_percent->setFont(designedFont());
    m_percent->adjustSize();
    m_percent->move(4, bottom + (kTextHeight - m_percent->height()) / 2);
}

void ConfusionMatrix::applyConfiguredColors()
{
    QStringList seriesKeys;
    for (const QString& cell : kCells)
        seriesKeys.append(kPrefix + cell);
    BarChartColors::applyConfigured(*m_plot, *m_legend, seriesKeys);
}

void ConfusionMatrix::setBackColor(uint color)
{
    m_backColor = color;
    const QColor back = toQColor(color);
    for (QWidget* widget : { static_cast<QWidget*>(this), m_matrix, static_cast<QWidget*>(m_percent) }) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window, back);
        palette.setColor(QPalette::Button, back);
        widget->setPalette(palette);
    }
    m_legend->setBackColor(back);
    m_plot->setBackdropColor(back);
}

void ConfusionMatrix::setForeColor(uint color)
{
    m_foreColor = color;
    BarChartColors::applyForeColor(*this, *m_plot, *m_legend, toQColor(color));
}

void ConfusionMatrix::SetConfusionMatrixData(const Vector<std::int32_t>& confMatrix,
    const Table<std::int32_t>& perBucket, const Vector<std::int32_t>& rocConfMatrix,
    const Table<std::int32_t>& rocPerBucket, int item)
{
    checkCounts(confMatrix, "logistic");
    checkSeries(perBucket, "logistic");
    checkCounts(rocConfMatrix, "ROC");
    checkSeries(rocPerBucket, "ROC");
    m_logisticCounts = confMatrix;
    m_logisticSeries = perBucket;
    m_rocCounts = rocConfMatrix;
    m_rocSeries = rocPerBucket;
    ShowItem(item);
}

void ConfusionMatrix::SetChosenCounts(const Vector<std::int32_t>& counts)
{
    if (counts.size() != 0)
        checkCounts(counts, "chosen");
    m_chosenCounts = counts;
    std::vector<std::int32_t> cells;
    for (int k = 0; k < counts.size(); ++k)
        cells.push_back(counts.at(counts.low() + k));
    m_chosenSeries = cells.empty() ? Table<std::int32_t>() : Table<std::int32_t>::stored(0, 0, 0, 3, std::move(cells));
    if (m_item == 2)
        ShowItem(2);
}

void ConfusionMatrix::ShowItem(int item)
{
    m_item = item;
    if (item < 0 || item > 2)
        return;
    const Vector<std::int32_t>& counts = item == 0 ? m_rocCounts : item == 1 ? m_logisticCounts : m_chosenCounts;
    if (counts.size() != kOutcomes)
        return; // nothing delivered yet
    m_shownItem = item;
    m_shown = countsOf(counts);
    showTable();
    for (std::size_t k = 0; k < kOutcomes; ++k)
        m_values[k]->setToolTip(QString::number((*m_shown)[k]));

    m_threshold = std::max(
        1, HostConfiguration::integer(QStringLiteral("LogisticRegression.Chart.ConfMatrix.StreamingThreshold"), 30));
    m_window->setBuckets(shownSeries().rowCount(), m_threshold);
    m_hasData = true;
    fillChart();
}

const Table<std::int32_t>& ConfusionMatrix::shownSeries() const
{
    return m_shownItem == 0 ? m_rocSeries : m_shownItem == 1 ? m_logisticSeries : m_chosenSeries;
}

bool ConfusionMatrix::isStreaming() const
{
    return m_hasData && m_logisticSeries.rowHigh() - m_logisticSeries.rowLow() > m_threshold;
}

void ConfusionMatrix::showTable()
{
    if (!m_shown)
        return;
    const ConfusionMatrixTable::Texts texts = ConfusionMatrixTable::texts(*m_shown, m_percent->isChecked());
    for (std::size_t k = 0; k < kOutcomes; ++k)
        m_values[k]->setText(texts.values[k]);
    for (std::size_t k = 0; k < 5; ++k)
        m_totals[k]->setText(texts.totals[k]);
    for (std::size_t k = 0; k < 2; ++k)
        m_titles[k]->setText(texts.titles[k]);
}

int ConfusionMatrix::lastBucket() const
{
    const int buckets = shownSeries().rowCount();
    return isStreaming() ? std::min(m_firstBucket + m_threshold - 1, buckets) : buckets;
}

void ConfusionMatrix::fillChart()
{
    const Table<std::int32_t>& series = shownSeries();
    m_firstBucket = isStreaming() ? m_window->first() : 1;
    QStringList labels;
    QList<QList<qreal>> shares(kOutcomes);
    for (int bucket = m_firstBucket; bucket <= lastBucket(); ++bucket) {
        const int row = series.rowLow() + bucket - 1;
        std::array<double, kOutcomes> counts {};
        double total = 0;
        for (int k = 0; k < kOutcomes; ++k) {
            counts[std::size_t(k)] = series.at(row, series.colLow() + k);
            total += counts[std::size_t(k)];
        }
        labels.append(m_shownItem == 2 ? QStringLiteral("All ") : QString::number(bucket) + QLatin1Char(' '));
        // A bucket without cases has no shares; its bar stays empty.
        for (int k = 0; k < kOutcomes; ++k)
            shares[k].append(total > 0 ? 100.0 * counts[std::size_t(k)] / total : 0.0);
    }
    m_plot->setBars(labels, shares);
    layoutChildren();
}

void ConfusionMatrix::SetMode(int mode)
{
    m_mode = mode;
    const bool distribution = mode == 1;
    m_matrix->setVisible(!distribution);
    m_plot->setVisible(distribution);
    m_legend->setVisible(distribution);
    layoutChildren();
}

void ConfusionMatrix::Refresh()
{
    layoutChildren();
    update();
}

void ConfusionMatrix::Reset()
{
    m_logisticCounts = {};
    m_logisticSeries = {};
    m_rocCounts = {};
    m_rocSeries = {};
    m_chosenCounts = {};
    m_chosenSeries = {};
    m_hasData = false;
    m_window->moveTo(1);
    m_shown = ConfusionMatrixTable::Counts {};
    showTable();
    for (QLabel* value : m_values)
        value->setToolTip(QStringLiteral("0"));
    fillChart();
}

void ConfusionMatrix::percentToggled()
{
    if (m_updating)
        return;
    showTable();
    RegistryLib::SaveAppSetting(
        RegistryLib::kSection, kPercentSetting, m_percent->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void ConfusionMatrix::layoutChildren()
{
    const int width = this->width();
    const int height = this->height();
    const int chartWidth = std::max(0, width - m_legend->width() - kChartMargin);
    const int scrollHeight = m_window->placeScrollBar(isStreaming(), m_mode == 1);
    m_plot->setGeometry(kChartLeft, kChartTop, chartWidth, std::max(0, height - kChartTop - scrollHeight));
    m_legend->move(m_plot->x() + m_plot->width() + kLegendGap, kLegendTop);
    m_matrix->move(width / 2 - m_matrix->width() / 2, height / 2 - m_matrix->height() / 2);
}

void ConfusionMatrix::showSegmentTip(int series, int position, bool entered)
{
    const Table<std::int32_t>& data = shownSeries();
    const int bucket = m_firstBucket + position;
    const int row = data.rowLow() + bucket - 1;
    if (!entered || !m_hasData || series < 0 || series >= kOutcomes || !data.contains(row, data.colLow() + series)) {
        BarChartWindow::showTip(*m_plot, QString());
        return;
    }
    double total = 0;
    for (int k = 0; k < kOutcomes; ++k)
        total += data.at(row, data.colLow() + k);
    const std::int32_t count = data.at(row, data.colLow() + series);
    const QString tip = kCellNames[std::size_t(series)] + QStringLiteral(", Bucket ") + QString::number(bucket)
        + QStringLiteral(", ") + percentText(total > 0 ? count / total : 0.0, 1) + QStringLiteral(" (")
        + QString::number(count) + QLatin1Char(')');
    BarChartWindow::showTip(*m_plot, tip);
}

void ConfusionMatrix::paintChart(QPainter& painter, const QRect& target)
{
    // The picture leaves the percent box out too.
    const bool percentShown = !m_percent->isHidden();
    m_percent->hide();
    m_window->paintWithoutScrollBar(painter, target);
    m_percent->setVisible(percentShown);
}

} // namespace lrv
