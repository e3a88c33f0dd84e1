#pragma once

namespace lrv {

/// Shows the busy mouse pointer while it exists. Destroying one restores the default pointer at once,
/// even when other Hourglass objects still exist: the pointer is a single screen setting, not a stack.
class Hourglass {
public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

    /// Puts the default pointer back, whatever busy pointers were set before.
    static void reset();
};

} // namespace lrv
