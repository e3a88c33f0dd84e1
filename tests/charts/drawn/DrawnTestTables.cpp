#include "DrawnTestTables.h"

#include "host/ResultLayout.h"

#include <algorithm>
#include <random>

namespace lrv::test {

namespace {
    struct Record {
        double score;
        bool positive;
    };

    // Records ranked by score, descending.
    std::vector<Record> rankedRecords()
    {
        std::mt19937 random(7);
        std::uniform_real_distribution<double> uniform(0, 1);
        std::vector<Record> records;
        for (int i = 0; i < 400; ++i) {
            const bool positive = uniform(random) < 0.35;
            // The sum of three uniforms is roughly bell-shaped; positives sit one unit higher.
            const double score = uniform(random) + uniform(random) + uniform(random) + (positive ? 1.0 : 0.0);
            records.push_back({ score, positive });
        }
        std::sort(records.begin(), records.end(), [](const Record& a, const Record& b) { return a.score > b.score; });
        return records;
    }

    struct Buckets {
        std::vector<int> positives;
        std::vector<int> totals;
        int allPositives = 0;
        int all = 0;
    };

    Buckets buckets(int count)
    {
        const std::vector<Record> records = rankedRecords();
        Buckets b { std::vector<int>(count, 0), std::vector<int>(count, 0), 0, int(records.size()) };
        for (int r = 0; r < b.all; ++r) {
            const int bucket = count * r / b.all;
            b.totals[bucket] += 1;
            b.positives[bucket] += records[r].positive ? 1 : 0;
            b.allPositives += records[r].positive ? 1 : 0;
        }
        return b;
    }
}

Table<double> realisticRocTable()
{
    const std::vector<Record> records = rankedRecords();
    int positives = 0;
    for (const Record& record : records)
        positives += record.positive ? 1 : 0;
    const int negatives = int(records.size()) - positives;
    TableBuilder<double> table(0, int(records.size()) - 1, 0, index(RocColumn::Last), 0.0);
    int tp = 0;
    int fp = 0;
    for (int row = 0; row < int(records.size()); ++row) {
        (records[row].positive ? tp : fp) += 1;
        table.set(row, index(RocColumn::Output), records[row].score);
        table.set(row, index(RocColumn::Sensitivity), double(tp) / positives);
        table.set(row, index(RocColumn::FalsePositiveRate), double(fp) / negatives);
    }
    return table.build();
}

Table<Variant> realisticGainsTable()
{
    const Buckets b = buckets(10);
    TableBuilder<Variant> table(0, 10, 0, index(GainsColumn::Last), Variant(0.0));
    int cumPositives = 0;
    int cumTotal = 0;
    for (int bucket = 1; bucket <= 10; ++bucket) {
        cumPositives += b.positives[bucket - 1];
        cumTotal += b.totals[bucket - 1];
        table.set(bucket, index(GainsColumn::Bucket), bucket);
        table.set(bucket, index(GainsColumn::CumulativeRate), double(cumPositives) / cumTotal);
        table.set(bucket, index(GainsColumn::CumulativePositivePercent), 100.0 * cumPositives / b.allPositives);
        table.set(bucket, index(GainsColumn::CumulativePopulationPercent), 100.0 * cumTotal / b.all);
    }
    return table.build();
}

Table<Variant> realisticLiftTable()
{
    const Buckets b = buckets(10);
    const double overall = double(b.allPositives) / b.all;
    TableBuilder<Variant> table(1, 10, 0, index(LiftColumn::Last));
    int cumPositives = 0;
    int cumTotal = 0;
    for (int bucket = 1; bucket <= 10; ++bucket) {
        cumPositives += b.positives[bucket - 1];
        cumTotal += b.totals[bucket - 1];
        table.set(bucket, index(LiftColumn::CumulativePopulationPercent), 100.0 * cumTotal / b.all);
        table.set(bucket, index(LiftColumn::RandomLift), 1.0);
        table.set(bucket, index(LiftColumn::IdealLift), 1 / overall);
        table.set(bucket, index(LiftColumn::Lift), double(b.positives[bucket - 1]) / b.totals[bucket - 1] / overall);
        table.set(bucket, index(LiftColumn::CumulativeLift), double(cumPositives) / cumTotal / overall);
    }
    return table.build();
}

Table<double> doubleRows(const std::vector<std::vector<double>>& rows)
{
    std::size_t columns = 0;
    for (const auto& row : rows)
        columns = std::max(columns, row.size());
    TableBuilder<double> table(0, int(rows.size()) - 1, 0, int(columns) - 1, 0.0);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            table.set(int(r), int(c), rows[r][c]);
    return table.build();
}

Table<Variant> variantRows(const std::vector<std::vector<Variant>>& rows, int rowLow)
{
    std::size_t columns = 0;
    for (const auto& row : rows)
        columns = std::max(columns, row.size());
    TableBuilder<Variant> table(rowLow, rowLow + int(rows.size()) - 1, 0, int(columns) - 1);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            table.set(rowLow + int(r), int(c), rows[r][c]);
    return table.build();
}

} // namespace lrv::test
