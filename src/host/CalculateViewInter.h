#pragma once

#include "host/ChosenCutoff.h"
#include "host/IModel.h"
#include "host/UncertaintyFigures.h"
#include "support/Table.h"
#include "support/Variant.h"

#include <cstdint>
#include <memory>

#include <QString>

namespace lrv {

/// The view a calculation presenter drives during a calculation, in the order of the interface.
/// The array layouts are those of docs/data-contract.md.
class CalculateViewInter {
public:
    /// The stretches of a long calculation that a view may tell its user apart.
    enum class Phase { Reading, Calculating, Delivering };

    virtual ~CalculateViewInter() = default;

    virtual void CurrentModelChanged(std::shared_ptr<IModel>& model) = 0;
    virtual void SetCalculationMode() = 0;
    virtual void ClearProperties() = 0;
    /// A progress text with "{0}" where the count goes.
    virtual void SetCalculationMessage(const QString& message) = 0;
    virtual void SetTotalRows(std::int32_t totalRows) = 0;
    virtual void NotifyProgress(std::int32_t currentRow) = 0;
    virtual void CalculationCancelled() = 0;
    virtual bool GetUserCancelled() = 0;
    virtual std::int32_t GetModelId() = 0;
    virtual void SetIdleMode() = 0;
    virtual void SetDecileResults(std::int32_t calculatedRows, const Table<Variant>& results) = 0;
    virtual void SetDecileWeightedLinearRegression(double slope, double intercept, double rSquare, bool inverted) = 0;
    virtual void ShowBucketValueError(const QString& error) = 0;
    /// The buckets text as typed.
    virtual QString GetBuckets() = 0;
    virtual void SetBuckets(std::int32_t buckets) = 0;
    /// 1 training, 2 validation.
    virtual std::int16_t GetDataSet() = 0;
    virtual void ShowROC(const Table<double>& rocResults, double auc, std::int32_t thresholdId) = 0;
    virtual void ShowCutoffPoints(const Table<double>& cutoffPoints) = 0;
    virtual void SetLogOddsStats(double slope, double intercept, double rSquare, bool isInverted) = 0;
    virtual void SetLogOddsStats2(
        double roundingThreshold, double slope, double intercept, double rSquare, bool isInverted)
        = 0;
    virtual void ShowSlopeInterceptChart(const Table<Variant>& results) = 0;
    virtual void SetProbabilities(const Table<double>& results) = 0;
    virtual void SetZeroOnes(const Table<double>& results) = 0;
    virtual void SetGainsChart(const Table<Variant>& results, double& aucGain, double& rankingQuality) = 0;
    virtual void SetLiftChart(const Table<Variant>& results, const Vector<double>& stats) = 0;
    /// Counts [TP, TN, FP, FN] and per-bucket series at the logistic cutoff, then at the ROC cutoff.
    virtual void SetConfusionMatrix(const Vector<std::int32_t>& confMatrix, const Table<std::int32_t>& perBucket,
        const Vector<std::int32_t>& rocConfMatrix, const Table<std::int32_t>& rocPerBucket)
        = 0;
    virtual void SetDecileStats(const Vector<Variant>& stats) = 0;
    virtual void SetROCStats(const Vector<Variant>& stats) = 0;
    virtual void SetConfMatrixStats(const Vector<Variant>& stats, const Vector<Variant>& rocStats) = 0;
    virtual void InvalidateModelFitness(std::int32_t modelId, std::int32_t dataSet) = 0;
    virtual void SetCalculationErrorsCount(std::int32_t count) = 0;
    virtual void ShowError(const QString& message) = 0;
    virtual void SetProgressModeValue(std::int32_t value) = 0;
    /// Says which stretch of the calculation runs now; between its progress steps the host asks
    /// GetUserCancelled. A host that never calls it leaves the view in its calculating mode.
    virtual void SetCalculationPhase(Phase) { }
    /// Per bucket the observed positive rate, the mean predicted probability and the rate's Wilson interval
    /// (columns: CalibrationColumn), after SetDecileResults. A host that cannot tell leaves it out.
    virtual void SetCalibration(const Table<double>&) { }
    /// The AUC's interval, Gini, KS, Brier score, log loss and the Hosmer–Lemeshow test. A host that cannot
    /// tell leaves it out.
    virtual void SetUncertaintyStats(const UncertaintyStats&) { }
    /// The chosen cutoff of the model and dataset, delivered last; the presenter then answers
    /// ICutoffListener. A host that never calls it leaves the views without a chosen cutoff.
    virtual void SetChosenCutoff(const ChosenCutoffFigures&) { }
    /// Why this calculation offers no chosen cutoff (its records are not kept, or the kept rule cannot be met).
    virtual void ShowChosenCutoffNotice(const QString&) { }
};

} // namespace lrv
