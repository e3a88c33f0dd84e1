#pragma once

#include <stdexcept>

namespace wb {

/// A wrong command line: the program prints the message with the command's usage and exits with 1.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace wb
