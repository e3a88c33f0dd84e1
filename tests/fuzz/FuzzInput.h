#pragma once

// The readers take files: each target writes its input to a scratch file of its own process.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

/// /tmp/lrv-fuzz-NAME-PID followed by the suffix.
inline std::string scratchPath(const char* name, const char* suffix)
{
    return "/tmp/lrv-fuzz-" + std::string(name) + "-" + std::to_string(::getpid()) + suffix;
}

inline void writeInput(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        __builtin_trap();
    if (size > 0)
        std::fwrite(data, 1, size, file);
    std::fclose(file);
}
