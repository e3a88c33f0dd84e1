#include "engine/BucketSummary.h"

#include "engine/ProgressMeter.h"

#include <algorithm>

namespace wb::engine {

std::int32_t positivesBetween(const RankedRecords& ranked, std::int64_t from, std::int64_t to)
{
    const std::uint8_t* classes = ranked.classes();
    std::int32_t sum = 0;
    for (std::int64_t r = from; r < to; ++r)
        sum += classes[r];
    return sum;
}

std::vector<std::int32_t> BucketSummary::boundaries(std::int64_t n, int buckets)
{
    std::vector<std::int32_t> begin(std::size_t(buckets) + 1);
    for (int b = 0; b <= buckets; ++b)
        begin[b] = std::int32_t((std::int64_t(b) * n + buckets - 1) / buckets);
    return begin;
}

void BucketSummary::setX(bool inverted) { x = inverted ? lower : upper; }

BucketSummary BucketSummary::compute(const RankedRecords& ranked, int buckets, ProgressMeter& meter)
{
    BucketSummary summary;
    summary.buckets = buckets;
    const std::int64_t n = ranked.size();
    summary.begin = boundaries(n, buckets);
    summary.positives.resize(buckets);
    summary.upper.resize(buckets);
    summary.lower.resize(buckets);
    for (int b = 0; b < buckets; ++b) {
        const std::int64_t from = summary.begin[b], to = summary.begin[b + 1];
        std::int32_t sum = 0;
        for (std::int64_t chunk = from; chunk < to; chunk += ProgressMeter::chunk) {
            sum += positivesBetween(ranked, chunk, std::min<std::int64_t>(to, chunk + ProgressMeter::chunk));
            meter.report(std::size_t(chunk - 0), std::size_t(n));
        }
        summary.positives[b] = sum;
        const double first = ranked.output(from), last = ranked.output(to - 1);
        summary.upper[b] = std::max(first, last);
        summary.lower[b] = std::min(first, last);
    }
    summary.setX(ranked.inverted());
    meter.nextPass();
    return summary;
}

} // namespace wb::engine
