#include "engine/RadixSort.h"

#include "engine/ProgressMeter.h"

#include <algorithm>
#include <vector>

namespace wb::engine {

namespace {
    constexpr int digitBits = 11;
    constexpr std::size_t digitValues = std::size_t(1) << digitBits;
    constexpr std::uint64_t digitMask = digitValues - 1;
} // namespace

int radixPasses(int keyBits) { return (keyBits + digitBits - 1) / digitBits; }

void radixSort(BigBuffer<std::uint64_t>& keys, BigBuffer<std::uint32_t>& values, BigBuffer<std::uint64_t>& keyScratch,
    BigBuffer<std::uint32_t>& valueScratch, std::size_t size, int keyBits, ProgressMeter& meter)
{
    const int passes = radixPasses(keyBits);
    std::vector<std::uint32_t> counts(std::size_t(passes) * digitValues, 0);

    // One read of the keys gives the histograms of every digit.
    {
        const std::uint64_t* in = keys.data();
        for (std::size_t begin = 0; begin < size; begin += ProgressMeter::chunk) {
            const std::size_t end = std::min(size, begin + ProgressMeter::chunk);
            for (std::size_t i = begin; i < end; ++i) {
                const std::uint64_t key = in[i];
                for (int p = 0; p < passes; ++p)
                    ++counts[std::size_t(p) * digitValues + ((key >> (p * digitBits)) & digitMask)];
            }
            meter.report(end, size);
        }
        meter.nextPass();
    }

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
        const std::uint64_t* inKeys = keys.data();
        const std::uint32_t* inValues = values.data();
        std::uint64_t* outKeys = keyScratch.data();
        std::uint32_t* outValues = valueScratch.data();
        std::size_t* offset = offsets.data();
        for (std::size_t begin = 0; begin < size; begin += ProgressMeter::chunk) {
            const std::size_t end = std::min(size, begin + ProgressMeter::chunk);
            for (std::size_t i = begin; i < end; ++i) {
                const std::uint64_t key = inKeys[i];
                const std::size_t to = offset[(key >> shift) & digitMask]++;
                outKeys[to] = key;
                outValues[to] = inValues[i];
            }
            meter.report(end, size);
        }
        keys.swap(keyScratch);
        values.swap(valueScratch);
        meter.nextPass();
    }
}

} // namespace wb::engine
