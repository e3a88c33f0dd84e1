#include "engine/BigBuffer.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace wb::engine {

namespace {
    constexpr std::size_t hugePage = std::size_t(2) << 20;
    // Below this an ordinary heap block is as fast and wastes no address space.
    constexpr std::size_t mappingThreshold = std::size_t(1) << 20;
} // namespace

void* allocateBigBytes(std::size_t bytes, void*& mapping, std::size_t& mappingBytes)
{
    mapping = nullptr;
    mappingBytes = 0;
    if (bytes == 0)
        return nullptr;
    if (bytes < mappingThreshold) {
        void* block = std::malloc(bytes);
        if (!block)
            throw std::bad_alloc();
        return block;
    }
    const std::size_t rounded = (bytes + hugePage - 1) / hugePage * hugePage;
    const std::size_t length = rounded + hugePage;
    void* region = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (region == MAP_FAILED)
        throw std::bad_alloc();
    const auto address = reinterpret_cast<std::uintptr_t>(region);
    auto* aligned = reinterpret_cast<void*>((address + hugePage - 1) / hugePage * hugePage);
#ifdef MADV_HUGEPAGE
    madvise(aligned, rounded, MADV_HUGEPAGE);
#endif
    mapping = region;
    mappingBytes = length;
    return aligned;
}

void adviseHugePages(void* data, std::size_t bytes) noexcept
{
#ifdef MADV_HUGEPAGE
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + hugePage - 1) / hugePage * hugePage;
    const std::uintptr_t last = (begin + bytes) / hugePage * hugePage;
    if (last > first)
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

void releaseBigBytes(void* data, void* mapping, std::size_t mappingBytes) noexcept
{
    if (mapping)
        munmap(mapping, mappingBytes);
    else
        std::free(data);
}

} // namespace wb::engine
