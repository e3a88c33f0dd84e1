#include "TerminalProgress.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace wb {

TerminalProgress::TerminalProgress()
    : m_enabled(isatty(STDERR_FILENO) == 1)
{
}

TerminalProgress::~TerminalProgress()
{
    if (m_open)
        std::fputs("\n", stderr);
}

void TerminalProgress::begin(const std::string& label, std::int64_t total)
{
    finish();
    m_label = label;
    m_total = std::max<std::int64_t>(total, 1);
    m_open = m_enabled;
    m_lastDraw = {};
    update(0);
}

void TerminalProgress::update(std::int64_t done)
{
    if (!m_open)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastDraw < std::chrono::milliseconds(100) && done < m_total)
        return;
    m_lastDraw = now;
    draw(done);
}

void TerminalProgress::finish()
{
    if (!m_open)
        return;
    draw(m_total);
    std::fputs("\n", stderr);
    m_open = false;
}

void TerminalProgress::draw(std::int64_t done)
{
    constexpr int width = 30;
    const double fraction = std::clamp(double(done) / double(m_total), 0.0, 1.0);
    const int filled = int(fraction * width);
    std::string bar(std::size_t(filled), '#');
    bar.append(std::size_t(width - filled), ' ');
    std::fprintf(stderr, "\r%-28.28s [%s] %3d%%", m_label.c_str(), bar.c_str(), int(fraction * 100));
    std::fflush(stderr);
}

} // namespace wb
