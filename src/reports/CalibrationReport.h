#pragma once

#include "reports/TableReport.h"

namespace lrv {

/// The report of the calibration tab: per bucket its records, positives, observed positive rate, mean
/// predicted probability and the rate's Wilson 95 % interval (the calibration table, CalibrationColumn).
class CalibrationReport : public TableReport {
public:
    /// The report tab's position + 1.
    static constexpr int kIndex = 9;

    CalibrationReport();

protected:
    void fillRecords(ReportRecordsModel& records) override;
};

} // namespace lrv
