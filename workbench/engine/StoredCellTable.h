#pragma once

#include "engine/CellTable.h"

#include <vector>

namespace wb::engine {

/// A small table whose cells are stored row after row (the per-bucket tables).
class StoredCellTable : public CellTable {
public:
    StoredCellTable(int rowLow, int rowHigh, int colLow, int colHigh)
        : CellTable(rowLow, rowHigh, colLow, colHigh)
        , m_columns(colHigh - colLow + 1)
        , m_cells(std::size_t(rowCount()) * std::size_t(m_columns), 0.0)
    {
    }

    double cell(std::int64_t rowOffset, int colOffset) const override
    {
        return m_cells[std::size_t(rowOffset) * m_columns + colOffset];
    }
    /// Sets cell (row, col) by its bounds-relative indexes.
    void set(int row, int col, double value)
    {
        m_cells[std::size_t(row - rowLow()) * m_columns + std::size_t(col - colLow())] = value;
    }

private:
    int m_columns;
    std::vector<double> m_cells;
};

} // namespace wb::engine
