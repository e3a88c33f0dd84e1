#include "engine/RankedRecords.h"

#include "engine/ProgressMeter.h"
#include "engine/RadixSort.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace wb::engine {

namespace {

    constexpr std::uint64_t signBit = std::uint64_t(1) << 63;

    struct SortItem {
        std::uint64_t key;
        std::int32_t id;
        std::uint32_t cls;
    };

    // An unsigned key whose ascending order is the ascending order of the doubles; -0 and +0 get one key.
    std::uint64_t ascendingKey(double value)
    {
        const auto bits = std::bit_cast<std::uint64_t>(value + 0.0);
        return (bits & signBit) ? ~bits : (bits | signBit);
    }

    std::uint64_t outputBits(std::uint64_t ascending)
    {
        return (ascending & signBit) ? (ascending ^ signBit) : ~ascending;
    }

    std::string countText(std::int64_t count, const char* one, const char* many)
    {
        return std::to_string(count) + " " + (count == 1 ? one : many);
    }

} // namespace

std::shared_ptr<const RankedRecords> RankedRecords::build(const ScoredRecords& records, ProgressMeter& meter)
{
    const std::size_t total = records.size;
    if (total >= std::size_t(std::numeric_limits<std::int32_t>::max()))
        throw CalculationError("The dataset holds " + std::to_string(total)
            + " records; an analysis takes at most 2147483646. Use a sample of the dataset.");

    auto ranked = std::make_shared<RankedRecords>();
    ranked->m_inverted = records.inverted;
    const std::uint64_t flip = records.inverted ? 0 : ~std::uint64_t(0);

    // The sort moves id and class with the key, so that no random access to the input follows it.
    BigBuffer<SortItem> items(total);
    std::size_t n = 0;
    std::int64_t positives = 0;
    bool idsAscending = true;
    std::int32_t lastId = std::numeric_limits<std::int32_t>::min();
    for (std::size_t begin = 0; begin < total; begin += ProgressMeter::chunk) {
        const std::size_t end = std::min(total, begin + ProgressMeter::chunk);
        for (std::size_t i = begin; i < end; ++i) {
            const double output = records.outputs[i];
            const std::uint32_t cls = records.classes[i] != 0;
            const std::int32_t id = records.ids[i];
            if (!std::isfinite(output)) {
                ranked->m_errorIds.push_back(id);
                ranked->m_errorClasses.push_back(std::uint8_t(cls));
                continue;
            }
            items[n] = { ascendingKey(output) ^ flip, id, cls };
            positives += cls;
            idsAscending = idsAscending && id >= lastId;
            lastId = id;
            ++n;
        }
        meter.report(end, total);
    }
    meter.nextPass();

    if (total == 0)
        throw CalculationError("The dataset has no records. Choose another dataset.");
    if (n == 0)
        throw CalculationError("The model has no valid output in this dataset: all "
            + countText(std::int64_t(total), "output is a calculation error", "outputs are calculation errors")
            + " (empty, not a number or infinite). Choose another model or dataset.");
    if (positives == 0 || positives == std::int64_t(n))
        throw CalculationError(std::string("The dataset holds only class ") + (positives == 0 ? "0" : "1")
            + " records among its " + countText(std::int64_t(n), "valid output", "valid outputs")
            + "; the analysis needs records of both classes. Check the class encoding of the dataset.");

    {
        BigBuffer<SortItem> scratch(n);
        if (!idsAscending) {
            // The sort on the output is stable: put the records in id order first, so tied outputs rank by id.
            meter.addPasses(radixPasses(32) + 1);
            radixSort(
                items, scratch, n, 32, [](const SortItem& item) { return std::uint32_t(item.id) ^ 0x80000000u; },
                meter);
        }
        radixSort(
            items, scratch, n, 64, [](const SortItem& item) { return item.key; }, meter);
    }

    // The sorted items become outputs, ids and classes; group ends collect the true positives.
    ranked->m_size = std::int32_t(n);
    ranked->m_positives = std::int32_t(positives);
    ranked->m_outputBits = BigBuffer<std::uint64_t>(n);
    ranked->m_ids = BigBuffer<std::uint32_t>(n);
    ranked->m_classes = BigBuffer<std::uint8_t>(n);
    BigBuffer<std::int32_t> groupPositives(n);
    std::int32_t groups = 0;
    std::int32_t cumulative = 0;
    std::uint64_t previous = items[0].key;
    for (std::size_t begin = 0; begin < n; begin += ProgressMeter::chunk) {
        const std::size_t end = std::min(n, begin + ProgressMeter::chunk);
        for (std::size_t r = begin; r < end; ++r) {
            const SortItem item = items[r];
            if (item.key != previous)
                groupPositives[groups++] = cumulative;
            previous = item.key;
            cumulative += std::int32_t(item.cls);
            ranked->m_classes[r] = std::uint8_t(item.cls);
            ranked->m_ids[r] = std::uint32_t(item.id);
            ranked->m_outputBits[r] = outputBits(item.key ^ flip);
        }
        meter.report(end, n);
    }
    items = {};
    groupPositives[groups++] = cumulative;
    ranked->m_groups = groups;
    ranked->m_groupPositives = std::move(groupPositives);

    if (std::size_t(groups) < n) {
        ranked->m_groupStart = BigBuffer<std::int32_t>(std::size_t(groups) + 1);
        ranked->m_groupOf = BigBuffer<std::int32_t>(n);
        const std::uint64_t* bits = ranked->m_outputBits.data();
        std::int32_t g = 0;
        ranked->m_groupStart[0] = 0;
        for (std::size_t r = 0; r < n; ++r) {
            if (r > 0 && bits[r] != bits[r - 1])
                ranked->m_groupStart[++g] = std::int32_t(r);
            ranked->m_groupOf[r] = g;
        }
        ranked->m_groupStart[groups] = std::int32_t(n);
    }
    meter.nextPass();
    return ranked;
}

std::int64_t RankedRecords::rankOfAscending(std::int64_t a) const
{
    if (m_inverted)
        return a;
    // Descending ranking reversed, but a tie group keeps its ids ascending.
    const std::int32_t g = group(m_size - 1 - a);
    return groupBegin(g) + (a - (m_size - groupEnd(g)));
}

} // namespace wb::engine
