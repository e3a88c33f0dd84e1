#include "reports/DelegatedReport.h"

namespace lrv {

void DelegatedReport::SetDelegate(IDataReport* report, int index)
{
    m_delegate = report == this ? nullptr : report;
    m_index = index;
}

bool DelegatedReport::HasData() const { return m_delegate && m_delegate->HasData(); }

int DelegatedReport::ReportDataType() const { return m_delegate ? m_delegate->ReportDataType() : 1; }

void DelegatedReport::Init(ReportGrid* grid)
{
    if (m_delegate)
        m_delegate->Init(grid);
}

void DelegatedReport::SetDataSourceDbl(const Table<double>& data)
{
    if (m_delegate)
        m_delegate->SetDataSourceDbl(data);
}

void DelegatedReport::SetDataSourceVar(const Table<Variant>& data)
{
    if (m_delegate)
        m_delegate->SetDataSourceVar(data);
}

void DelegatedReport::Refresh()
{
    if (m_delegate)
        m_delegate->Refresh();
}

QString DelegatedReport::AllDataText() { return m_delegate ? m_delegate->AllDataText() : QString(); }

std::int64_t DelegatedReport::WriteAllData(TableTextWriter& writer, std::int64_t maxRows)
{
    return m_delegate ? m_delegate->WriteAllData(writer, maxRows) : 0;
}

void DelegatedReport::CopyAllData()
{
    if (m_delegate)
        m_delegate->CopyAllData();
}

void DelegatedReport::CopyColumns(const Vector<std::int32_t>& columns)
{
    if (m_delegate)
        m_delegate->CopyColumns(columns);
}

void DelegatedReport::ClearData()
{
    if (m_delegate)
        m_delegate->ClearData();
}

} // namespace lrv
