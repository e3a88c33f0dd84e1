#pragma once

#include <cstdint>
#include <vector>

namespace wb::engine {

/// Part of a ranking, for per-record tables when the records live elsewhere (a database ranks them and sends
/// some back): rows in ranking order, each with its rank among all n valid records and the counts at its tie
/// group's cutoff, plus some of the calculation-error records. It answers what RankedRecords answers for the
/// per-record tables, with every row its own group.
class RecordSample {
public:
    struct Row {
        std::int64_t rank = 0;
        std::int32_t id = 0;
        std::uint8_t cls = 0;
        double output = 0;
        std::int32_t groupPositives = 0; ///< positives ranked up to the end of the row's tie group
        std::int32_t groupEnd = 0; ///< one past the tie group's last rank
    };
    struct ErrorRow {
        std::int32_t id = 0;
        std::uint8_t cls = 0;
    };

    /// `rows` in ranking order; `positives` and `negatives` count all n valid records.
    RecordSample(std::vector<Row> rows, std::vector<ErrorRow> errors, std::int32_t positives, std::int32_t negatives,
        bool inverted);

    std::int32_t size() const { return std::int32_t(m_rows.size()); } ///< rows held, not n
    std::int32_t positives() const { return m_positives; }
    std::int32_t negatives() const { return m_negatives; }
    bool inverted() const { return m_inverted; }

    double output(std::int64_t row) const { return m_rows[std::size_t(row)].output; }
    std::int32_t id(std::int64_t row) const { return m_rows[std::size_t(row)].id; }
    int cls(std::int64_t row) const { return m_rows[std::size_t(row)].cls; }
    std::int64_t rank(std::int64_t row) const { return m_rows[std::size_t(row)].rank; }

    std::int32_t group(std::int64_t row) const { return std::int32_t(row); }
    std::int32_t groupEnd(std::int32_t g) const { return m_rows[std::size_t(g)].groupEnd; }
    std::int32_t groupPositives(std::int32_t g) const { return m_rows[std::size_t(g)].groupPositives; }

    /// The row at position `a` of ascending output order (ties by id ascending).
    std::int64_t rankOfAscending(std::int64_t a) const { return m_ascending[std::size_t(a)]; }

    std::int32_t errorCount() const { return std::int32_t(m_errors.size()); }
    std::int32_t errorId(std::int64_t i) const { return m_errors[std::size_t(i)].id; }
    int errorClass(std::int64_t i) const { return m_errors[std::size_t(i)].cls; }

private:
    std::vector<Row> m_rows;
    std::vector<ErrorRow> m_errors;
    std::vector<std::int32_t> m_ascending;
    std::int32_t m_positives, m_negatives;
    bool m_inverted;
};

} // namespace wb::engine
