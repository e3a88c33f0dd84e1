#pragma once

#include "host/ResultLayout.h"
#include "support/Table.h"
#include "support/Variant.h"

#include <cstdint>
#include <optional>

#include <QPointF>

class QPainter;
class QRect;
class QSize;

namespace lrv {

/// What every chart control offers the window: redraw and the neutral picture.
class IChartControl {
public:
    virtual ~IChartControl() = default;
    /// Redraws everything from the data held.
    virtual void Refresh() = 0;
    /// Puts in the chart's neutral data and refreshes.
    virtual void Reset() = 0;
    /// Paints what the chart shows now, or its notice, into target on any device (screen image, clipboard,
    /// SVG, PDF, printer): the one routine behind copy, print and export. The default renders the widget.
    virtual void paintChart(QPainter& painter, const QRect& target);
    /// The size in pixels of the picture "&Copy" takes; the default is the widget's.
    virtual QSize pictureSize() const;
};

/// A chart fed with a table of numbers (ROC, cutoff points, logistic fit).
class IDoubleTableChart : public virtual IChartControl {
public:
    /// Keeps a copy of the table; does not redraw.
    virtual void SetDataSource(const Table<double>& data) = 0;
};

/// A chart fed with a table of variants (quantiles, trend line, log odds, gains, lift).
class IVariantTableChart : public virtual IChartControl {
public:
    virtual void SetDataSource(const Table<Variant>& data) = 0;
};

class IRocChart : public IDoubleTableChart {
public:
    virtual void SetAUC(double auc) = 0;
    /// The point of the chosen cutoff (false-positive rate, true-positive rate) with its coordinates, or
    /// none; redraws.
    virtual void SetChosenPoint(std::optional<QPointF>) { }
};

/// The gains chart (area, ranking quality) and the lift chart (area between curves, ranking quality).
class IStatsChart : public IVariantTableChart {
public:
    virtual void SetStats(double area, double rankingQuality) = 0;
    /// A vertical marker at the share of records (0 to 1) predicted class 1 at the chosen cutoff, or none;
    /// redraws.
    virtual void SetChosenShare(std::optional<double>) { }
};

/// The trend line and log-odds charts, which show a fitted line and its equation.
class IEquationChart : public IVariantTableChart {
public:
    virtual void SetEquationValues(double slope, double intercept, double rSquare, bool inverted) = 0;
};

class ICutoffChart : public IDoubleTableChart {
public:
    virtual void SetOptimumModelValue(double value) = 0;
    /// kNoCutoffPoint: no logistic cutoff point.
    virtual void SetLogisticCutoffPoint(double value) = 0;
    virtual bool ShowOCP() const = 0;
    virtual void SetShowOCP(bool show) = 0;
    virtual bool ShowLCP() const = 0;
    virtual void SetShowLCP(bool show) = 0;
    /// The marker of the chosen cutoff, which the user drags, or none.
    virtual void SetChosenCutoff(std::optional<double>) { }
};

class ILogisticFitChart : public IDoubleTableChart {
public:
    virtual void SetLogisticCutoffPoint(double value) = 0;
    virtual bool ShowLCP() const = 0;
    virtual void SetShowLCP(bool show) = 0;
    virtual bool ShowDummyPoints() const = 0;
    virtual void SetShowDummyPoints(bool show) = 0;
    /// Adds the zeros and ones to the data held; SetDataSource drops them again.
    virtual void AddDataSource(const Table<double>& data) = 0;
};

/// The quantile chart; it also raises the Qt signal PointSelected(int) when a bar is clicked.
class IQuantileChart : public IVariantTableChart {
public:
    /// Scrolls so that the bar of the 0-based index shows.
    virtual void ShowPoint(int index) = 0;
};

/// A chart that shows the Wilson intervals of the buckets' positive rates as error bars.
class IRateIntervalChart {
public:
    virtual ~IRateIntervalChart() = default;
    /// The calibration table (columns: CalibrationColumn, rows: the buckets) the intervals come from; the
    /// bars follow at once. The chart's next SetDataSource takes them away.
    virtual void SetCalibration(const Table<double>& calibration) = 0;
};

class IConfusionMatrixControl : public virtual IChartControl {
public:
    /// Counts [TP, TN, FP, FN] and per-bucket series at the logistic cutoff, then at the ROC cutoff;
    /// item 0 shows the ROC data, 1 the logistic data.
    virtual void SetConfusionMatrixData(const Vector<std::int32_t>& confMatrix, const Table<std::int32_t>& perBucket,
        const Vector<std::int32_t>& rocConfMatrix, const Table<std::int32_t>& rocPerBucket, int item)
        = 0;
    /// 0 shows the ROC data, 1 the logistic data, 2 the chosen cutoff's counts.
    virtual void ShowItem(int item) = 0;
    /// Counts [TP, TN, FP, FN] at the chosen cutoff, shown as item 2; an empty vector: none.
    virtual void SetChosenCounts(const Vector<std::int32_t>&) { }
    /// 0 table, 1 distribution.
    virtual int Mode() const = 0;
    virtual void SetMode(int mode) = 0;
};

} // namespace lrv
