#pragma once

#include "engine/BigBuffer.h"
#include "engine/ProgressMeter.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace wb::engine {

/// How many 11-bit digit passes a radix sort of `keyBits`-bit keys plans (for progress).
constexpr int radixPasses(int keyBits) { return (keyBits + 10) / 11; }

/// Stable LSD radix sort, ascending by the unsigned key `keyOf(item)` of which the low `keyBits` bits count.
/// Digits of 11 bits; a digit that every key shares costs no pass. On return `items` holds the result (it may
/// have been swapped with `scratch`, which must be as long).
template <typename Item, typename KeyOf>
void radixSort(
    BigBuffer<Item>& items, BigBuffer<Item>& scratch, std::size_t size, int keyBits, KeyOf keyOf, ProgressMeter& meter)
{
    constexpr int digitBits = 11;
    constexpr std::size_t digitValues = std::size_t(1) << digitBits;
    constexpr std::uint64_t digitMask = digitValues - 1;
    const int passes = radixPasses(keyBits);
    std::vector<std::uint32_t> counts(std::size_t(passes) * digitValues, 0);

    // One read of the keys gives the histograms of every digit.
    for (std::size_t begin = 0; begin < size; begin += ProgressMeter::chunk) {
        const std::size_t end = std::min(size, begin + ProgressMeter::chunk);
        const Item* in = items.data();
        for (std::size_t i = begin; i < end; ++i) {
            const std::uint64_t key = keyOf(in[i]);
            for (int p = 0; p < passes; ++p)
                ++counts[std::size_t(p) * digitValues + ((key >> (p * digitBits)) & digitMask)];
        }
        meter.report(end, size);
    }
    meter.nextPass();

    std::vector<std::size_t> offsets(digitValues);
    for (int p = 0; p < passes; ++p) {
        const std::uint32_t* count = counts.data() + std::size_t(p) * digitValues;
        const int shift = p * digitBits;
        if (std::any_of(count, count + digitValues, [size](std::uint32_t c) { return c == size; })) {
            meter.nextPass();
            continue;
        }
        std::size_t sum = 0;
        for (std::size_t d = 0; d < digitValues; ++d) {
            offsets[d] = sum;
            sum += count[d];
        }
        const Item* in = items.data();
        Item* out = scratch.data();
        std::size_t* offset = offsets.data();
        for (std::size_t begin = 0; begin < size; begin += ProgressMeter::chunk) {
            const std::size_t end = std::min(size, begin + ProgressMeter::chunk);
            for (std::size_t i = begin; i < end; ++i)
                out[offset[(keyOf(in[i]) >> shift) & digitMask]++] = in[i];
            meter.report(end, size);
        }
        items.swap(scratch);
        meter.nextPass();
    }
}

} // namespace wb::engine
