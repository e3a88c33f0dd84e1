#pragma once

#include <cstdint>

namespace wb::engine {

/// A result table of numbers with lower and upper bounds per dimension. Cells may be stored or computed on
/// demand from compact per-record data; a table of a million rows need not hold its cells.
class CellTable {
public:
    CellTable(int rowLow, int rowHigh, int colLow, int colHigh)
        : m_rowLow(rowLow)
        , m_rowHigh(rowHigh)
        , m_colLow(colLow)
        , m_colHigh(colHigh)
    {
    }
    virtual ~CellTable() = default;

    int rowLow() const { return m_rowLow; }
    int rowHigh() const { return m_rowHigh; }
    int colLow() const { return m_colLow; }
    int colHigh() const { return m_colHigh; }
    int rowCount() const { return m_rowHigh - m_rowLow + 1; }

    /// Cell (row, col) by its bounds-relative indexes.
    double at(int row, int col) const { return cell(std::int64_t(row) - m_rowLow, col - m_colLow); }
    /// Cell at zero-based offsets from the lower bounds.
    virtual double cell(std::int64_t rowOffset, int colOffset) const = 0;

private:
    int m_rowLow, m_rowHigh, m_colLow, m_colHigh;
};

} // namespace wb::engine
