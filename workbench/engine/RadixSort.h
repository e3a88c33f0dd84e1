#pragma once

#include "engine/BigBuffer.h"

#include <cstdint>

namespace wb::engine {

class ProgressMeter;

/// Stable LSD radix sort of 64-bit keys, ascending, carrying a 32-bit value with each key. Digits of 11 bits;
/// a digit that every key shares costs no pass. `keyBits` limits the digits looked at (the low bits).
/// The scratch buffers must be as long as the data; on return keys and values hold the result (the buffers
/// may have been swapped with the scratch ones).
void radixSort(BigBuffer<std::uint64_t>& keys, BigBuffer<std::uint32_t>& values, BigBuffer<std::uint64_t>& keyScratch,
    BigBuffer<std::uint32_t>& valueScratch, std::size_t size, int keyBits, ProgressMeter& meter);

/// How many passes radixSort plans for keys of `keyBits` bits (for progress).
int radixPasses(int keyBits);

} // namespace wb::engine
