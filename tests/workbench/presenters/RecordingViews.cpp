#include "RecordingViews.h"

#include "support/Error.h"

#include <algorithm>

namespace wb::test {

void RecordingCalculateView::record(const std::string& name)
{
    calls.push_back(name);
    if (name == throwIn)
        throw lrv::Error(QStringLiteral("The view failed in %1.").arg(QString::fromStdString(name)));
}

std::vector<std::string> RecordingCalculateView::mainCalls() const
{
    std::vector<std::string> result;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(result),
        [](const std::string& name) { return name != "NotifyProgress" && name != "GetUserCancelled"; });
    return result;
}

int RecordingCalculateView::count(const std::string& name) const
{
    return int(std::count(calls.begin(), calls.end(), name));
}

void RecordingCalculateView::SetListener(std::shared_ptr<lrv::HostObject> object)
{
    record("SetListener");
    listener = std::move(object);
}
void RecordingCalculateView::CurrentModelChanged(std::shared_ptr<lrv::IModel>&) { record("CurrentModelChanged"); }
void RecordingCalculateView::SetCalculationMode() { record("SetCalculationMode"); }
void RecordingCalculateView::ClearProperties() { record("ClearProperties"); }
void RecordingCalculateView::SetCalculationMessage(const QString&) { record("SetCalculationMessage"); }
void RecordingCalculateView::SetTotalRows(std::int32_t rows)
{
    record("SetTotalRows");
    totalRows = rows;
}
void RecordingCalculateView::NotifyProgress(std::int32_t row)
{
    record("NotifyProgress");
    progress.push_back(row);
}
void RecordingCalculateView::CalculationCancelled() { record("CalculationCancelled"); }
bool RecordingCalculateView::GetUserCancelled()
{
    record("GetUserCancelled");
    ++m_queries;
    return cancelAtQuery > 0 && m_queries >= cancelAtQuery;
}
std::int32_t RecordingCalculateView::GetModelId()
{
    record("GetModelId");
    return modelId;
}
void RecordingCalculateView::SetIdleMode() { record("SetIdleMode"); }
void RecordingCalculateView::SetDecileResults(std::int32_t, const lrv::Table<lrv::Variant>& results)
{
    record("SetDecileResults");
    decileResults = results;
}
void RecordingCalculateView::SetCalibration(const lrv::Table<double>& table)
{
    record("SetCalibration");
    calibration = table;
}
void RecordingCalculateView::SetUncertaintyStats(const lrv::UncertaintyStats& stats)
{
    record("SetUncertaintyStats");
    uncertainty = stats;
}
void RecordingCalculateView::SetDecileWeightedLinearRegression(double, double, double, bool inverted)
{
    record("SetDecileWeightedLinearRegression");
    trendInverted = inverted;
}
void RecordingCalculateView::ShowBucketValueError(const QString& error)
{
    record("ShowBucketValueError");
    bucketErrors.push_back(error);
}
QString RecordingCalculateView::GetBuckets()
{
    record("GetBuckets");
    return buckets;
}
void RecordingCalculateView::SetBuckets(std::int32_t) { record("SetBuckets"); }
std::int16_t RecordingCalculateView::GetDataSet()
{
    record("GetDataSet");
    return dataSet;
}
void RecordingCalculateView::ShowROC(const lrv::Table<double>& results, double value, std::int32_t threshold)
{
    record("ShowROC");
    roc = results;
    auc = value;
    thresholdId = threshold;
}
void RecordingCalculateView::ShowCutoffPoints(const lrv::Table<double>& points)
{
    record("ShowCutoffPoints");
    cutoff = points;
}
void RecordingCalculateView::SetLogOddsStats(double, double, double, bool) { record("SetLogOddsStats"); }
void RecordingCalculateView::SetLogOddsStats2(double, double, double, double, bool inverted)
{
    record("SetLogOddsStats2");
    logOddsInverted = inverted;
}
void RecordingCalculateView::ShowSlopeInterceptChart(const lrv::Table<lrv::Variant>& results)
{
    record("ShowSlopeInterceptChart");
    slopeIntercept = results;
}
void RecordingCalculateView::SetProbabilities(const lrv::Table<double>& results)
{
    record("SetProbabilities");
    probabilities = results;
}
void RecordingCalculateView::SetZeroOnes(const lrv::Table<double>& results)
{
    record("SetZeroOnes");
    zerosOnes = results;
}
void RecordingCalculateView::SetGainsChart(const lrv::Table<lrv::Variant>& results, double&, double&)
{
    record("SetGainsChart");
    gains = results;
}
void RecordingCalculateView::SetLiftChart(const lrv::Table<lrv::Variant>& results, const lrv::Vector<double>&)
{
    record("SetLiftChart");
    lift = results;
}
void RecordingCalculateView::SetConfusionMatrix(const lrv::Vector<std::int32_t>& matrix,
    const lrv::Table<std::int32_t>& buckets, const lrv::Vector<std::int32_t>& rocMatrix,
    const lrv::Table<std::int32_t>&)
{
    record("SetConfusionMatrix");
    confMatrix = matrix;
    rocConfMatrix = rocMatrix;
    perBucket = buckets;
}
void RecordingCalculateView::SetDecileStats(const lrv::Vector<lrv::Variant>& stats)
{
    record("SetDecileStats");
    decileStats = stats;
}
void RecordingCalculateView::SetROCStats(const lrv::Vector<lrv::Variant>& stats)
{
    record("SetROCStats");
    rocStats = stats;
}
void RecordingCalculateView::SetConfMatrixStats(const lrv::Vector<lrv::Variant>&, const lrv::Vector<lrv::Variant>&)
{
    record("SetConfMatrixStats");
}
void RecordingCalculateView::InvalidateModelFitness(std::int32_t model, std::int32_t set)
{
    record("InvalidateModelFitness");
    invalidatedModel = model;
    invalidatedDataSet = set;
}
void RecordingCalculateView::SetCalculationErrorsCount(std::int32_t count)
{
    record("SetCalculationErrorsCount");
    calculationErrors = count;
}
void RecordingCalculateView::ShowError(const QString& message)
{
    record("ShowError");
    errors.push_back(message);
}
void RecordingCalculateView::SetProgressModeValue(std::int32_t value)
{
    record("SetProgressModeValue");
    interval = value;
}

void RecordingLoadView::SetListener(std::shared_ptr<lrv::HostObject> object)
{
    calls.push_back("SetListener");
    listener = std::move(object);
}
void RecordingLoadView::SelectDataSet(std::int32_t value)
{
    calls.push_back("SelectDataSet");
    dataSet = value;
}
void RecordingLoadView::SetBuckets(std::int32_t value)
{
    calls.push_back("SetBuckets");
    buckets = value;
}
void RecordingLoadView::SetDecileTable(const lrv::Table<lrv::Variant>&) { calls.push_back("SetDecileTable"); }
void RecordingLoadView::SetModels(const QStringList& list, const lrv::Vector<std::int32_t>& data, std::int32_t selected)
{
    calls.push_back("SetModels");
    texts = list;
    itemData = data.values();
    selectedId = selected;
}

} // namespace wb::test
