#pragma once

#include "charts/ChartInterfaces.h"

#include <vector>

#include <QWidget>

namespace lrv::test {

/// Chart doubles that record what the window asks of them, for the charts whose real picture does not
/// tell. registerRecordingCharts() puts them in the control registry in place of the real charts.
class RecordingQuantileChart : public QWidget, public IQuantileChart {
    Q_OBJECT
public:
    using QWidget::QWidget;
    void SetDataSource(const Table<Variant>&) override { }
    void Refresh() override { ++refreshes; }
    void Reset() override { }
    void ShowPoint(int index) override { shownPoints.push_back(index); }

    std::vector<int> shownPoints;
    int refreshes = 0;

signals:
    void PointSelected(int point);
};

class RecordingCutoffChart : public QWidget, public ICutoffChart {
public:
    using QWidget::QWidget;
    void SetDataSource(const Table<double>&) override { }
    void Refresh() override { ++refreshes; }
    void Reset() override { }
    void SetOptimumModelValue(double) override { }
    void SetLogisticCutoffPoint(double value) override { cutoffs.push_back(value); }
    bool ShowOCP() const override { return showOCP; }
    void SetShowOCP(bool show) override { showOCP = show; }
    bool ShowLCP() const override { return showLCP; }
    void SetShowLCP(bool show) override { showLCP = show; }

    bool showOCP = true;
    bool showLCP = true;
    int refreshes = 0;
    std::vector<double> cutoffs;
};

class RecordingFitChart : public QWidget, public ILogisticFitChart {
public:
    using QWidget::QWidget;
    void SetDataSource(const Table<double>&) override { }
    void Refresh() override { ++refreshes; }
    void Reset() override { }
    void SetLogisticCutoffPoint(double value) override { cutoffs.push_back(value); }
    bool ShowLCP() const override { return showLCP; }
    void SetShowLCP(bool show) override { showLCP = show; }
    bool ShowDummyPoints() const override { return showDummyPoints; }
    void SetShowDummyPoints(bool show) override { showDummyPoints = show; }
    void AddDataSource(const Table<double>&) override { }

    bool showLCP = true;
    bool showDummyPoints = true;
    int refreshes = 0;
    std::vector<double> cutoffs;
};

class RecordingConfusionMatrix : public QWidget, public IConfusionMatrixControl {
public:
    using QWidget::QWidget;
    void Refresh() override { }
    void Reset() override { }
    void SetConfusionMatrixData(const Vector<std::int32_t>&, const Table<std::int32_t>&, const Vector<std::int32_t>&,
        const Table<std::int32_t>&, int item) override
    {
        dataItems.push_back(item);
    }
    void ShowItem(int item) override { shownItems.push_back(item); }
    int Mode() const override { return mode; }
    void SetMode(int value) override { mode = value; }

    std::vector<int> dataItems;
    std::vector<int> shownItems;
    int mode = 0;
};

/// Replaces the quantile, cutoff, logistic fit and confusion-matrix controls in the registry.
void registerRecordingCharts();

} // namespace lrv::test
