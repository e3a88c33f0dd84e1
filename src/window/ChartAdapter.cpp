#include "window/ChartAdapter.h"

namespace lrv {

void ChartAdapter::DrawDeciles(IVariantTableChart* chart, const Table<Variant>& data)
{
    if (!chart)
        return;
    chart->SetDataSource(data);
    chart->Refresh();
}

void ChartAdapter::DrawTrendLine(IVariantTableChart* chart, const Table<Variant>& data) { DrawDeciles(chart, data); }

void ChartAdapter::DrawROC(IDoubleTableChart* chart, const Table<double>& data, int maxPoints)
{
    deliver(chart, data, maxPoints);
}

void ChartAdapter::DrawCutoffPoints(ICutoffChart* chart, const Table<double>& data, int maxPoints, bool showOCP)
{
    if (!chart)
        return;
    chart->SetShowOCP(showOCP);
    deliver(chart, data, maxPoints);
}

void ChartAdapter::DrawSlope(IVariantTableChart* chart, const Table<Variant>& data, int maxPoints)
{
    deliver(chart, data, maxPoints);
}

void ChartAdapter::DrawLogisticFit(ILogisticFitChart* chart, const Table<double>& data, int maxPoints, bool showPoints)
{
    if (!chart)
        return;
    chart->SetShowDummyPoints(showPoints);
    deliver(chart, data, maxPoints);
}

void ChartAdapter::ChangeLogisticFit(ILogisticFitChart* chart, bool showPoints)
{
    if (!chart)
        return;
    chart->SetShowDummyPoints(showPoints);
    chart->Refresh();
}

void ChartAdapter::AddZerosAndOnes(ILogisticFitChart* chart, const Table<double>& data, int maxPoints)
{
    if (!chart)
        return;
    chart->AddDataSource(maxPoints < rowsToDraw(data) ? Thin(data, maxPoints) : data);
    chart->Refresh();
}

void ChartAdapter::DrawGainsChart(IVariantTableChart* chart, const Table<Variant>& data, int maxPoints)
{
    deliver(chart, data, maxPoints);
}

void ChartAdapter::DrawLiftChart(IVariantTableChart* chart, const Table<Variant>& data, int maxPoints)
{
    deliver(chart, data, maxPoints);
}

} // namespace lrv
