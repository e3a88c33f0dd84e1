#include "engine/Dataset.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

using namespace wb::engine;

namespace {

std::string dataFile(const char* name) { return std::string(LRV_TEST_DATA) + "/engine/" + name; }

DatasetSpec spec(const char* file, const char* target = "target", const char* id = "id",
    std::vector<std::string> outputs = { "score" })
{
    DatasetSpec s;
    s.path = dataFile(file);
    s.targetColumn = target;
    s.idColumn = id;
    s.outputColumns = std::move(outputs);
    return s;
}

// A CSV file of the text in the temporary folder, removed with the object.
struct TextFile {
    explicit TextFile(const std::string& text)
        : path((std::filesystem::temp_directory_path() / ("dataset-" + std::to_string(++count) + ".csv")).string())
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    ~TextFile() { std::remove(path.c_str()); }
    std::string path;
    static inline int count = 0;
};

} // namespace

TEST(Dataset, ReadsQuotesCrLfBomAndFlagsBadOutputs)
{
    const Dataset d = readDataset(spec("mixed.csv", "target", "id", { "model, A", "modelB" }));
    ASSERT_EQ(d.size(), 4u);
    EXPECT_EQ(d.ids, (std::vector<std::int32_t> { 1, 2, 3, 4 }));
    EXPECT_EQ(d.classes, (std::vector<std::uint8_t> { 0, 1, 1, 0 }));
    ASSERT_EQ(d.outputs.size(), 2u);
    EXPECT_EQ(d.outputs[0][0], 0.25);
    EXPECT_EQ(d.outputs[0][1], 0.75);
    EXPECT_TRUE(std::isnan(d.outputs[0][2])); // "abc"
    EXPECT_EQ(d.outputs[0][3], 0.001);
    EXPECT_EQ(d.outputs[1][0], 0.5);
    EXPECT_TRUE(std::isnan(d.outputs[1][1])); // empty
    EXPECT_TRUE(std::isnan(d.outputs[1][2])); // "nan"
    EXPECT_TRUE(std::isnan(d.outputs[1][3])); // "inf"
    EXPECT_EQ(d.outputColumns[0], "model, A");

    // Without an id column the id is the record number; an encoding maps its min and max and keeps invert.
    EXPECT_EQ(readDataset(spec("mixed.csv", "target", "", { "modelB" })).ids, d.ids);
    DatasetSpec encoded = spec("encoded.csv");
    encoded.encoding = { 5, 2, true };
    const Dataset e = readDataset(encoded);
    EXPECT_EQ(e.classes, (std::vector<std::uint8_t> { 0, 1 }));
    EXPECT_EQ(e.ids, (std::vector<std::int32_t> { 10, -20 }));
    EXPECT_TRUE(e.inverted);
}

TEST(Dataset, IdsBecomeKeysThatSortAsTheIdsAndKeepTheirTexts)
{
    const struct {
        const char* ids;
        std::vector<std::int32_t> keys;
        std::vector<std::string> texts; ///< in key order; empty when the keys are the ids
    } cases[] = {
        { "5 -3 2147483647", { 5, -3, 2147483647 }, {} },
        // Numbers, in numerical order, written as the file writes them.
        { "9007199254740993 12 -4", { 3, 2, 1 }, { "-4", "12", "9007199254740993" } },
        { "007 10 +3 2.0", { 3, 4, 2, 1 }, { "2.0", "+3", "007", "10" } },
        // Any text: in the order of the texts.
        { "C00109 C00020 10 9", { 4, 3, 1, 2 }, { "10", "9", "C00020", "C00109" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ids);
        std::string csv = "id,target,score\n";
        std::size_t start = 0;
        const std::string ids = c.ids;
        for (std::size_t end = 0; end != std::string::npos; start = end + 1) {
            end = ids.find(' ', start);
            csv += ids.substr(start, end - start) + ",1,0.5\n";
        }
        const TextFile file(csv);
        DatasetSpec s = spec("");
        s.path = file.path;
        const Dataset d = readDataset(s);
        EXPECT_EQ(d.ids, c.keys);
        ASSERT_EQ(bool(d.idTexts), !c.texts.empty());
        for (std::size_t k = 0; k < c.texts.size(); ++k)
            EXPECT_EQ(d.idTexts->text(std::int64_t(k + 1)), c.texts[k]);
    }
}

TEST(Dataset, SeparatorsAndTextTargets)
{
    for (const char* text :
        { "id;target;score\n1;yes;0,5\n2;no;0.25\n", "id\ttarget\tscore\n1\tyes\t0,5\n2\tno\t0.25\n" }) {
        SCOPED_TRACE(text);
        const TextFile file(text);
        DatasetSpec s = spec("");
        s.path = file.path;
        s.targetLabels = { "no", "yes" };
        const Dataset d = readDataset(s);
        EXPECT_EQ(d.classes, (std::vector<std::uint8_t> { 1, 0 }));
        EXPECT_TRUE(std::isnan(d.outputs[0][0])); // a comma decimal is no number
        EXPECT_EQ(d.outputs[0][1], 0.25);

        // The labels are the target values 0 and 1 that the encoding names.
        s.encoding = { 1, 0, false };
        EXPECT_EQ(readDataset(s).classes, (std::vector<std::uint8_t> { 0, 1 }));
        s.targetLabels = { "n", "y" };
        EXPECT_THROW(readDataset(s), InputError);
    }
}
