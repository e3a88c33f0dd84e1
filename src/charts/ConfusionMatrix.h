#pragma once

#include "charts/ChartInterfaces.h"
#include "charts/ConfusionMatrixTable.h"
#include "support/OleColor.h"

#include <array>
#include <optional>

#include <QWidget>

class QCheckBox;
class QLabel;

namespace lrv {

class BarChartWindow;
class PercentBarPlot;
class SwatchLegend;

/// The confusion matrix tab: the counts of true and false positives and negatives at the ROC or the
/// logistic cutoff, as a two-by-two table with totals (mode 0) or as 100 % bars of the four shares per
/// bucket (mode 1), with a scroll bar over long bucket lists.
class ConfusionMatrix : public QWidget, public IConfusionMatrixControl {
    Q_OBJECT
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)

public:
    explicit ConfusionMatrix(QWidget* parent = nullptr);

    /// Keeps copies of both data sets, then shows `item`. Counts need four elements and the per-bucket
    /// series four columns; otherwise an Error and the data held before stays.
    void SetConfusionMatrixData(const Vector<std::int32_t>& confMatrix, const Table<std::int32_t>& perBucket,
        const Vector<std::int32_t>& rocConfMatrix, const Table<std::int32_t>& rocPerBucket, int item) override;
    /// 0 shows the ROC data set, 1 the logistic one, 2 the chosen cutoff's counts (one bar of all records in
    /// the distribution); other values are only stored.
    void ShowItem(int item) override;
    void SetChosenCounts(const Vector<std::int32_t>& counts) override;
    int Mode() const override { return m_mode; }
    void SetMode(int mode) override;
    void Refresh() override;
    /// Zeros in the table; the distribution is emptied.
    void Reset() override;

    uint BackColor() const { return m_backColor; }
    void setBackColor(uint color);
    uint ForeColor() const { return m_foreColor; }
    void setForeColor(uint color);

    /// Whether the logistic series has more buckets than the streaming threshold shows at once.
    bool isStreaming() const;
    /// The control without the percent box and the scroll bar.
    void paintChart(QPainter& painter, const QRect& target) override;

private:
    void buildMatrixPanel();
    void applyConfiguredColors();
    void showTable();
    void fillChart();
    void layoutChildren();
    void percentToggled();
    void showSegmentTip(int series, int position, bool entered);
    const Table<std::int32_t>& shownSeries() const;
    int lastBucket() const;

    QWidget* m_matrix;
    std::array<QLabel*, 6> m_headings {};
    std::array<QLabel*, 4> m_values {};
    std::array<QLabel*, 5> m_totals {};
    std::array<QLabel*, 2> m_titleCaptions {};
    std::array<QLabel*, 2> m_titles {};
    QCheckBox* m_percent;
    PercentBarPlot* m_plot;
    SwatchLegend* m_legend;
    BarChartWindow* m_window;

    Vector<std::int32_t> m_logisticCounts;
    Table<std::int32_t> m_logisticSeries;
    Vector<std::int32_t> m_rocCounts;
    Table<std::int32_t> m_rocSeries;
    Vector<std::int32_t> m_chosenCounts;
    Table<std::int32_t> m_chosenSeries;
    /// The counts in the table; nothing while it shows its designed captions.
    std::optional<ConfusionMatrixTable::Counts> m_shown;
    int m_item = 1;
    /// The item on screen; ShowItem with another value than 0 or 1 leaves it.
    int m_shownItem = 1;
    int m_mode = 0;
    int m_threshold = 30;
    int m_firstBucket = 1;
    bool m_hasData = false;
    bool m_updating = false;
    OleColor m_backColor = rgb(255, 255, 255);
    OleColor m_foreColor = 0;
};

} // namespace lrv
