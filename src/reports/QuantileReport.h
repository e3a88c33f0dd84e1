#pragma once

#include "reports/TableReport.h"

namespace lrv {

/// Report 1, the Quantiles tab: the decile table, one row per quantile.
class QuantileReport : public TableReport {
public:
    QuantileReport();

protected:
    void fillRecords(ReportRecordsModel& records) override;
};

} // namespace lrv
