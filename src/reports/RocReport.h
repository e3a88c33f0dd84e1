#pragma once

#include "reports/TableReport.h"

namespace lrv {

/// Report 2, the ROC tab: one row per record with its confusion counts and rates at its cutoff.
class RocReport : public TableReport {
public:
    RocReport();

protected:
    void prepareRefresh() override;
    void fillRecords(ReportRecordsModel& records) override;

private:
    OleColor m_errorColor = 0;
};

} // namespace lrv
