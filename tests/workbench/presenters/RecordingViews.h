#pragma once

#include "host/CalculateViewInter.h"
#include "host/Listeners.h"
#include "support/Error.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace wb::test {

using lrv::Table;
using lrv::Variant;
using lrv::Vector;

/// A calculation view that records every call by name and keeps what the results carried.
class RecordingCalculateView : public lrv::CalculateViewInter, public lrv::IListener {
public:
    // What the view answers.
    std::int32_t modelId = 1;
    std::int16_t dataSet = 1;
    QString buckets = "4";
    int cancelAtQuery = 0; ///< GetUserCancelled answers true from this call on (1-based); 0: never
    std::string throwIn; ///< the name of a call that throws lrv::Error

    std::vector<std::string> calls;
    std::vector<std::int32_t> progress;
    std::vector<QString> errors, bucketErrors;
    std::shared_ptr<lrv::HostObject> listener;
    std::int32_t totalRows = -1, calculationErrors = -1, invalidatedModel = -1, invalidatedDataSet = -1;
    Table<Variant> decileResults;
    Table<double> roc, probabilities;
    double auc = -1;

    /// The calls without the progress and cancel queries, which come as often as the work needs.
    std::vector<std::string> mainCalls() const
    {
        std::vector<std::string> result;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(result),
            [](const std::string& name) { return name != "NotifyProgress" && name != "GetUserCancelled"; });
        return result;
    }
    int count(const std::string& name) const { return int(std::count(calls.begin(), calls.end(), name)); }

    void SetListener(std::shared_ptr<lrv::HostObject> object) override { record("SetListener"), listener = object; }
    void CurrentModelChanged(std::shared_ptr<lrv::IModel>&) override { record("CurrentModelChanged"); }
    void SetCalculationMode() override { record("SetCalculationMode"); }
    void ClearProperties() override { record("ClearProperties"); }
    void SetCalculationMessage(const QString&) override { record("SetCalculationMessage"); }
    void SetTotalRows(std::int32_t rows) override { record("SetTotalRows"), totalRows = rows; }
    void NotifyProgress(std::int32_t row) override { record("NotifyProgress"), progress.push_back(row); }
    void CalculationCancelled() override { record("CalculationCancelled"); }
    bool GetUserCancelled() override
    {
        return record("GetUserCancelled"), cancelAtQuery > 0 && ++m_queries >= cancelAtQuery;
    }
    std::int32_t GetModelId() override { return record("GetModelId"), modelId; }
    void SetIdleMode() override { record("SetIdleMode"); }
    void SetDecileResults(std::int32_t, const Table<Variant>& t) override
    {
        record("SetDecileResults"), decileResults = t;
    }
    void SetDecileWeightedLinearRegression(double, double, double, bool) override
    {
        record("SetDecileWeightedLinearRegression");
    }
    void SetCalibration(const Table<double>&) override { record("SetCalibration"); }
    void SetUncertaintyStats(const lrv::UncertaintyStats&) override { record("SetUncertaintyStats"); }
    void ShowBucketValueError(const QString& text) override
    {
        record("ShowBucketValueError"), bucketErrors.push_back(text);
    }
    QString GetBuckets() override { return record("GetBuckets"), buckets; }
    void SetBuckets(std::int32_t) override { record("SetBuckets"); }
    std::int16_t GetDataSet() override { return record("GetDataSet"), dataSet; }
    void ShowROC(const Table<double>& t, double value, std::int32_t) override
    {
        record("ShowROC"), roc = t, auc = value;
    }
    void ShowCutoffPoints(const Table<double>&) override { record("ShowCutoffPoints"); }
    void SetLogOddsStats(double, double, double, bool) override { record("SetLogOddsStats"); }
    void SetLogOddsStats2(double, double, double, double, bool) override { record("SetLogOddsStats2"); }
    void ShowSlopeInterceptChart(const Table<Variant>&) override { record("ShowSlopeInterceptChart"); }
    void SetProbabilities(const Table<double>& t) override { record("SetProbabilities"), probabilities = t; }
    void SetZeroOnes(const Table<double>&) override { record("SetZeroOnes"); }
    void SetGainsChart(const Table<Variant>&, double&, double&) override { record("SetGainsChart"); }
    void SetLiftChart(const Table<Variant>&, const Vector<double>&) override { record("SetLiftChart"); }
    void SetConfusionMatrix(const Vector<std::int32_t>&, const Table<std::int32_t>&, const Vector<std::int32_t>&,
        const Table<std::int32_t>&) override
    {
        record("SetConfusionMatrix");
    }
    void SetDecileStats(const Vector<Variant>&) override { record("SetDecileStats"); }
    void SetROCStats(const Vector<Variant>&) override { record("SetROCStats"); }
    void SetConfMatrixStats(const Vector<Variant>&, const Vector<Variant>&) override { record("SetConfMatrixStats"); }
    void InvalidateModelFitness(std::int32_t model, std::int32_t set) override
    {
        record("InvalidateModelFitness"), invalidatedModel = model, invalidatedDataSet = set;
    }
    void SetCalculationErrorsCount(std::int32_t n) override
    {
        record("SetCalculationErrorsCount"), calculationErrors = n;
    }
    void ShowError(const QString& message) override { record("ShowError"), errors.push_back(message); }
    void SetProgressModeValue(std::int32_t) override { record("SetProgressModeValue"); }

private:
    void record(const std::string& name)
    {
        calls.push_back(name);
        if (name == throwIn)
            throw lrv::Error(QString("The view failed in %1.").arg(QString::fromStdString(name)));
    }
    int m_queries = 0;
};

} // namespace wb::test
