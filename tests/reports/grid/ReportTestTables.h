#pragma once

#include "support/Table.h"
#include "support/Variant.h"

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include <QString>

namespace lrv::test {

/// A table of numbers from rows written out, first row at rowLow.
inline Table<double> doubleRows(const std::vector<std::vector<double>>& rows, int rowLow = 0)
{
    const int columns = rows.empty() ? 0 : int(rows.front().size());
    TableBuilder<double> builder(rowLow, rowLow + int(rows.size()) - 1, 0, columns - 1);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < columns; ++c)
            builder.set(rowLow + int(r), c, rows[r][std::size_t(c)]);
    return builder.build();
}

/// A table of variants from rows written out, first row at rowLow.
inline Table<Variant> variantRows(const std::vector<std::vector<Variant>>& rows, int rowLow = 0)
{
    const int columns = rows.empty() ? 0 : int(rows.front().size());
    TableBuilder<Variant> builder(rowLow, rowLow + int(rows.size()) - 1, 0, columns - 1);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < columns; ++c)
            builder.set(rowLow + int(r), c, rows[r][std::size_t(c)]);
    return builder.build();
}

/// A big table whose cells a function computes from (row, column).
inline Table<double> computedDoubles(int rowHigh, int colHigh, std::function<double(int, int)> cell)
{
    struct Source : TableSource<double> {
        std::function<double(int, int)> f;
        double cell(std::int64_t r, int c) const override { return f(int(r), c); }
    };
    auto source = std::make_shared<Source>();
    source->f = std::move(cell);
    return Table<double>::computed(0, rowHigh, 0, colHigh, source);
}

} // namespace lrv::test
