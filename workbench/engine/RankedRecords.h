#pragma once

#include "engine/Analysis.h"
#include "engine/BigBuffer.h"

#include <bit>
#include <cstdint>
#include <memory>
#include <vector>

namespace wb::engine {

class ProgressMeter;

/// The valid records of one model in ranking order, kept compact (about 17 bytes a record, 25 with tied
/// outputs) so that the per-record tables compute their cells from it, plus the calculation-error records.
///
/// Ranking: output descending (ascending when inverted), ties by id ascending. Tied outputs form one group:
/// at a record's cutoff every record of its group is predicted class 1 too, so a group is one ROC point and
/// every per-record table gives all its rows the group's counts.
class RankedRecords {
public:
    /// Ranks the records. Throws CalculationError when no output is valid or the valid records hold one class.
    static std::shared_ptr<const RankedRecords> build(const ScoredRecords& records, ProgressMeter& meter);

    std::int32_t size() const { return m_size; } ///< n, the valid records
    std::int32_t positives() const { return m_positives; }
    std::int32_t negatives() const { return m_size - m_positives; }
    bool inverted() const { return m_inverted; }

    double output(std::int64_t rank) const { return std::bit_cast<double>(m_outputBits[rank]); }
    std::int32_t id(std::int64_t rank) const { return std::int32_t(m_ids[rank]); }
    int cls(std::int64_t rank) const { return m_classes[rank]; }
    const std::uint8_t* classes() const { return m_classes.data(); }
    /// The rank of a per-record table's row: every row is its own rank here, unlike in a RecordSample.
    std::int64_t rank(std::int64_t row) const { return row; }

    std::int32_t groups() const { return m_groups; }
    std::int32_t group(std::int64_t rank) const { return m_groupOf.empty() ? std::int32_t(rank) : m_groupOf[rank]; }
    std::int32_t groupBegin(std::int32_t g) const { return m_groupStart.empty() ? g : m_groupStart[g]; }
    /// One past the group's last rank: the records predicted class 1 at the group's cutoff.
    std::int32_t groupEnd(std::int32_t g) const { return m_groupStart.empty() ? g + 1 : m_groupStart[g + 1]; }
    /// Positives ranked up to the end of the group: the true positives at its cutoff.
    std::int32_t groupPositives(std::int32_t g) const { return m_groupPositives[g]; }

    /// The rank of the record at position `a` of ascending output order (ties by id ascending).
    std::int64_t rankOfAscending(std::int64_t a) const;

    std::int32_t errorCount() const { return std::int32_t(m_errorIds.size()); }
    std::int32_t errorId(std::int64_t i) const { return m_errorIds[i]; }
    int errorClass(std::int64_t i) const { return m_errorClasses[i]; }

private:
    std::int32_t m_size = 0;
    std::int32_t m_positives = 0;
    std::int32_t m_groups = 0;
    bool m_inverted = false;
    BigBuffer<std::uint64_t> m_outputBits;
    BigBuffer<std::uint32_t> m_ids;
    BigBuffer<std::uint8_t> m_classes;
    BigBuffer<std::int32_t> m_groupOf; ///< empty when no outputs tie (group = rank)
    BigBuffer<std::int32_t> m_groupStart; ///< groups + 1 entries; empty when no outputs tie
    BigBuffer<std::int32_t> m_groupPositives;
    std::vector<std::int32_t> m_errorIds;
    std::vector<std::uint8_t> m_errorClasses;
};

} // namespace wb::engine
