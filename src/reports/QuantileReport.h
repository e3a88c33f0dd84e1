#pragma once

#include "reports/TableReport.h"

namespace lrv {

/// Report 1, the Quantiles tab: the decile table, one row per quantile, followed by the Wilson 95 % interval
/// of each quantile's positive rate once the calibration table is known (empty cells before).
class QuantileReport : public TableReport {
public:
    QuantileReport();

    /// Keeps the decile table (rows from 1, columns 0 to 11).
    void SetDataSourceVar(const Table<Variant>& data) override;
    /// The intervals come from the calibration table (CalibrationColumn), matched by row; no refresh.
    void SetCalibration(const Table<double>& calibration);

protected:
    void fillRecords(ReportRecordsModel& records) override;

private:
    Table<Variant> m_deciles;
    Table<double> m_calibration;
};

} // namespace lrv
