#include "engine/Dataset.h"

#include <cmath>
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

// The message of the InputError that reading throws, or "" when it reads.
std::string readError(const DatasetSpec& s)
{
    try {
        readDataset(s);
    } catch (const InputError& error) {
        return error.what();
    }
    return {};
}

void expectMentions(const std::string& message, std::initializer_list<std::string> parts)
{
    EXPECT_FALSE(message.empty());
    for (const std::string& part : parts)
        EXPECT_NE(message.find(part), std::string::npos) << "\"" << part << "\" missing from: " << message;
}

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
}

TEST(Dataset, WithoutIdColumnTheIdIsTheRecordNumber)
{
    DatasetSpec s = spec("bad-target.csv", "target", "");
    s.encoding = { 2, 5, true };
    s.outputColumns = { "score" };
    const std::string message = readError(s);
    // Row 3 holds target 3, which the encoding 2/5 does not name.
    expectMentions(message, { "bad-target.csv", "line 4", "column 2", "\"3\"", "2 (class 0)", "5 (class 1)" });

    s.path = dataFile("mixed.csv");
    s.encoding = {};
    s.outputColumns = { "modelB" };
    const Dataset d = readDataset(s);
    EXPECT_EQ(d.ids, (std::vector<std::int32_t> { 1, 2, 3, 4 }));
}

TEST(Dataset, EncodingMapsMinAndMaxAndKeepsInvert)
{
    DatasetSpec s = spec("encoded.csv");
    s.encoding = { 5, 2, true };
    const Dataset d = readDataset(s);
    EXPECT_EQ(d.classes, (std::vector<std::uint8_t> { 0, 1 }));
    EXPECT_EQ(d.ids, (std::vector<std::int32_t> { 10, -20 }));
    EXPECT_TRUE(d.inverted);
}

TEST(Dataset, ErrorsNameFileLineAndColumn)
{
    expectMentions(
        readError(spec("mixed.csv", "target", "id", { "missing" })), { "mixed.csv", "line 1", "\"missing\"" });
    expectMentions(readError(spec("mixed.csv", "class")), { "mixed.csv", "\"class\"" });
    expectMentions(readError(spec("ragged.csv")), { "ragged.csv", "line 3", "4 fields", "header has 3" });
    expectMentions(readError(spec("bad-id.csv")), { "bad-id.csv", "line 3", "column 1", "\"2.5\"" });
    expectMentions(readError(spec("no-such-file.csv")), { "no-such-file.csv" });
}

TEST(Dataset, QuotedFieldsMaySpanLines)
{
    DatasetSpec s = spec("quoted-newline.csv", "target", "");
    expectMentions(readError(s), { "line 2", "column 1", "multi" });
}

TEST(Dataset, DistinctTargetsAreSortedAndLimited)
{
    EXPECT_EQ(distinctTargets(dataFile("bad-target.csv"), "target", 10), (std::vector<double> { 2, 3, 5 }));
    EXPECT_EQ(distinctTargets(dataFile("bad-target.csv"), "target", 2).size(), 2u);
    EXPECT_EQ(distinctTargets(dataFile("mixed.csv"), "target", 10), (std::vector<double> { 0, 1 }));
    EXPECT_THROW(distinctTargets(dataFile("mixed.csv"), "nothing", 10), InputError);
}
