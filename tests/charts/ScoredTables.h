#pragma once
// Scored records as a model delivers them, and the tables the host derives from them, worked out here by brute
// force: chart tests feed what a real run of any output scale would give.

#include "host/ResultLayout.h"
#include "host/UncertaintyFigures.h"
#include "support/Table.h"
#include "support/Variant.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <vector>

namespace lrv::test {

/// A table of the given rows from `rowLow`, each row's cells from column 0; cells a row leaves out hold T().
template <typename T> Table<T> rows(int rowLow, const std::vector<std::vector<T>>& cells)
{
    std::size_t columns = 0;
    for (const auto& row : cells)
        columns = std::max(columns, row.size());
    TableBuilder<T> builder(rowLow, rowLow + int(cells.size()) - 1, 0, int(columns) - 1);
    for (std::size_t r = 0; r < cells.size(); ++r)
        for (std::size_t c = 0; c < cells[r].size(); ++c)
            builder.set(rowLow + int(r), int(c), cells[r][c]);
    return builder.build();
}

struct Scored {
    double output; ///< not a number: a calculation error
    int target;
    double probability; ///< the probability of class 1 behind the output
};

using OutputOf = std::function<double(double probability, int record)>;

/// `count` records whose positives grow likelier with the probability; `output` gives what the model shows.
inline std::vector<Scored> scoredRecords(
    int count, const OutputOf& output = [](double p, int) { return p; })
{
    std::mt19937 random(7);
    std::normal_distribution<double> latent(0.0, 1.4);
    std::uniform_real_distribution<double> uniform(0, 1);
    std::vector<Scored> records;
    for (int i = 0; i < count; ++i) {
        const double z = latent(random);
        const double p = 1 / (1 + std::exp(-z));
        records.push_back({ output(p, i), uniform(random) < 1 / (1 + std::exp(-(1.6 * z - 0.3))) ? 1 : 0, p });
    }
    return records;
}

/// The records without calculation errors, in ascending output order.
inline std::vector<Scored> validAscending(const std::vector<Scored>& records)
{
    std::vector<Scored> valid;
    std::copy_if(records.begin(), records.end(), std::back_inserter(valid),
        [](const Scored& r) { return std::isfinite(r.output); });
    std::stable_sort(valid.begin(), valid.end(), [](const Scored& a, const Scored& b) { return a.output < b.output; });
    return valid;
}

/// Up to ten buckets from the highest outputs down: the records of each, in ascending output order.
inline std::vector<std::vector<Scored>> buckets(const std::vector<Scored>& records)
{
    const std::vector<Scored> valid = validAscending(records);
    const int n = int(valid.size()), count = std::min(10, n);
    std::vector<std::vector<Scored>> result;
    for (int b = 1; b <= count; ++b)
        result.emplace_back(valid.begin() + (n - n * b / count), valid.begin() + (n - n * (b - 1) / count));
    return result;
}

inline int positivesOf(const std::vector<Scored>& records)
{
    int positives = 0;
    for (const Scored& r : records)
        positives += r.target;
    return positives;
}

/// The ROC table: a row of not-applicable rates per calculation error, then the records by descending output,
/// each with the rates of the cutoff at its group of equal outputs.
inline Table<double> rocTable(const std::vector<Scored>& records)
{
    std::vector<Scored> valid = validAscending(records);
    std::reverse(valid.begin(), valid.end());
    const int errors = int(records.size() - valid.size()), n = int(valid.size());
    const int positives = positivesOf(valid), negatives = n - positives;
    TableBuilder<double> table(0, int(records.size()) - 1, 0, index(RocColumn::Last), kNotApplicable);
    for (int row = 0; row < errors; ++row) {
        table.set(row, index(RocColumn::Output), std::numeric_limits<double>::quiet_NaN());
        table.set(row, index(RocColumn::ErrorFlag), 1);
    }
    for (int first = 0, tp = 0, fp = 0; first < n;) {
        int end = first;
        for (; end < n && valid[std::size_t(end)].output == valid[std::size_t(first)].output; ++end)
            (valid[std::size_t(end)].target ? tp : fp) += 1;
        for (int r = first; r < end; ++r) {
            table.set(errors + r, index(RocColumn::Output), valid[std::size_t(r)].output);
            table.set(errors + r, index(RocColumn::Sensitivity), positives ? double(tp) / positives : 0.0);
            table.set(errors + r, index(RocColumn::FalsePositiveRate), negatives ? double(fp) / negatives : 0.0);
            table.set(errors + r, index(RocColumn::ErrorFlag), 0);
        }
        first = end;
    }
    return table.build();
}

/// The cutoff points: per record in ascending output order the rates with the cutoff at it; the closing row
/// repeats the last.
inline Table<double> cutoffTable(const std::vector<Scored>& records)
{
    const std::vector<Scored> valid = validAscending(records);
    const int n = int(valid.size()), positives = positivesOf(valid), negatives = n - positives;
    if (n == 0)
        return {};
    TableBuilder<double> table(0, n, 0, index(CutoffColumn::Last));
    for (int i = 0, positivesBelow = 0, negativesBelow = 0; i <= n; ++i) {
        if (i > 0 && i < n) {
            positivesBelow += valid[std::size_t(i - 1)].target;
            negativesBelow += 1 - valid[std::size_t(i - 1)].target;
        }
        const double tpr = positives ? double(positives - positivesBelow) / positives : 0.0;
        const double tnr = negatives ? double(negativesBelow) / negatives : 0.0;
        table.set(i, index(CutoffColumn::Output), valid[std::size_t(std::min(i, n - 1))].output);
        table.set(i, index(CutoffColumn::TruePositiveRate), tpr);
        table.set(i, index(CutoffColumn::TrueNegativeRate), tnr);
        table.set(i, index(CutoffColumn::FalsePositiveRate), 1 - tnr);
        table.set(i, index(CutoffColumn::FalseNegativeRate), 1 - tpr);
    }
    return table.build();
}

/// A weighted least-squares line; kUndefinedFit throughout when every x is equal.
struct Fit {
    double slope = kUndefinedFit, intercept = kUndefinedFit, rSquare = kUndefinedFit;
};

/// The bucket tables of the quantile chart (decile layout) and of the log-odds and trend line charts (log-odds
/// layout, the fitted log odds against each bucket's upper boundary), with the two fits.
struct BucketTables {
    Table<Variant> deciles;
    Table<Variant> logOdds;
    Fit logOddsFit;
    Fit trendFit;
};

inline Fit weightedFit(const std::vector<double>& x, const std::vector<double>& y, const std::vector<double>& w)
{
    double sw = 0, mx = 0, my = 0, sxy = 0, sxx = 0, syy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sw += w[i];
        mx += w[i] * x[i];
        my += w[i] * y[i];
    }
    mx /= sw;
    my /= sw;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sxy += w[i] * (x[i] - mx) * (y[i] - my);
        sxx += w[i] * (x[i] - mx) * (x[i] - mx);
        syy += w[i] * (y[i] - my) * (y[i] - my);
    }
    if (!(sxx > 0))
        return {};
    return { sxy / sxx, my - sxy / sxx * mx, syy > 0 ? sxy * sxy / (sxx * syy) : kUndefinedFit };
}

inline BucketTables bucketTables(const std::vector<Scored>& records)
{
    const auto all = buckets(records);
    const int count = int(all.size());
    TableBuilder<Variant> deciles(1, count, 0, index(DecileColumn::Last));
    TableBuilder<Variant> logOdds(1, count, 0, index(LogOddsColumn::Last));
    std::vector<double> x, odds, percent, weights;
    for (int b = 1; b <= count; ++b) {
        const std::vector<Scored>& bucket = all[std::size_t(b - 1)];
        const double total = double(bucket.size()), positives = positivesOf(bucket);
        const double rate = std::clamp(positives / total, 0.5 / total, 1 - 0.5 / total);
        x.push_back(bucket.back().output);
        odds.push_back(std::log(rate / (1 - rate)));
        percent.push_back(100 * positives / total);
        weights.push_back(total);
        for (TableBuilder<Variant>* table : { &deciles, &logOdds }) {
            table->set(b, index(DecileColumn::Bucket), b);
            table->set(b, index(DecileColumn::UpperBoundary), bucket.back().output);
            table->set(b, index(DecileColumn::LowerBoundary), bucket.front().output);
            table->set(b, index(DecileColumn::Positives), positives);
            table->set(b, index(DecileColumn::Negatives), total - positives);
            table->set(b, index(DecileColumn::Total), total);
        }
        deciles.set(b, index(DecileColumn::PositivePercent), percent.back());
        deciles.set(b, index(DecileColumn::NegativePercent), 100 - percent.back());
        logOdds.set(b, index(LogOddsColumn::PositivePercent), percent.back());
        logOdds.set(b, index(LogOddsColumn::LogOdds), odds.back());
    }
    BucketTables tables;
    tables.logOddsFit = weightedFit(x, odds, weights);
    tables.trendFit = weightedFit(x, percent, weights);
    for (int b = 1; b <= count; ++b) {
        const Fit& fit = tables.logOddsFit;
        logOdds.set(b, index(LogOddsColumn::FittedLogOdds),
            fit.slope == kUndefinedFit ? kUndefinedFit : fit.slope * x[std::size_t(b - 1)] + fit.intercept);
    }
    tables.deciles = deciles.build();
    tables.logOdds = logOdds.build();
    return tables;
}

/// The gains table: row 0 the origin, then the buckets cumulated.
inline Table<Variant> gainsTable(const std::vector<Scored>& records)
{
    const auto all = buckets(records);
    const int n = int(validAscending(records).size()), positives = positivesOf(validAscending(records));
    TableBuilder<Variant> table(0, int(all.size()), 0, index(GainsColumn::Last), Variant(0.0));
    for (int b = 1, cumPositives = 0, cumTotal = 0; b <= int(all.size()); ++b) {
        cumPositives += positivesOf(all[std::size_t(b - 1)]);
        cumTotal += int(all[std::size_t(b - 1)].size());
        table.set(b, index(GainsColumn::Bucket), b);
        table.set(b, index(GainsColumn::CumulativeRate), double(cumPositives) / cumTotal);
        table.set(b, index(GainsColumn::CumulativePositivePercent), positives ? 100.0 * cumPositives / positives : 0.0);
        table.set(b, index(GainsColumn::CumulativePopulationPercent), 100.0 * cumTotal / n);
    }
    return table.build();
}

/// The lift table, rows 1..B; no lift where no record is positive.
inline Table<Variant> liftTable(const std::vector<Scored>& records)
{
    const auto all = buckets(records);
    const std::vector<Scored> valid = validAscending(records);
    const double overall = double(positivesOf(valid)) / std::max<std::size_t>(valid.size(), 1);
    TableBuilder<Variant> table(1, int(all.size()), 0, index(LiftColumn::Last), Variant(0.0));
    for (int b = 1, cumPositives = 0, cumTotal = 0; b <= int(all.size()); ++b) {
        const std::vector<Scored>& bucket = all[std::size_t(b - 1)];
        cumPositives += positivesOf(bucket);
        cumTotal += int(bucket.size());
        table.set(b, index(LiftColumn::CumulativePopulationPercent), 100.0 * cumTotal / double(valid.size()));
        table.set(b, index(LiftColumn::RandomLift), 1.0);
        if (overall > 0) {
            table.set(b, index(LiftColumn::IdealLift), 1 / overall);
            table.set(b, index(LiftColumn::Lift), positivesOf(bucket) / double(bucket.size()) / overall);
            table.set(b, index(LiftColumn::CumulativeLift), double(cumPositives) / cumTotal / overall);
        }
    }
    return table.build();
}

/// Per bucket the mean probability, the observed rate and its Wilson interval.
inline Table<double> calibrationTable(const std::vector<Scored>& records)
{
    const auto all = buckets(records);
    TableBuilder<double> table(1, int(all.size()), 0, index(CalibrationColumn::Last));
    for (int b = 1; b <= int(all.size()); ++b) {
        const std::vector<Scored>& bucket = all[std::size_t(b - 1)];
        const double n = double(bucket.size()), rate = positivesOf(bucket) / n, z = 1.959964;
        double mean = 0;
        for (const Scored& r : bucket)
            mean += r.probability / n;
        const double centre = (rate + z * z / (2 * n)) / (1 + z * z / n);
        const double half = z / (1 + z * z / n) * std::sqrt(rate * (1 - rate) / n + z * z / (4 * n * n));
        table.set(b, index(CalibrationColumn::MeanProbability), mean);
        table.set(b, index(CalibrationColumn::ObservedRate), rate);
        table.set(b, index(CalibrationColumn::WilsonLow), centre - half);
        table.set(b, index(CalibrationColumn::WilsonHigh), centre + half);
    }
    return table.build();
}

/// The logistic curve of a fit of the log odds on the output: a row per calculation error, then the records in
/// ascending output order.
inline Table<double> logisticCurve(const std::vector<Scored>& records, const Fit& fit)
{
    const std::vector<Scored> valid = validAscending(records);
    const int errors = int(records.size() - valid.size());
    TableBuilder<double> curve(
        0, int(records.size()) - 1, 0, index(ProbabilityColumn::Last), std::numeric_limits<double>::quiet_NaN());
    for (int i = 0; i < int(valid.size()); ++i) {
        const double logOdds
            = fit.slope == kUndefinedFit ? 0 : fit.slope * valid[std::size_t(i)].output + fit.intercept;
        curve.set(errors + i, index(ProbabilityColumn::Output), valid[std::size_t(i)].output);
        curve.set(errors + i, index(ProbabilityColumn::ProbabilityOne), 1 / (1 + std::exp(-logOdds)));
        curve.set(errors + i, index(ProbabilityColumn::ProbabilityZero), 1 / (1 + std::exp(logOdds)));
    }
    return curve.build();
}

/// The zeros and ones of the logistic fit chart.
inline Table<double> observations(const std::vector<Scored>& records)
{
    const std::vector<Scored> valid = validAscending(records);
    TableBuilder<double> table(0, int(valid.size()) - 1, 0, index(ZerosOnesColumn::Last));
    for (int i = 0; i < int(valid.size()); ++i) {
        table.set(i, index(ZerosOnesColumn::Level), valid[std::size_t(i)].target);
        table.set(i, index(ZerosOnesColumn::Output), valid[std::size_t(i)].output);
        table.set(i, index(ZerosOnesColumn::Class), valid[std::size_t(i)].target);
    }
    return table.build();
}

} // namespace lrv::test
