#pragma once

#include "support/Table.h"
#include "support/Variant.h"

#include <cstdint>

namespace lrv::test {

/// A decile results table of `buckets` rows (from 1) whose positive share falls from about 90 % in the first
/// bucket to about 5 % in the last; 100 records a bucket.
inline Table<Variant> decileResults(int buckets)
{
    TableBuilder<Variant> table(1, buckets, 0, 11);
    for (int b = 1; b <= buckets; ++b) {
        const int positives = buckets == 1 ? 50 : 90 - (85 * (b - 1)) / (buckets - 1);
        const int negatives = 100 - positives;
        table.set(b, 0, Variant(b));
        table.set(b, 3, Variant(positives));
        table.set(b, 4, Variant(negatives));
        table.set(b, 5, Variant(100));
        table.set(b, 7, Variant(double(positives)));
        table.set(b, 9, Variant(double(negatives)));
    }
    return table.build();
}

/// Per-bucket confusion counts [TP, TN, FP, FN] (rows from 0): bucket b holds b + 1 true positives and
/// 10 · (b + 1) cases in all.
inline Table<std::int32_t> confusionSeries(int buckets)
{
    TableBuilder<std::int32_t> table(0, buckets - 1, 0, 3);
    for (int b = 0; b < buckets; ++b) {
        table.set(b, 0, b + 1);
        table.set(b, 1, 5 * (b + 1));
        table.set(b, 2, 3 * (b + 1));
        table.set(b, 3, b + 1);
    }
    return table.build();
}

} // namespace lrv::test
