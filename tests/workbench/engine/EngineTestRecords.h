#pragma once

#include "engine/Analysis.h"

#include <cstdint>
#include <vector>

namespace wb::engine::test {

/// Records written out by hand: (output, class) pairs, ids 1, 2, … unless given.
struct TestRecords {
    std::vector<std::int32_t> ids;
    std::vector<std::uint8_t> classes;
    std::vector<double> outputs;
    bool inverted = false;

    TestRecords(std::initializer_list<std::pair<double, int>> records, bool invert = false)
        : inverted(invert)
    {
        for (const auto& [output, cls] : records) {
            ids.push_back(std::int32_t(ids.size() + 1));
            classes.push_back(std::uint8_t(cls));
            outputs.push_back(output);
        }
    }
    TestRecords() = default;

    ScoredRecords view() const { return { ids.data(), classes.data(), outputs.data(), outputs.size(), inverted, {} }; }
};

} // namespace wb::engine::test
