#pragma once

#include "engine/Analysis.h"

#include <cstdint>

namespace wb::engine {

/// Turns the passes of a calculation into calls of a ProgressFunction; throws CalculationCancelled when the
/// function asks to stop. Passes check in every `chunk` records, far more often than every 100 ms.
class ProgressMeter {
public:
    static constexpr std::size_t chunk = std::size_t(1) << 16;

    ProgressMeter(const ProgressFunction& function, std::int64_t records, int passes);

    /// Reports `done` of `size` items of the current pass.
    void report(std::size_t done, std::size_t size);
    /// Ends the current pass.
    void nextPass();
    /// Plans `count` more passes than announced (an extra sort of the ids).
    void addPasses(int count) { m_passes += count; }

private:
    const ProgressFunction& m_function;
    std::int64_t m_records;
    int m_passes;
    int m_pass = 0;
    std::int64_t m_reported = 0; ///< never reports less than before
};

} // namespace wb::engine
