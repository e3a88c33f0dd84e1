#pragma once

#include "host/CalculateViewInter.h"
#include "host/DecileLoadViewInter.h"
#include "host/Listeners.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wb::test {

/// A calculation view that records every call by name and keeps what the results carried.
class RecordingCalculateView : public lrv::CalculateViewInter, public lrv::IListener {
public:
    // What the view answers.
    std::int32_t modelId = 1;
    std::int16_t dataSet = 1;
    QString buckets = QStringLiteral("4");
    int cancelAtQuery = 0; ///< GetUserCancelled answers true from this call on (1-based); 0: never
    std::string throwIn; ///< the name of a call that throws lrv::Error

    std::vector<std::string> calls;
    std::vector<std::int32_t> progress;
    std::vector<QString> errors, bucketErrors;
    std::shared_ptr<lrv::HostObject> listener;
    std::int32_t totalRows = -1, interval = -1, calculationErrors = -1, invalidatedModel = -1, invalidatedDataSet = -1;
    lrv::Table<lrv::Variant> decileResults, slopeIntercept, gains, lift;
    lrv::Table<double> roc, cutoff, probabilities, zerosOnes, calibration;
    std::optional<lrv::UncertaintyStats> uncertainty;
    double auc = -1;
    std::int32_t thresholdId = -1;
    bool trendInverted = false, logOddsInverted = false;
    lrv::Vector<lrv::Variant> decileStats, rocStats;
    lrv::Vector<std::int32_t> confMatrix, rocConfMatrix;
    lrv::Table<std::int32_t> perBucket;

    /// The calls without the progress and cancel queries, which come as often as the work needs.
    std::vector<std::string> mainCalls() const;
    int count(const std::string& name) const;

    void SetListener(std::shared_ptr<lrv::HostObject> object) override;
    void CurrentModelChanged(std::shared_ptr<lrv::IModel>& model) override;
    void SetCalculationMode() override;
    void ClearProperties() override;
    void SetCalculationMessage(const QString& message) override;
    void SetTotalRows(std::int32_t rows) override;
    void NotifyProgress(std::int32_t row) override;
    void CalculationCancelled() override;
    bool GetUserCancelled() override;
    std::int32_t GetModelId() override;
    void SetIdleMode() override;
    void SetDecileResults(std::int32_t rows, const lrv::Table<lrv::Variant>& results) override;
    void SetDecileWeightedLinearRegression(double slope, double intercept, double rSquare, bool inverted) override;
    void SetCalibration(const lrv::Table<double>& table) override;
    void SetUncertaintyStats(const lrv::UncertaintyStats& stats) override;
    void ShowBucketValueError(const QString& error) override;
    QString GetBuckets() override;
    void SetBuckets(std::int32_t buckets) override;
    std::int16_t GetDataSet() override;
    void ShowROC(const lrv::Table<double>& results, double auc, std::int32_t thresholdId) override;
    void ShowCutoffPoints(const lrv::Table<double>& points) override;
    void SetLogOddsStats(double slope, double intercept, double rSquare, bool inverted) override;
    void SetLogOddsStats2(double threshold, double slope, double intercept, double rSquare, bool inverted) override;
    void ShowSlopeInterceptChart(const lrv::Table<lrv::Variant>& results) override;
    void SetProbabilities(const lrv::Table<double>& results) override;
    void SetZeroOnes(const lrv::Table<double>& results) override;
    void SetGainsChart(const lrv::Table<lrv::Variant>& results, double& area, double& quality) override;
    void SetLiftChart(const lrv::Table<lrv::Variant>& results, const lrv::Vector<double>& stats) override;
    void SetConfusionMatrix(const lrv::Vector<std::int32_t>& matrix, const lrv::Table<std::int32_t>& perBucket,
        const lrv::Vector<std::int32_t>& rocMatrix, const lrv::Table<std::int32_t>& rocPerBucket) override;
    void SetDecileStats(const lrv::Vector<lrv::Variant>& stats) override;
    void SetROCStats(const lrv::Vector<lrv::Variant>& stats) override;
    void SetConfMatrixStats(const lrv::Vector<lrv::Variant>& stats, const lrv::Vector<lrv::Variant>& rocStats) override;
    void InvalidateModelFitness(std::int32_t modelId, std::int32_t dataSet) override;
    void SetCalculationErrorsCount(std::int32_t count) override;
    void ShowError(const QString& message) override;
    void SetProgressModeValue(std::int32_t value) override;

private:
    void record(const std::string& name);
    int m_queries = 0;
};

/// A load view that records its calls.
class RecordingLoadView : public lrv::DecileLoadViewInter, public lrv::IListener {
public:
    std::vector<std::string> calls;
    std::shared_ptr<lrv::HostObject> listener;
    QStringList texts;
    std::vector<std::int32_t> itemData;
    std::int32_t selectedId = -1, dataSet = -1, buckets = -1;

    void SetListener(std::shared_ptr<lrv::HostObject> object) override;
    void SelectDataSet(std::int32_t value) override;
    void SetBuckets(std::int32_t value) override;
    void SetDecileTable(const lrv::Table<lrv::Variant>& values) override;
    void SetModels(
        const QStringList& texts, const lrv::Vector<std::int32_t>& itemData, std::int32_t selectedId) override;
};

} // namespace wb::test
