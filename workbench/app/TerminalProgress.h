#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace wb {

/// A progress bar on stderr, drawn only when stderr is a terminal; otherwise silent.
class TerminalProgress {
public:
    TerminalProgress();
    ~TerminalProgress();

    /// Starts a step with its label and amount of work.
    void begin(const std::string& label, std::int64_t total);
    /// Moves the bar; redraws at most ten times a second.
    void update(std::int64_t done);
    /// Completes the bar and ends its line.
    void finish();

private:
    void draw(std::int64_t done);

    bool m_enabled;
    bool m_open = false;
    std::string m_label;
    std::int64_t m_total = 0;
    std::chrono::steady_clock::time_point m_lastDraw;
};

} // namespace wb
