#pragma once

#include "reports/TableReport.h"

namespace lrv {

/// Report 4, the Gains tab (and through DelegatedReport the Lift tab): the gains table per quantile.
class GainsReport : public TableReport {
public:
    GainsReport();

protected:
    void fillRecords(ReportRecordsModel& records) override;
    int firstCopiedRow() const override;
};

} // namespace lrv
