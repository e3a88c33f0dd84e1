#pragma once

#include "reports/IDataReport.h"

namespace lrv {

/// A report tab that shows another report's content: the Lift tab lends the Gains report.
class DelegatedReport : public IDataReport {
public:
    DelegatedReport() = default;

    /// The report to pass the calls to (not owned) and this tab's own index.
    void SetDelegate(IDataReport* report, int index);

    int Index() const override { return m_index; }
    bool HasData() const override;
    /// Always false: the notice of cut rows belongs to the delegate's own tab.
    bool HasMoreThanMaxRows() const override { return false; }
    int ReportDataType() const override;
    void Init(ReportGrid* grid) override;
    void SetDataSourceDbl(const Table<double>& data) override;
    void SetDataSourceVar(const Table<Variant>& data) override;
    void Refresh() override;
    QString AllDataText() override;
    std::int64_t WriteAllData(TableTextWriter& writer, std::int64_t maxRows) override;
    void CopyAllData() override;
    void CopyColumns(const Vector<std::int32_t>& columns) override;
    void ClearData() override;

private:
    IDataReport* m_delegate = nullptr;
    int m_index = 0;
};

} // namespace lrv
