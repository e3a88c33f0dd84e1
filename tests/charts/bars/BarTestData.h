#pragma once

#include "host/ResultLayout.h"
#include "support/Table.h"
#include "support/Variant.h"

#include <cstdint>

namespace lrv::test {

/// A decile results table of `buckets` rows (from 1) whose positive share falls from about 90 % in the first
/// bucket to about 5 % in the last; 100 records a bucket.
inline Table<Variant> decileResults(int buckets)
{
    TableBuilder<Variant> table(1, buckets, 0, index(DecileColumn::Last));
    for (int b = 1; b <= buckets; ++b) {
        const int positives = buckets == 1 ? 50 : 90 - (85 * (b - 1)) / (buckets - 1);
        const int negatives = 100 - positives;
        table.set(b, index(DecileColumn::Bucket), Variant(b));
        table.set(b, index(DecileColumn::Positives), Variant(positives));
        table.set(b, index(DecileColumn::Negatives), Variant(negatives));
        table.set(b, index(DecileColumn::Total), Variant(100));
        table.set(b, index(DecileColumn::PositivePercent), Variant(double(positives)));
        table.set(b, index(DecileColumn::NegativePercent), Variant(double(negatives)));
    }
    return table.build();
}

/// Per-bucket confusion counts [TP, TN, FP, FN] (rows from 0): bucket b holds b + 1 true positives and
/// 10 · (b + 1) cases in all.
inline Table<std::int32_t> confusionSeries(int buckets)
{
    TableBuilder<std::int32_t> table(0, buckets - 1, 0, index(Outcome::Last));
    for (int b = 0; b < buckets; ++b) {
        table.set(b, index(DecileColumn::Bucket), b + 1);
        table.set(b, index(Outcome::TrueNegative), 5 * (b + 1));
        table.set(b, index(Outcome::FalsePositive), 3 * (b + 1));
        table.set(b, index(DecileColumn::Positives), b + 1);
    }
    return table.build();
}

} // namespace lrv::test
