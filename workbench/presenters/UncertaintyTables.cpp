#include "presenters/UncertaintyTables.h"

#include <cstdint>
#include <limits>

namespace wb::UncertaintyTables {

lrv::Table<double> calibration(const engine::Analysis& analysis, const engine::Uncertainty* uncertainty)
{
    using lrv::CalibrationColumn;
    using lrv::DecileColumn;
    using lrv::index;
    const engine::CellTable& deciles = *analysis.decileResults;
    const int first = deciles.rowLow(), last = deciles.rowHigh();
    lrv::TableBuilder<double> table(first, last, 0, index(CalibrationColumn::Last));
    for (int row = first; row <= last; ++row) {
        const std::size_t bucket = std::size_t(row - first);
        const double records = lrv::at(deciles, row, DecileColumn::Total);
        const double positives = lrv::at(deciles, row, DecileColumn::Positives);
        table.set(row, index(CalibrationColumn::Bucket), lrv::at(deciles, row, DecileColumn::Bucket));
        table.set(row, index(CalibrationColumn::Records), records);
        table.set(row, index(CalibrationColumn::Positives), positives);
        table.set(row, index(CalibrationColumn::ObservedRate), records > 0 ? positives / records : 0.0);
        table.set(row, index(CalibrationColumn::MeanProbability),
            uncertainty ? uncertainty->meanProbability.at(bucket) : std::numeric_limits<double>::quiet_NaN());
        const engine::Interval95 wilson = engine::wilsonInterval(std::int64_t(positives), std::int64_t(records));
        table.set(row, index(CalibrationColumn::WilsonLow), wilson.low);
        table.set(row, index(CalibrationColumn::WilsonHigh), wilson.high);
    }
    return table.build();
}

lrv::UncertaintyStats stats(const engine::Uncertainty& u)
{
    lrv::UncertaintyStats s;
    s.auc = u.auc.auc;
    s.aucLow = u.auc.ci95.low;
    s.aucHigh = u.auc.ci95.high;
    s.gini = u.gini;
    s.ks = u.ks;
    s.ksCutoff = u.ksCutoff;
    s.brier = u.brier;
    s.logLoss = u.logLoss;
    s.hosmerLemeshow = u.hosmerLemeshow.statistic;
    s.hosmerLemeshowDf = u.hosmerLemeshow.degrees;
    s.hosmerLemeshowP = u.hosmerLemeshow.p;
    s.probabilitiesFromOutputs = u.probabilitySource == engine::ProbabilitySource::Outputs;
    return s;
}

} // namespace wb::UncertaintyTables
