#include "engine/ProgressMeter.h"

#include <algorithm>

namespace wb::engine {

ProgressMeter::ProgressMeter(const ProgressFunction& function, std::int64_t records, int passes)
    : m_function(function)
    , m_records(records)
    , m_passes(std::max(passes, 1))
{
}

void ProgressMeter::report(std::size_t done, std::size_t size)
{
    if (!m_function)
        return;
    const double fraction = (m_pass + (size ? double(done) / double(size) : 1.0)) / m_passes;
    const auto value
        = std::max(m_reported, std::min<std::int64_t>(m_records, std::int64_t(fraction * double(m_records))));
    m_reported = value;
    if (!m_function(value, m_records))
        throw CalculationCancelled();
}

void ProgressMeter::nextPass()
{
    m_pass = std::min(m_pass + 1, m_passes - 1);
    report(0, 1);
}

} // namespace wb::engine
