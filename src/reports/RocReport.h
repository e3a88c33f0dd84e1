#pragma once

#include "reports/TableReport.h"

namespace lrv {

/// Report 2, the ROC tab: one row per record with its confusion counts and rates at its cutoff.
class RocReport : public TableReport {
public:
    RocReport();

    /// The record id of the chosen threshold, highlighted at the next refresh.
    void SetThresholdId(std::int32_t id) { m_thresholdId = id; }

protected:
    void prepareRefresh() override;
    void fillRecords(ReportRecordsModel& records) override;

private:
    std::int32_t m_thresholdId = 0;
    OleColor m_errorColor = 0;
    OleColor m_thresholdColor = 0;
};

} // namespace lrv
