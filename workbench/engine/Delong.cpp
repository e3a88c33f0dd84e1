#include "engine/Delong.h"

#include "engine/BigBuffer.h"
#include "engine/Distributions.h"
#include "engine/ProgressMeter.h"
#include "engine/RadixSort.h"
#include "engine/RankedRecords.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <stdexcept>

namespace wb::engine {

namespace {

    constexpr std::uint64_t signBit = std::uint64_t(1) << 63;
    constexpr std::uint32_t positiveFlag = std::uint32_t(1) << 31;

    // What the sort moves: the ranking key and the record's position within its class, the class in the top
    // bit. Packed to 12 bytes, since the sort's time is the bytes it moves.
#pragma pack(push, 4)
    struct Item {
        std::uint64_t key;
        std::uint32_t slot;
    };
#pragma pack(pop)
    static_assert(sizeof(Item) == 12);

    // An unsigned key whose ascending order is the ascending order of the doubles; −0 and +0 share one key.
    std::uint64_t ascendingKey(double value)
    {
        const auto bits = std::bit_cast<std::uint64_t>(value + 0.0);
        return (bits & signBit) ? ~bits : (bits | signBit);
    }

    /// Walks tie groups in ranking order (best first) and gives each its placement values: a positive of
    /// the group outranks the negatives of later groups and ties with the group's own, and likewise for a
    /// negative. The midrank formulation of Sun and Xu, with no pair ever visited.
    class GroupWalk {
    public:
        GroupWalk(std::int64_t positives, std::int64_t negatives)
            : m_positives(positives)
            , m_negatives(negatives)
            , m_negativesBelow(negatives)
        {
        }

        /// Enters the next group; afterwards positivePlacement() and negativePlacement() are the group's.
        void next(std::int64_t groupPositives, std::int64_t groupNegatives)
        {
            m_positivesAbove += m_groupPositives;
            m_negativesBelow -= groupNegatives;
            m_groupPositives = groupPositives;
            m_groupNegatives = groupNegatives;
            m_twiceU += groupPositives * (2 * m_negativesBelow + groupNegatives);
        }
        double positivePlacement() const
        {
            return (double(m_negativesBelow) + 0.5 * double(m_groupNegatives)) / double(m_negatives);
        }
        double negativePlacement() const
        {
            return (double(m_positivesAbove) + 0.5 * double(m_groupPositives)) / double(m_positives);
        }
        /// The Mann–Whitney AUC of the groups walked so far, exact up to the final division.
        double auc() const { return double(m_twiceU) / (2.0 * double(m_positives) * double(m_negatives)); }

    private:
        std::int64_t m_positives, m_negatives;
        std::int64_t m_negativesBelow;
        std::int64_t m_positivesAbove = 0;
        std::int64_t m_groupPositives = 0, m_groupNegatives = 0;
        std::int64_t m_twiceU = 0;
    };

    /// AUC ± z·√V with V = S10/m + S01/n, from the sums of squared deviations of the placement values.
    AucInterval interval(
        double auc, double positiveSquares, double negativeSquares, std::int64_t positives, std::int64_t negatives)
    {
        AucInterval result;
        result.auc = auc;
        if (positives < 2 || negatives < 2)
            return result;
        const double m = double(positives), n = double(negatives);
        result.variance = positiveSquares / (m - 1) / m + negativeSquares / (n - 1) / n;
        const double half = normalQuantile975 * std::sqrt(result.variance);
        result.ci95 = { std::clamp(auc - half, 0.0, 1.0), std::clamp(auc + half, 0.0, 1.0) };
        return result;
    }

    /// The interval from the class counts of the tie groups in ranking order: `forEachGroup(visit)` calls
    /// visit(positives, negatives) once per group, and is walked twice, for the AUC and then for the variance.
    template <typename ForEachGroup>
    AucInterval intervalOverGroups(std::int64_t positives, std::int64_t negatives, const ForEachGroup& forEachGroup)
    {
        GroupWalk counting(positives, negatives);
        forEachGroup([&](std::int64_t p, std::int64_t q) { counting.next(p, q); });
        const double auc = counting.auc();
        GroupWalk walk(positives, negatives);
        double positiveSquares = 0, negativeSquares = 0;
        forEachGroup([&](std::int64_t p, std::int64_t q) {
            walk.next(p, q);
            const double dp = walk.positivePlacement() - auc, dq = walk.negativePlacement() - auc;
            positiveSquares += double(p) * dp * dp;
            negativeSquares += double(q) * dq * dq;
        });
        return interval(auc, positiveSquares, negativeSquares, positives, negatives);
    }

    std::string oneClassMessage(bool noPositives)
    {
        return std::string("The valid records hold only class ") + (noPositives ? "0" : "1")
            + "; an AUC needs records of both classes.";
    }

    double squaredDeviations(const std::vector<double>& values, double centre)
    {
        double sum = 0;
        for (const double v : values)
            sum += (v - centre) * (v - centre);
        return sum;
    }

    double crossDeviations(const std::vector<double>& a, double centreA, const std::vector<double>& b, double centreB)
    {
        double sum = 0;
        for (std::size_t i = 0; i < a.size(); ++i)
            sum += (a[i] - centreA) * (b[i] - centreB);
        return sum;
    }

} // namespace

DelongPlacements delongPlacements(const ScoredRecords& records)
{
    const std::uint64_t flip = records.inverted ? 0 : ~std::uint64_t(0); // best first
    BigBuffer<Item> items(records.size);
    std::size_t n = 0;
    std::uint32_t positives = 0, negatives = 0;
    for (std::size_t i = 0; i < records.size; ++i) {
        const double output = records.outputs[i];
        if (!std::isfinite(output))
            continue;
        const bool positive = records.classes[i] != 0;
        items[n++] = { ascendingKey(output) ^ flip, positive ? (positives++ | positiveFlag) : negatives++ };
    }
    if (positives == 0 || negatives == 0)
        throw CalculationError(oneClassMessage(positives == 0));

    {
        const ProgressFunction silent;
        ProgressMeter meter(silent, std::int64_t(n), radixPasses(64) + 1);
        BigBuffer<Item> scratch(n);
        radixSort(
            items, scratch, n, 64, [](const Item& item) { return item.key; }, meter);
    }

    DelongPlacements result;
    result.positives.resize(positives);
    result.negatives.resize(negatives);
    GroupWalk walk(positives, negatives);
    for (std::size_t begin = 0; begin < n;) {
        std::size_t end = begin;
        std::int64_t groupPositives = 0;
        while (end < n && items[end].key == items[begin].key)
            groupPositives += items[end++].slot >> 31;
        walk.next(groupPositives, std::int64_t(end - begin) - groupPositives);
        const double positive = walk.positivePlacement(), negative = walk.negativePlacement();
        for (std::size_t i = begin; i < end; ++i) {
            const std::uint32_t slot = items[i].slot;
            if (slot & positiveFlag)
                result.positives[slot & ~positiveFlag] = positive;
            else
                result.negatives[slot] = negative;
        }
        begin = end;
    }
    result.auc = walk.auc();
    return result;
}

AucInterval delongInterval(const DelongPlacements& placements)
{
    return interval(placements.auc, squaredDeviations(placements.positives, placements.auc),
        squaredDeviations(placements.negatives, placements.auc), std::int64_t(placements.positives.size()),
        std::int64_t(placements.negatives.size()));
}

AucInterval delongInterval(const RankedRecords& ranked)
{
    return intervalOverGroups(ranked.positives(), ranked.negatives(), [&](const auto& visit) {
        std::int64_t before = 0;
        for (std::int32_t g = 0; g < ranked.groups(); ++g) {
            const std::int64_t through = ranked.groupPositives(g);
            const std::int64_t size = std::int64_t(ranked.groupEnd(g)) - ranked.groupBegin(g);
            visit(through - before, size - (through - before));
            before = through;
        }
    });
}

AucInterval delongInterval(const ScoredRecords& records)
{
    // Sun and Xu's midranks: each class's keys sorted apart, with nothing carried along, then merged.
    std::int64_t positives = 0, negatives = 0;
    for (std::size_t i = 0; i < records.size; ++i)
        if (std::isfinite(records.outputs[i]))
            ++(records.classes[i] ? positives : negatives);
    if (positives == 0 || negatives == 0)
        throw CalculationError(oneClassMessage(positives == 0));
    // Equal lengths, since a sort may swap its buffer with the scratch one.
    const std::size_t length = std::size_t(std::max(positives, negatives));
    BigBuffer<std::uint64_t> positiveKeys(length), negativeKeys(length), scratch(length);
    const std::uint64_t flip = records.inverted ? 0 : ~std::uint64_t(0); // best first
    std::size_t p = 0, q = 0;
    for (std::size_t i = 0; i < records.size; ++i) {
        const double output = records.outputs[i];
        if (std::isfinite(output))
            (records.classes[i] ? positiveKeys[p++] : negativeKeys[q++]) = ascendingKey(output) ^ flip;
    }
    {
        const ProgressFunction silent;
        ProgressMeter meter(silent, positives + negatives, 2 * (radixPasses(64) + 1));
        const auto key = [](std::uint64_t k) { return k; };
        radixSort(positiveKeys, scratch, p, 64, key, meter);
        radixSort(negativeKeys, scratch, q, 64, key, meter);
    }
    scratch = {};

    return intervalOverGroups(positives, negatives, [&](const auto& visit) {
        std::size_t i = 0, j = 0;
        while (i < p || j < q) {
            const std::uint64_t k
                = j == q || (i < p && positiveKeys[i] < negativeKeys[j]) ? positiveKeys[i] : negativeKeys[j];
            const std::size_t firstPositive = i, firstNegative = j;
            while (i < p && positiveKeys[i] == k)
                ++i;
            while (j < q && negativeKeys[j] == k)
                ++j;
            visit(std::int64_t(i - firstPositive), std::int64_t(j - firstNegative));
        }
    });
}

PairedAucTest delongPairedTest(const DelongPlacements& a, const DelongPlacements& b)
{
    if (a.positives.size() != b.positives.size() || a.negatives.size() != b.negatives.size())
        throw std::invalid_argument("DeLong's paired test needs two models scoring the same records.");
    PairedAucTest test;
    test.difference = a.auc - b.auc;
    const double m = double(a.positives.size()), n = double(a.negatives.size());
    if (m < 2 || n < 2)
        return test;
    // Var(A − B) = Var A + Var B − 2 Cov(A, B), each term S10/m + S01/n.
    const auto covariance = [&](const DelongPlacements& x, const DelongPlacements& y) {
        return crossDeviations(x.positives, x.auc, y.positives, y.auc) / (m - 1) / m
            + crossDeviations(x.negatives, x.auc, y.negatives, y.auc) / (n - 1) / n;
    };
    const double variance = std::max(0.0, covariance(a, a) + covariance(b, b) - 2 * covariance(a, b));
    test.standardError = std::sqrt(variance);
    const double half = normalQuantile975 * test.standardError;
    test.ci95 = { test.difference - half, test.difference + half };
    if (test.standardError > 0)
        test.p = normalTwoSidedP(test.difference / test.standardError);
    else
        test.p = test.difference == 0 ? 1 : 0;
    return test;
}

} // namespace wb::engine
