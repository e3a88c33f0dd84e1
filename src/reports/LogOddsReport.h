#pragma once

#include "reports/TableReport.h"

namespace lrv {

/// Report 6, the Log Odds tab: odds ratio and log odds per quantile.
class LogOddsReport : public TableReport {
public:
    LogOddsReport();

protected:
    void fillRecords(ReportRecordsModel& records) override;
};

} // namespace lrv
