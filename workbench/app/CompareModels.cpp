#include "CompareModels.h"

#include "engine/RankedRecords.h"
#include "presenters/DatasetCache.h"
#include "run/Run.h"
#include "support/Error.h"

#include <algorithm>
#include <cmath>

namespace wb {

namespace {

    constexpr int defaultBuckets = 10;
    constexpr std::int32_t maxCurvePoints = 1000;

    int runBuckets(const Run& run)
    {
        const auto& parameters = run.document().parameters;
        const auto found = parameters.find(QStringLiteral("set_lr#Buckets"));
        if (found == parameters.end() || !found->second.value.isNumeric())
            return defaultBuckets;
        return int(found->second.value.toDouble());
    }

    // The ROC and gains curves through the tie groups; every k-th group is kept so that a chart of a large
    // dataset draws at most about maxCurvePoints vertices, always with the last.
    void addCurves(ComparedModel& model, const engine::RankedRecords& ranked)
    {
        const double positives = ranked.positives(), negatives = ranked.negatives(), n = ranked.size();
        const std::int32_t groups = ranked.groups();
        const std::int32_t step = std::max<std::int32_t>(1, (groups + maxCurvePoints - 1) / maxCurvePoints);
        model.roc = { QPointF(0, 0) };
        model.gains = { QPointF(0, 0) };
        for (std::int32_t g = 0; g < groups; ++g) {
            if (g % step != 0 && g != groups - 1)
                continue;
            const double tp = ranked.groupPositives(g), predicted = ranked.groupEnd(g);
            model.roc.emplace_back((predicted - tp) / negatives, tp / positives);
            model.gains.emplace_back(predicted / n, tp / positives);
        }
    }

    struct Subset {
        std::vector<std::int32_t> ids;
        std::vector<std::uint8_t> classes;
        std::vector<std::vector<double>> outputs;
    };

    // The records where every model has an output.
    Subset commonRecords(const engine::Dataset& dataset)
    {
        Subset subset;
        subset.outputs.resize(dataset.outputs.size());
        for (std::size_t i = 0; i < dataset.size(); ++i) {
            const bool everyOutput = std::all_of(dataset.outputs.begin(), dataset.outputs.end(),
                [i](const std::vector<double>& column) { return std::isfinite(column[i]); });
            if (!everyOutput)
                continue;
            subset.ids.push_back(dataset.ids[i]);
            subset.classes.push_back(dataset.classes[i]);
            for (std::size_t m = 0; m < dataset.outputs.size(); ++m)
                subset.outputs[m].push_back(dataset.outputs[m][i]);
        }
        return subset;
    }

} // namespace

ModelComparison compareModels(const Run& run, int dataSet, std::optional<int> buckets)
{
    const auto& models = run.document().models;
    if (models.empty())
        throw lrv::Error(QStringLiteral("The run %1 has no models to compare.").arg(run.filePath()));
    const std::shared_ptr<const engine::Dataset> dataset = DatasetCache::get(run, dataSet);

    ModelComparison comparison;
    comparison.dataSetName = dataSet == 2 ? QStringLiteral("validation") : QStringLiteral("training");
    comparison.records = std::int64_t(dataset->size());
    const Subset subset = commonRecords(*dataset);
    comparison.compared = std::int64_t(subset.ids.size());
    if (comparison.compared < 2)
        throw lrv::Error(QStringLiteral("Only %1 of the %2 records of the %3 dataset have an output from every model; "
                                        "a comparison needs at least 2. Check the models' output columns.")
                             .arg(comparison.compared)
                             .arg(comparison.records)
                             .arg(comparison.dataSetName));
    comparison.buckets = int(std::clamp<std::int64_t>(
        buckets.value_or(runBuckets(run)), 2, std::min<std::int64_t>(1000, comparison.compared)));

    std::vector<engine::DelongPlacements> placements;
    for (std::size_t m = 0; m < models.size(); ++m) {
        const engine::ScoredRecords scored { subset.ids.data(), subset.classes.data(), subset.outputs[m].data(),
            subset.ids.size(), dataset->inverted, {} };
        ComparedModel model;
        model.id = models[m].id;
        model.name = models[m].name.isEmpty() ? models[m].outputColumn : models[m].name;
        engine::Analysis analysis;
        try {
            analysis = engine::analyse(scored, comparison.buckets);
        } catch (const engine::CalculationError& error) {
            throw engine::CalculationError(QStringLiteral("Model %1 (%2) on the %3 records of the %4 dataset "
                                                          "where every model has an output: %5")
                                               .arg(model.id)
                                               .arg(model.name)
                                               .arg(comparison.compared)
                                               .arg(comparison.dataSetName, QString::fromUtf8(error.what()))
                                               .toStdString());
        }
        model.uncertainty = engine::assessUncertainty(analysis);
        model.youdenCutoff = lrv::at(analysis.rocStats, lrv::RocStat::Cutoff);
        model.accuracy = lrv::at(analysis.rocMatrixStats, lrv::MatrixStat::Accuracy);
        model.errors = std::count_if(dataset->outputs[m].begin(), dataset->outputs[m].end(),
            [](double output) { return !std::isfinite(output); });
        addCurves(model, *analysis.ranked);
        comparison.models.push_back(std::move(model));
        placements.push_back(engine::delongPlacements(scored));
    }
    for (std::size_t a = 0; a < models.size(); ++a)
        for (std::size_t b = a + 1; b < models.size(); ++b)
            comparison.pairs.push_back({ int(a), int(b), engine::delongPairedTest(placements[a], placements[b]) });
    return comparison;
}

} // namespace wb
