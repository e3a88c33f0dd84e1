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

/// `count` records whose positives grow likelier with the probability; `output(p, record)` is what the model shows.
inline std::vector<Scored> scoredRecords(
    int count, const std::function<double(double, int)>& output = [](double p, int) { return p; })
{
    std::mt19937 random(7);
    std::normal_distribution<double> latent(0.0, 1.4);
    std::uniform_real_distribution<double> uniform(0, 1);
    std::vector<Scored> records;
    for (int i = 0; i < count; ++i) {
        const double z = latent(random), p = 1 / (1 + std::exp(-z));
        records.push_back({ output(p, i), uniform(random) < 1 / (1 + std::exp(-(1.6 * z - 0.3))) ? 1 : 0, p });
    }
    return records;
}

/// A weighted least-squares line; kUndefinedFit throughout when every x is equal.
struct Fit {
    double slope = kUndefinedFit, intercept = kUndefinedFit, rSquare = kUndefinedFit;

    double at(double x) const { return slope == kUndefinedFit ? kUndefinedFit : slope * x + intercept; }
};

inline Fit fitLine(const std::vector<double>& x, const std::vector<double>& y, const std::vector<double>& w)
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

/// Every table the host delivers to the charts for a set of scored records. Calculation errors (outputs that are
/// not numbers) come first in the ROC and probability tables and are left out of the rest; up to ten buckets
/// run from the highest outputs down.
struct HostTables {
    Table<double> roc, cutoff, calibration, curve, observations;
    Table<Variant> deciles, logOdds, gains, lift;
    Fit logOddsFit, trendFit;

    explicit HostTables(const std::vector<Scored>& records)
    {
        std::vector<Scored> valid;
        std::copy_if(records.begin(), records.end(), std::back_inserter(valid),
            [](const Scored& r) { return std::isfinite(r.output); });
        std::stable_sort(
            valid.begin(), valid.end(), [](const Scored& a, const Scored& b) { return a.output < b.output; });
        const int n = int(valid.size()), errors = int(records.size()) - n;
        int positives = 0;
        for (const Scored& r : valid)
            positives += r.target;
        const int negatives = n - positives;
        const auto rate = [](int count, int of) { return of ? double(count) / of : 0.0; };
        constexpr double nan = std::numeric_limits<double>::quiet_NaN();

        // ROC: by descending output, each record with the rates of the cutoff at its group of equal outputs.
        TableBuilder<double> rocRows(0, int(records.size()) - 1, 0, index(RocColumn::Last), kNotApplicable);
        TableBuilder<double> curveRows(0, int(records.size()) - 1, 0, index(ProbabilityColumn::Last), nan);
        for (int row = 0; row < errors; ++row) {
            rocRows.set(row, index(RocColumn::Output), nan);
            rocRows.set(row, index(RocColumn::ErrorFlag), 1);
        }
        for (int first = n - 1, tp = 0, fp = 0; first >= 0;) {
            int end = first;
            for (; end >= 0 && valid[std::size_t(end)].output == valid[std::size_t(first)].output; --end)
                (valid[std::size_t(end)].target ? tp : fp) += 1;
            for (int r = first; r > end; --r) {
                const int row = errors + n - 1 - r;
                rocRows.set(row, index(RocColumn::Output), valid[std::size_t(r)].output);
                rocRows.set(row, index(RocColumn::Sensitivity), rate(tp, positives));
                rocRows.set(row, index(RocColumn::FalsePositiveRate), rate(fp, negatives));
                rocRows.set(row, index(RocColumn::ErrorFlag), 0);
            }
            first = end;
        }
        roc = rocRows.build();

        // Cutoff points in ascending output order, class 1 from the cutoff up; the closing row repeats the last.
        TableBuilder<double> cutoffRows(0, n, 0, index(CutoffColumn::Last));
        for (int i = 0, positivesBelow = 0, negativesBelow = 0; i <= n && n > 0; ++i) {
            if (i > 0 && i < n) {
                positivesBelow += valid[std::size_t(i - 1)].target;
                negativesBelow += 1 - valid[std::size_t(i - 1)].target;
            }
            const double tpr = rate(positives - positivesBelow, positives), tnr = rate(negativesBelow, negatives);
            cutoffRows.set(i, index(CutoffColumn::Output), valid[std::size_t(std::min(i, n - 1))].output);
            cutoffRows.set(i, index(CutoffColumn::TruePositiveRate), tpr);
            cutoffRows.set(i, index(CutoffColumn::TrueNegativeRate), tnr);
            cutoffRows.set(i, index(CutoffColumn::FalsePositiveRate), 1 - tnr);
            cutoffRows.set(i, index(CutoffColumn::FalseNegativeRate), 1 - tpr);
        }
        cutoff = n > 0 ? cutoffRows.build() : Table<double>();

        const int count = std::min(10, n);
        TableBuilder<Variant> decileRows(1, count, 0, index(DecileColumn::Last));
        TableBuilder<Variant> logOddsRows(1, count, 0, index(LogOddsColumn::Last));
        TableBuilder<Variant> gainsRows(0, count, 0, index(GainsColumn::Last), Variant(0.0));
        TableBuilder<Variant> liftRows(1, count, 0, index(LiftColumn::Last), Variant(0.0));
        TableBuilder<double> calibrationRows(1, count, 0, index(CalibrationColumn::Last));
        std::vector<double> x, odds, percent, weights;
        for (int b = 1, cumPositives = 0; b <= count; ++b) {
            const int from = n - n * b / count, to = n - n * (b - 1) / count; // [from, to) in ascending order
            int bucketPositives = 0;
            double meanProbability = 0;
            for (int i = from; i < to; ++i) {
                bucketPositives += valid[std::size_t(i)].target;
                meanProbability += valid[std::size_t(i)].probability / (to - from);
            }
            cumPositives += bucketPositives;
            const double total = to - from, share = bucketPositives / total;
            const double clamped = std::clamp(share, 0.5 / total, 1 - 0.5 / total);
            x.push_back(valid[std::size_t(to - 1)].output);
            odds.push_back(std::log(clamped / (1 - clamped)));
            percent.push_back(100 * share);
            weights.push_back(total);
            for (TableBuilder<Variant>* table : { &decileRows, &logOddsRows }) {
                table->set(b, index(DecileColumn::Bucket), b);
                table->set(b, index(DecileColumn::UpperBoundary), x.back());
                table->set(b, index(DecileColumn::LowerBoundary), valid[std::size_t(from)].output);
                table->set(b, index(DecileColumn::Total), total);
            }
            decileRows.set(b, index(DecileColumn::PositivePercent), percent.back());
            decileRows.set(b, index(DecileColumn::NegativePercent), 100 - percent.back());
            logOddsRows.set(b, index(LogOddsColumn::LogOdds), odds.back());
            gainsRows.set(b, index(GainsColumn::Bucket), b);
            gainsRows.set(b, index(GainsColumn::CumulativeRate), rate(cumPositives, n - from));
            gainsRows.set(b, index(GainsColumn::CumulativePositivePercent), 100 * rate(cumPositives, positives));
            gainsRows.set(b, index(GainsColumn::CumulativePopulationPercent), 100 * rate(n - from, n));
            liftRows.set(b, index(LiftColumn::CumulativePopulationPercent), 100 * rate(n - from, n));
            liftRows.set(b, index(LiftColumn::RandomLift), 1.0);
            if (positives > 0) {
                const double overall = rate(positives, n);
                liftRows.set(b, index(LiftColumn::IdealLift), 1 / overall);
                liftRows.set(b, index(LiftColumn::Lift), share / overall);
                liftRows.set(b, index(LiftColumn::CumulativeLift), rate(cumPositives, n - from) / overall);
            }
            // The Wilson 95 % interval of the observed rate.
            const double z = 1.959964, centre = (share + z * z / (2 * total)) / (1 + z * z / total);
            const double half
                = z / (1 + z * z / total) * std::sqrt(share * (1 - share) / total + z * z / (4 * total * total));
            calibrationRows.set(b, index(CalibrationColumn::MeanProbability), meanProbability);
            calibrationRows.set(b, index(CalibrationColumn::ObservedRate), share);
            calibrationRows.set(b, index(CalibrationColumn::WilsonLow), centre - half);
            calibrationRows.set(b, index(CalibrationColumn::WilsonHigh), centre + half);
        }
        logOddsFit = fitLine(x, odds, weights);
        trendFit = fitLine(x, percent, weights);
        for (int b = 1; b <= count; ++b)
            logOddsRows.set(b, index(LogOddsColumn::FittedLogOdds), logOddsFit.at(x[std::size_t(b - 1)]));
        deciles = decileRows.build();
        logOdds = logOddsRows.build();
        gains = gainsRows.build();
        lift = liftRows.build();
        calibration = calibrationRows.build();

        // The logistic curve of the log-odds fit, and the zeros and ones, in ascending output order.
        TableBuilder<double> zerosOnes(0, n - 1, 0, index(ZerosOnesColumn::Last));
        for (int i = 0; i < n; ++i) {
            const double output = valid[std::size_t(i)].output;
            const double logOdds = logOddsFit.slope == kUndefinedFit ? 0 : logOddsFit.at(output);
            curveRows.set(errors + i, index(ProbabilityColumn::Output), output);
            curveRows.set(errors + i, index(ProbabilityColumn::ProbabilityOne), 1 / (1 + std::exp(-logOdds)));
            curveRows.set(errors + i, index(ProbabilityColumn::ProbabilityZero), 1 / (1 + std::exp(logOdds)));
            zerosOnes.set(i, index(ZerosOnesColumn::Level), valid[std::size_t(i)].target);
            zerosOnes.set(i, index(ZerosOnesColumn::Output), output);
            zerosOnes.set(i, index(ZerosOnesColumn::Class), valid[std::size_t(i)].target);
        }
        curve = curveRows.build();
        observations = zerosOnes.build();
    }
};

} // namespace lrv::test
