#include "presenters/CalculatePresenter.h"

#include "engine/Analysis.h"
#include "engine/Dataset.h"
#include "engine/Uncertainty.h"
#include "presenters/CutoffChooser.h"
#include "presenters/EngineTables.h"
#include "presenters/ScoredSource.h"
#include "presenters/UncertaintyTables.h"
#include "presenters/WorkAside.h"
#include "run/Run.h"
#include "support/Error.h"

#include <chrono>
#include <cmath>
#include <functional>
#include <optional>

#include <QCoreApplication>

namespace wb {

namespace {
    /// How often the view hears of the work running aside; each report lets the window process its events.
    constexpr auto progressSpacing = std::chrono::milliseconds(30);

    QString dataSetName(int dataSet)
    {
        return dataSet == 2 ? QStringLiteral("validation") : QStringLiteral("training");
    }

    template <std::size_t N> lrv::Vector<lrv::Variant> variants(const std::array<double, N>& values)
    {
        return lrv::Vector<lrv::Variant>(0, std::vector<lrv::Variant>(values.begin(), values.end()));
    }

    lrv::Table<std::int32_t> perBucketTable(const std::vector<engine::OutcomeCounts>& rows)
    {
        std::vector<std::int32_t> cells;
        cells.reserve(rows.size() * lrv::kCountOf<lrv::Outcome>);
        for (const auto& row : rows)
            cells.insert(cells.end(), row.begin(), row.end());
        return lrv::Table<std::int32_t>::stored(
            0, int(rows.size()) - 1, 0, lrv::index(lrv::Outcome::Last), std::move(cells));
    }

    lrv::Vector<std::int32_t> counts(const engine::OutcomeCounts& values)
    {
        return lrv::Vector<std::int32_t>(0, std::vector<std::int32_t>(values.begin(), values.end()));
    }

    /// The analysis and, when its records are ranked in memory, how sure and how calibrated it is.
    struct Calculated {
        engine::Analysis analysis;
        std::optional<engine::Uncertainty> uncertainty;
    };

    /// Hands the results to the view, one receiver at a time; between them the view's events run and a
    /// cancel stops the delivery (between(): false to stop).
    void deliver(lrv::CalculateViewInter& view, const Calculated& calculated, std::int32_t modelId, int dataSet,
        const std::function<bool()>& between)
    {
        const engine::Analysis& a = calculated.analysis;
        const auto step = [&](auto&& call) {
            call();
            if (!between())
                throw engine::CalculationCancelled();
        };
        // The receivers need this order: the trend line before the decile table, the logistic cutoff before
        // the slope chart and the confusion-matrix statistics.
        step([&] { view.SetDecileStats(variants(a.decileStats)); });
        step([&] {
            view.SetDecileWeightedLinearRegression(a.trendSlope, a.trendIntercept, a.trendRSquare, a.inverted);
        });
        step([&] { view.SetDecileResults(a.validRecords, EngineTables::variants(a.decileResults)); });
        const engine::Uncertainty* uncertainty = calculated.uncertainty ? &*calculated.uncertainty : nullptr;
        step([&] { view.SetCalibration(UncertaintyTables::calibration(a, uncertainty)); });
        if (uncertainty)
            step([&] { view.SetUncertaintyStats(UncertaintyTables::stats(*uncertainty)); });
        step([&] { view.ShowROC(EngineTables::perRecord(a.rocResults, a.idTexts), a.auc, a.thresholdId); });
        step([&] { view.SetROCStats(variants(a.rocStats)); });
        step([&] { view.ShowCutoffPoints(EngineTables::doubles(a.cutoffPoints)); });
        step([&] {
            view.SetLogOddsStats2(a.logisticCutoff, a.logOddsSlope, a.logOddsIntercept, a.logOddsRSquare, a.inverted);
        });
        step([&] { view.ShowSlopeInterceptChart(EngineTables::variants(a.slopeIntercept)); });
        step([&] { view.SetProbabilities(EngineTables::perRecord(a.probabilities, a.idTexts)); });
        step([&] { view.SetZeroOnes(EngineTables::doubles(a.zerosOnes)); });
        step([&] {
            double gainsArea = a.gainsArea;
            double rankingQuality = a.gainsRankingQuality;
            view.SetGainsChart(EngineTables::variants(a.gains), gainsArea, rankingQuality);
        });
        step([&] {
            view.SetLiftChart(EngineTables::variants(a.lift),
                lrv::Vector<double>(0, std::vector<double>(a.liftStats.begin(), a.liftStats.end())));
        });
        step([&] {
            view.SetConfusionMatrix(counts(a.logisticCounts), perBucketTable(a.logisticPerBucket), counts(a.rocCounts),
                perBucketTable(a.rocPerBucket));
        });
        step([&] { view.SetConfMatrixStats(variants(a.logisticMatrixStats), variants(a.rocMatrixStats)); });
        view.SetCalculationErrorsCount(a.calculationErrors);
        if (a.calculationErrors > 0)
            view.InvalidateModelFitness(modelId, dataSet);
    }
}

void CalculatePresenter::Init(lrv::CalculateViewInter& view, std::shared_ptr<lrv::IRun>& run)
{
    m_view = &view;
    m_run = run;
    if (auto* listener = dynamic_cast<lrv::IListener*>(&view))
        listener->SetListener(shared_from_this());
}

void CalculatePresenter::Terminate(bool)
{
    m_view = nullptr;
    m_run.reset();
    // The chosen cutoff answers the window's moves until the window lets this presenter go.
}

lrv::ChosenCutoffFigures CalculatePresenter::ChooseCutoff(const QString& rule)
{
    if (!m_chooser)
        throw lrv::Error(QStringLiteral("There is no analysis to choose a cutoff from: calculate it first."));
    return m_chooser->choose(rule);
}

void CalculatePresenter::deliverChosenCutoff(lrv::CalculateViewInter& view, const engine::Analysis& analysis,
    const std::shared_ptr<const Run>& run, std::int32_t modelId, int dataSet)
{
    m_chooser.reset();
    auto chooser = std::make_shared<CutoffChooser>(analysis, run->parameterList(), modelId, dataSet);
    const QString kept = chooser->keptRule();
    try {
        view.SetChosenCutoff(chooser->figures(kept));
    } catch (const lrv::Error& error) {
        // A rule kept for other records (a changed dataset) may not be met by these: Youden's stands in.
        view.SetChosenCutoff(chooser->figures(QStringLiteral("youden")));
        view.ShowChosenCutoffNotice(QStringLiteral("The kept cutoff rule \"%1\" cannot be met here, so the Youden "
                                                   "cutoff is shown. %2")
                                        .arg(kept, error.message()));
    }
    m_chooser = std::move(chooser);
}

void CalculatePresenter::Calculate()
{
    if (!m_view)
        return;
    lrv::CalculateViewInter& view = *m_view;
    try {
        const auto run = std::dynamic_pointer_cast<const Run>(m_run);
        if (!run)
            throw lrv::Error(QStringLiteral("There is no workbench run to calculate: open a run file first."));
        calculate(view, run);
    } catch (const std::exception& error) {
        // A failure outside the calculating mode (a view call that failed); say it, never throw to the window.
        lrv::bestEffort([&] { view.ShowError(QString::fromUtf8(error.what())); });
    }
}

void CalculatePresenter::calculate(lrv::CalculateViewInter& view, const std::shared_ptr<const Run>& run)
{
    const std::int32_t modelId = view.GetModelId();
    const int dataSet = view.GetDataSet();
    const std::string bucketsText = view.GetBuckets().toStdString();

    // The range check needs no data; the check against the number of records comes once they are read.
    try {
        engine::parseBuckets(bucketsText, std::numeric_limits<std::int64_t>::max());
    } catch (const engine::CalculationError& error) {
        view.ShowBucketValueError(QString::fromUtf8(error.what()));
        return;
    }

    const auto models = run->modelList();
    const std::shared_ptr<Model> model = models->find(modelId);
    if (!model) {
        view.ShowError(QStringLiteral("The run has no model with id %1: choose another model.").arg(modelId));
        return;
    }
    if (dataSet != 1 && dataSet != 2) {
        view.ShowError(QStringLiteral("Dataset %1 does not exist: choose training or validation.").arg(dataSet));
        return;
    }
    if (!run->dataSetAt(dataSet)) {
        view.ShowError(
            QStringLiteral("The run has no %1 dataset: choose the training dataset.").arg(dataSetName(dataSet)));
        return;
    }

    // Between progress steps the view lets its events run; the user may cancel there.
    const auto goOn = [&view] { return !view.GetUserCancelled(); };

    std::shared_ptr<ScoredSource> source;
    try {
        // Reading a large CSV file or asking a database takes seconds: it runs aside while the window goes on
        // painting.
        view.SetCalculationPhase(lrv::CalculateViewInter::Phase::Reading);
        auto opened = runAside<std::shared_ptr<ScoredSource>>(
            [run, dataSet, model](const std::atomic<bool>&) {
                std::shared_ptr<ScoredSource> opened = ScoredSource::open(*run, dataSet, *model);
                // The window asks for the count when it enters calculating mode; counted here, it is kept.
                run->dataSetAt(dataSet)->count();
                return opened;
            },
            [&] {
                view.NotifyProgress(0);
                return goOn();
            },
            progressSpacing);
        if (!opened) {
            view.CalculationCancelled();
            return;
        }
        source = std::move(*opened);
    } catch (const engine::InputError& error) {
        view.ShowError(QString::fromUtf8(error.what()));
        return;
    }
    const std::int64_t valid = source->validRecords(), positives = source->positives();
    const QString where = QStringLiteral("model %1 in the %2 dataset").arg(modelId).arg(dataSetName(dataSet));
    if (valid == 0) {
        view.ShowError(QStringLiteral("There is nothing to analyse for %1: every output is empty or not a number. "
                                      "Check the column \"%2\" of %3.")
                           .arg(where, model->outputColumn(), source->location()));
        return;
    }
    if (positives == 0 || positives == valid) {
        view.ShowError(QStringLiteral("There is nothing to analyse for %1: all %2 records with a valid output are of "
                                      "class %3, and the analysis needs both classes. Check the class encoding.")
                           .arg(where)
                           .arg(valid)
                           .arg(positives == 0 ? 0 : 1));
        return;
    }

    int buckets = 0;
    try {
        buckets = engine::parseBuckets(bucketsText, valid);
    } catch (const engine::CalculationError& error) {
        view.ShowBucketValueError(QString::fromUtf8(error.what()));
        return;
    }

    std::shared_ptr<lrv::IModel> current = model;
    // The calculated model becomes the run's current one, as the host would have it.
    for (int i = 0; i < models->count(); ++i)
        if (models->model(i)->id() == modelId)
            models->setCurrentIndex(i);

    view.CurrentModelChanged(current);
    try {
        // Inside the try: a view that fails half way into calculating mode still gets idle mode back.
        view.SetCalculationMode();
        const auto n = std::int32_t(valid);
        const std::int32_t interval = std::max<std::int32_t>(1, n / 200);
        view.ClearProperties();
        view.SetCalculationMessage(QStringLiteral("Calculating model %1: record {0} of %2").arg(modelId).arg(n));
        view.SetTotalRows(n);
        view.SetProgressModeValue(interval);

        // Reports a record count the view shows (a multiple of its interval) and asks whether to stop.
        auto report = [&](std::int64_t row) {
            auto shown = std::int32_t(std::clamp<std::int64_t>(row, 0, n));
            view.NotifyProgress(shown - shown % interval);
            return goOn();
        };
        if (!report(0))
            throw engine::CalculationCancelled();

        view.SetCalculationPhase(lrv::CalculateViewInter::Phase::Calculating);
        auto done = std::make_shared<std::atomic<std::int64_t>>(0);
        auto analysis = runAside<Calculated>(
            [source, buckets, n, done](const std::atomic<bool>& stop) {
                Calculated calculated { source->analyse(buckets,
                                            [&](std::int64_t part, std::int64_t total) {
                                                done->store(total > 0 ? part * n / total : 0);
                                                return !stop.load();
                                            }),
                    {} };
                // A database keeps its records: the figures that need every record ranked are left out.
                if (calculated.analysis.ranked)
                    calculated.uncertainty = engine::assessUncertainty(calculated.analysis);
                return calculated;
            },
            [&] { return report(done->load()); }, progressSpacing);
        if (!analysis || !report(n))
            throw engine::CalculationCancelled();
        view.SetCalculationPhase(lrv::CalculateViewInter::Phase::Delivering);
        deliver(view, *analysis, modelId, dataSet, [&] { return report(n); });
        deliverChosenCutoff(view, analysis->analysis, run, modelId, dataSet);
    } catch (const engine::CalculationCancelled&) {
        lrv::bestEffort([&] { view.CalculationCancelled(); });
    } catch (const std::exception& error) {
        lrv::bestEffort([&] { view.ShowError(QString::fromUtf8(error.what())); });
    }
    view.SetIdleMode();
}

} // namespace wb
