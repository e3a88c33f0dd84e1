#pragma once

#include "charts/ChartInterfaces.h"
#include "support/Error.h"
#include "support/Table.h"
#include "support/Variant.h"

namespace lrv {

/// Hands result tables to the chart controls, thinning long tables to a bounded number of rows so that
/// per-record tables draw quickly. Keeps nothing between calls; a missing chart is skipped.
class ChartAdapter {
public:
    void DrawDeciles(IVariantTableChart* chart, const Table<Variant>& data);
    void DrawTrendLine(IVariantTableChart* chart, const Table<Variant>& data);
    void DrawROC(IDoubleTableChart* chart, const Table<double>& data, int maxPoints);
    void DrawCutoffPoints(ICutoffChart* chart, const Table<double>& data, int maxPoints, bool showOCP);
    void DrawSlope(IVariantTableChart* chart, const Table<Variant>& data, int maxPoints);
    void DrawLogisticFit(ILogisticFitChart* chart, const Table<double>& data, int maxPoints, bool showPoints);
    /// Redraws the data the chart holds with or without the dummy points.
    void ChangeLogisticFit(ILogisticFitChart* chart, bool showPoints);
    void AddZerosAndOnes(ILogisticFitChart* chart, const Table<double>& data, int maxPoints);
    void DrawGainsChart(IVariantTableChart* chart, const Table<Variant>& data, int maxPoints);
    void DrawLiftChart(IVariantTableChart* chart, const Table<Variant>& data, int maxPoints);

    /// At most maxPoints + 1 rows sampled at an even step from the table, starting with its first row; rows
    /// the sampling leaves empty repeat the table's last row. maxPoints 0 with rows throws lrv::Error.
    template <typename T> static Table<T> Thin(const Table<T>& table, int maxPoints);
    /// The table's upper row bound + 1: a 1-based table of maxPoints rows counts one more and is thinned.
    template <typename T> static std::int64_t rowsToDraw(const Table<T>& table)
    {
        return std::int64_t(table.rowHigh()) + 1;
    }

private:
    template <typename Chart, typename T> static void deliver(Chart* chart, const Table<T>& table, int maxPoints)
    {
        if (!chart)
            return;
        if (maxPoints < rowsToDraw(table))
            chart->SetDataSource(Thin(table, maxPoints));
        else
            chart->SetDataSource(table);
        chart->Refresh();
    }
};

template <typename T> Table<T> ChartAdapter::Thin(const Table<T>& table, int maxPoints)
{
    const int low = table.rowLow();
    const int high = table.rowHigh();
    const long long span = (long long)high - low;
    if (maxPoints <= 0)
        throw Error(QStringLiteral("Cannot thin a table to %1 points: the number of points must be at least 1.")
                        .arg(maxPoints));
    const long long step = (span + maxPoints - 1) / maxPoints;
    TableBuilder<T> thinned(low, low + maxPoints, table.colLow(), table.colHigh());
    int next = low;
    for (long long row = low; row <= high && next <= low + maxPoints; row += std::max(1LL, step))
        thinned.copyRow(next++, table, int(row));
    for (; next <= low + maxPoints; ++next)
        thinned.copyRow(next, table, high);
    return thinned.build();
}

} // namespace lrv
