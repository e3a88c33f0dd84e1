#include "engine/RecordSample.h"

#include <algorithm>
#include <numeric>

namespace wb::engine {

RecordSample::RecordSample(
    std::vector<Row> rows, std::vector<ErrorRow> errors, std::int32_t positives, std::int32_t negatives, bool inverted)
    : m_rows(std::move(rows))
    , m_errors(std::move(errors))
    , m_ascending(m_rows.size())
    , m_positives(positives)
    , m_negatives(negatives)
    , m_inverted(inverted)
{
    std::iota(m_ascending.begin(), m_ascending.end(), 0);
    std::stable_sort(m_ascending.begin(), m_ascending.end(), [this](std::int32_t a, std::int32_t b) {
        const Row &left = m_rows[std::size_t(a)], &right = m_rows[std::size_t(b)];
        return left.output != right.output ? left.output < right.output : left.id < right.id;
    });
}

} // namespace wb::engine
