#pragma once

#include "charts/ChartInterfaces.h"
#include "charts/DrawnChart.h"

namespace lrv {

class LegendLine;

struct CalibrationColors : FrameColors {
    OleColor buckets = 0;
    OleColor diagonal = 0;
};

/// The calibration of the probabilities: per bucket the observed positive rate against the mean predicted
/// probability, with the rate's Wilson 95 % interval as an error bar, on the ROC chart's square plot with
/// the dotted diagonal of perfect calibration. Fed with the calibration table (columns: CalibrationColumn).
class CalibrationChart : public DrawnChart, public IDoubleTableChart {
    Q_OBJECT
    Q_PROPERTY(uint BucketsColor READ BucketsColor WRITE SetBucketsColor)
    Q_PROPERTY(uint DiagonalColor READ DiagonalColor WRITE SetDiagonalColor)

public:
    explicit CalibrationChart(QWidget* parent = nullptr);

    OleColor BucketsColor() const { return m_bucketsColor; }
    void SetBucketsColor(OleColor color);
    OleColor DiagonalColor() const { return m_diagonalColor; }
    void SetDiagonalColor(OleColor color);

    void SetDataSource(const Table<double>& data) override;
    /// No buckets: the notice that there are no calibration figures, then Refresh.
    void Reset() override;

    /// Everything Refresh draws for the table; never throws: a table without buckets or with a bucket that is
    /// not a number shows the notice.
    static ChartPicture calibrationPicture(
        const Table<double>& data, QSize surface, const QFont& font, const CalibrationColors& colors);

protected:
    ChartPicture computePicture(QSize surface) const override;

private:
    Table<double> m_data;
    OleColor m_bucketsColor = 0;
    OleColor m_diagonalColor = 0;
    LegendLine* m_bucketsSample = nullptr;
    LegendLine* m_diagonalSample = nullptr;
};

} // namespace lrv
