#pragma once

#include "support/Error.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include <QtGlobal>

namespace lrv {

/// Computes the cells of a table on demand from compact data behind it.
template <typename T> class TableSource {
public:
    virtual ~TableSource() = default;
    /// Cell at zero-based row and column offsets from the table's lower bounds.
    virtual T cell(std::int64_t rowOffset, int colOffset) const = 0;
};

/// How some cells of a table of numbers are written: a per-record table whose file writes its ids as texts
/// keeps a number (a key) in its id column for everything that computes with it, and every view that shows
/// or copies the cell asks for its text here.
class CellTexts {
public:
    virtual ~CellTexts() = default;
    /// The text that stands for the number `value` in column `col`; nothing when the cell shows its number.
    virtual std::optional<QString> text(int col, double value) const = 0;
};

/// An immutable two-dimensional array with lower and upper bounds per dimension, shared by reference.
/// Cells are either stored or computed by a TableSource; readers cannot tell the difference.
template <typename T> class Table {
public:
    Table() = default;

    /// A table whose cells are computed by the source.
    static Table computed(
        int rowLow, int rowHigh, int colLow, int colHigh, std::shared_ptr<const TableSource<T>> source)
    {
        Table table(rowLow, rowHigh, colLow, colHigh);
        table.m_source = std::move(source);
        return table;
    }

    /// A table over cells stored row after row.
    static Table stored(int rowLow, int rowHigh, int colLow, int colHigh, std::vector<T> cells)
    {
        Table table(rowLow, rowHigh, colLow, colHigh);
        table.m_cells = std::make_shared<const std::vector<T>>(std::move(cells));
        return table;
    }

    int rowLow() const { return m_rowLow; }
    int rowHigh() const { return m_rowHigh; }
    int colLow() const { return m_colLow; }
    int colHigh() const { return m_colHigh; }
    int rowCount() const { return m_rowHigh >= m_rowLow ? m_rowHigh - m_rowLow + 1 : 0; }
    int colCount() const { return m_colHigh >= m_colLow ? m_colHigh - m_colLow + 1 : 0; }
    bool isEmpty() const { return rowCount() == 0 || colCount() == 0; }
    bool contains(int row, int col) const
    {
        return row >= m_rowLow && row <= m_rowHigh && col >= m_colLow && col <= m_colHigh;
    }

    /// Cell (row, col) by its bounds-relative indexes; out of range throws lrv::Error, so that a table of the
    /// wrong shape handed in by a host fails the drawing that reads it instead of reading past its cells.
    T at(int row, int col) const
    {
        if (!contains(row, col)) [[unlikely]]
            outOfRange(row, col);
        const std::int64_t r = std::int64_t(row) - m_rowLow;
        const int c = col - m_colLow;
        if (m_cells)
            return (*m_cells)[std::size_t(r * colCount() + c)];
        return m_source->cell(r, c);
    }

    /// The same table whose cells show the texts given by `texts`.
    Table withTexts(std::shared_ptr<const CellTexts> texts) const requires std::is_arithmetic_v<T>
    {
        Table table = *this;
        table.m_texts = std::move(texts);
        return table;
    }
    const std::shared_ptr<const CellTexts>& texts() const { return m_texts; }
    /// The text that stands for cell (row, col); nothing when the cell shows its number.
    std::optional<QString> text(int row, int col) const requires std::is_arithmetic_v<T>
    {
        if (!m_texts) [[likely]]
            return std::nullopt;
        return m_texts->text(col, double(at(row, col)));
    }

private:
    [[noreturn]] void outOfRange(int row, int col) const
    {
        throw Error(QStringLiteral("The table has no cell (%1, %2): its rows are %3 to %4 and its columns %5 to %6.")
                        .arg(row)
                        .arg(col)
                        .arg(m_rowLow)
                        .arg(m_rowHigh)
                        .arg(m_colLow)
                        .arg(m_colHigh));
    }

    Table(int rowLow, int rowHigh, int colLow, int colHigh)
        : m_rowLow(rowLow)
        , m_rowHigh(rowHigh)
        , m_colLow(colLow)
        , m_colHigh(colHigh)
    {
    }

    int m_rowLow = 0;
    int m_rowHigh = -1;
    int m_colLow = 0;
    int m_colHigh = -1;
    std::shared_ptr<const std::vector<T>> m_cells;
    std::shared_ptr<const TableSource<T>> m_source;
    std::shared_ptr<const CellTexts> m_texts;
};

/// An immutable one-dimensional array with a lower and an upper bound, shared by reference.
template <typename T> class Vector {
public:
    Vector() = default;
    Vector(int low, std::vector<T> values)
        : m_low(low)
        , m_values(std::make_shared<const std::vector<T>>(std::move(values)))
    {
    }
    /// A vector with lower bound 0.
    Vector(std::initializer_list<T> values)
        : Vector(0, std::vector<T>(values))
    {
    }

    int low() const { return m_low; }
    int high() const { return m_low + size() - 1; }
    int size() const { return m_values ? int(m_values->size()) : 0; }
    bool isEmpty() const { return size() == 0; }
    bool contains(int index) const { return index >= low() && index <= high(); }
    /// Out of range throws lrv::Error, like Table::at.
    const T& at(int index) const
    {
        if (!contains(index)) [[unlikely]]
            throw Error(QStringLiteral("The array has no element %1: its bounds are %2 to %3.")
                            .arg(index)
                            .arg(m_low)
                            .arg(high()));
        return (*m_values)[std::size_t(index - m_low)];
    }
    const std::vector<T>& values() const
    {
        static const std::vector<T> none;
        return m_values ? *m_values : none;
    }

private:
    int m_low = 0;
    std::shared_ptr<const std::vector<T>> m_values;
};

/// Fills a table cell by cell, then hands it out as an immutable Table.
template <typename T> class TableBuilder {
public:
    TableBuilder(int rowLow, int rowHigh, int colLow, int colHigh, T fill = T())
        : m_rowLow(rowLow)
        , m_rowHigh(rowHigh)
        , m_colLow(colLow)
        , m_colHigh(colHigh)
        , m_cells(std::size_t(std::max(0, rowHigh - rowLow + 1)) * std::size_t(std::max(0, colHigh - colLow + 1)), fill)
    {
    }

    /// A builder holding a copy of the table's cells, to change some of them.
    explicit TableBuilder(const Table<T>& table)
        : TableBuilder(table.rowLow(), table.rowHigh(), table.colLow(), table.colHigh())
    {
        for (int r = m_rowLow; r <= m_rowHigh; ++r)
            for (int c = m_colLow; c <= m_colHigh; ++c)
                set(r, c, table.at(r, c));
    }

    void set(int row, int col, T value) { m_cells[index(row, col)] = std::move(value); }
    const T& at(int row, int col) const { return m_cells[index(row, col)]; }

    /// Copies every column of a row of another table with the same column bounds into row `row`.
    void copyRow(int row, const Table<T>& from, int fromRow)
    {
        for (int c = m_colLow; c <= m_colHigh; ++c)
            set(row, c, from.at(fromRow, c));
    }

    Table<T> build() const { return Table<T>::stored(m_rowLow, m_rowHigh, m_colLow, m_colHigh, m_cells); }

private:
    std::size_t index(int row, int col) const
    {
        Q_ASSERT(row >= m_rowLow && row <= m_rowHigh && col >= m_colLow && col <= m_colHigh);
        return std::size_t(row - m_rowLow) * std::size_t(m_colHigh - m_colLow + 1) + std::size_t(col - m_colLow);
    }

    int m_rowLow, m_rowHigh, m_colLow, m_colHigh;
    std::vector<T> m_cells;
};

} // namespace lrv
