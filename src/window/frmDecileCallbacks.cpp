// The view interfaces through which the host core fills the analysis window.
#include "charts/ChartInterfaces.h"
#include "charts/ChartsHelper.h"
#include "host/HostConfiguration.h"
#include "host/ResultLayout.h"
#include "reports/ConfMatrixReport.h"
#include "reports/CutoffReport.h"
#include "reports/IDataReport.h"
#include "reports/PropertyGridAdapter.h"
#include "reports/ReportGrid.h"
#include "reports/ReportTexts.h"
#include "support/Error.h"
#include "support/NumberText.h"
#include "support/UserPromptLib.h"
#include "window/AnalysisTabs.h"
#include "window/ChartAdapter.h"
#include "window/ChosenCutoffLink.h"
#include "window/HelpControl.h"
#include "window/frmDecile.h"

#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace lrv {

namespace {
    /// A curve of more points than a screen has pixels looks the same thinned, and a per-record curve of ten
    /// million points would hold the window for seconds at every drawing.
    constexpr int kRocCurvePoints = 20000;

    template <typename Interface> Interface* as(QWidget* control) { return dynamic_cast<Interface*>(control); }

    QString formatted(double value) { return roundedText8(value); }
}

void frmDecile::SetListener(std::shared_ptr<HostObject> listener)
{
    if (std::dynamic_pointer_cast<ILoadListener>(listener))
        m_loadListener = listener;
    else if (std::dynamic_pointer_cast<ICalculateListener>(listener)) {
        m_calculateListener = listener;
        m_chosenCutoff->setListener(std::dynamic_pointer_cast<ICutoffListener>(listener));
    } else if (std::dynamic_pointer_cast<IModelChangedListener>(listener))
        m_modelChangedListener = listener;
}

// DecileLoadViewInter

void frmDecile::SelectDataSet(std::int32_t dataSet) { cmbDataset->setCurrentIndex(dataSet - 1); }

void frmDecile::SetBuckets(std::int32_t buckets)
{
    // Serves the load presenter (while loading) and the calculation presenter alike.
    const bool wasLoading = m_loading;
    m_loading = true;
    showBuckets(buckets);
    writeRunParameter(QStringLiteral("set_lr#Buckets"), buckets);
    m_loading = wasLoading;
}

void frmDecile::SetDecileTable(const Table<Variant>&) { reports().quantiles.Init(rcDecile); }

void frmDecile::SetModels(const QStringList& texts, const Vector<std::int32_t>& itemData, std::int32_t selectedId)
{
    cmbModels->clear();
    int selected = -1;
    for (int i = 0; i < texts.size(); ++i) {
        const std::int32_t id = itemData.contains(itemData.low() + i) ? itemData.at(itemData.low() + i) : 0;
        cmbModels->addItem(texts[i], id);
        if (id == selectedId)
            selected = i;
    }
    // Without a matching id no entry is selected (a combo box selects its first entry by itself).
    cmbModels->setCurrentIndex(selected);
}

// ModelChangedViewInter

void frmDecile::SetModelBuckets(std::int32_t buckets)
{
    showBuckets(buckets);
    writeRunParameter(QStringLiteral("set_lr#Buckets"), buckets);
    Recalculate();
}

// CalculateViewInter

void frmDecile::CurrentModelChanged(std::shared_ptr<IModel>& model)
{
    if (m_statsAdapter)
        m_statsAdapter->SetModelStats(model);
}

void frmDecile::SetCalculationMode()
{
    bool large = false;
    if (m_run) {
        const int dataSet = GetDataSet();
        const auto set = m_run->dataSet(dataSet);
        large = double(set ? set->count() : 0) * sampledRecords(dataSet) > 30000;
    }
    m_largeCalculation = large;
    enterState(WindowState::Calculating);
    lblProgress->setText(QStringLiteral("Calculating..."));
    pBar->setValue(pBar->minimum());
    QCoreApplication::processEvents();
}

void frmDecile::SetCalculationPhase(Phase phase)
{
    if (!m_inCalculation)
        return;
    switch (phase) {
    case Phase::Reading:
        // The dataset's count is not known before it is read: the sampled records stand in for it.
        m_largeCalculation = double(sampledRecords(GetDataSet())) * sampledRecords(GetDataSet()) > 30000;
        enterState(WindowState::Reading);
        m_progressMessage = cmbDataset->currentIndex() == 1 ? QStringLiteral("Reading the validation data...")
                                                            : QStringLiteral("Reading the training data...");
        lblProgress->setText(m_progressMessage);
        pBar->setRange(0, 0); // how far the reading is, nobody knows
        break;
    case Phase::Calculating:
        enterState(WindowState::Calculating);
        break;
    case Phase::Delivering:
        enterState(WindowState::Delivering);
        m_progressMessage = QStringLiteral("Showing the results...");
        lblProgress->setText(m_progressMessage);
        break;
    }
    QCoreApplication::processEvents();
}

void frmDecile::ClearProperties()
{
    if (m_statsAdapter)
        m_statsAdapter->Reset();
}

void frmDecile::SetCalculationMessage(const QString& message)
{
    m_progressMessage = message;
    lblProgress->setText(QString(message).replace(QStringLiteral("{0}"), QStringLiteral("1")));
}

void frmDecile::SetTotalRows(std::int32_t totalRows) { pBar->setMaximum(totalRows); }

void frmDecile::NotifyProgress(std::int32_t currentRow)
{
    if (m_progressInterval < 1)
        throw Error(QStringLiteral("The progress interval must be at least 1."));
    if (currentRow % m_progressInterval != 0)
        return;
    lblProgress->setText(QString(m_progressMessage).replace(QStringLiteral("{0}"), QString::number(currentRow)));
    pBar->setValue(std::min(currentRow, pBar->maximum()));
    // This is when the user can press the stop button.
    QCoreApplication::processEvents();
}

void frmDecile::CalculationCancelled()
{
    m_calculationFailed = true;
    ResetViews();
}

bool frmDecile::GetUserCancelled() { return m_userCancelled; }

std::int32_t frmDecile::GetModelId() { return cmbModels->currentData().toInt(); }

void frmDecile::SetIdleMode()
{
    // Inside a calculation the window settles its state when the host core returns.
    if (!m_inCalculation)
        enterState(m_calculationFailed ? WindowState::Failed : WindowState::Idle);
    picProgress->hide();
    lblProgress->clear();
}

void frmDecile::SetDecileResults(std::int32_t, const Table<Variant>& results)
{
    reports().quantiles.SetDataSourceVar(results);
    ChartAdapter adapter;
    adapter.DrawDeciles(as<IVariantTableChart>(chQuantile), results);
    adapter.DrawTrendLine(as<IVariantTableChart>(trendChart), results);
}

void frmDecile::SetDecileWeightedLinearRegression(double slope, double intercept, double rSquare, bool inverted)
{
    if (auto* trend = as<IEquationChart>(trendChart))
        trend->SetEquationValues(slope, intercept, rSquare, inverted);
    if (m_statsAdapter)
        m_statsAdapter->SetWeightedLinearRegression(slope, intercept, rSquare);
}

void frmDecile::SetCalibration(const Table<double>& calibration)
{
    if (auto* quantiles = as<IRateIntervalChart>(chQuantile))
        quantiles->SetCalibration(calibration);
    if (auto* chart = as<IDoubleTableChart>(chCalibration)) {
        chart->SetDataSource(calibration);
        chart->Refresh();
    }
    AnalysisReports& all = reports();
    all.quantiles.SetCalibration(calibration);
    all.calibration.SetDataSourceDbl(calibration);
}

void frmDecile::SetUncertaintyStats(const UncertaintyStats& stats)
{
    if (m_statsAdapter)
        m_statsAdapter->SetUncertaintyStats(stats);
}

void frmDecile::ShowBucketValueError(const QString& error)
{
    m_calculationFailed = m_calculationFailed || m_inCalculation;
    UserPromptLib::ShowInfoPrompt(error, this);
}

QString frmDecile::GetBuckets() { return cmbBuckets->currentText(); }

std::int16_t frmDecile::GetDataSet() { return std::int16_t(cmbDataset->currentIndex() + 1); }

void frmDecile::ShowROC(const Table<double>& rocResults, double auc, std::int32_t thresholdId)
{
    ChartAdapter adapter;
    adapter.DrawROC(as<IDoubleTableChart>(rcChart), rocResults, kRocCurvePoints);
    if (auto* roc = as<IRocChart>(rcChart))
        roc->SetAUC(auc);
    lblAUC->setText(formatted(auc));
    const bool worseThanChance = auc < 0.5;
    if (worseThanChance)
        lblOneMinuxAUC->setText(formatted(1 - auc));
    lblOneMinuxAUC->setVisible(worseThanChance);
    lblOneMinusAUCCaption->setVisible(worseThanChance);
    fitLegend(picROCLegend);
    AnalysisReports& all = reports();
    all.roc.SetDataSourceDbl(rocResults);
    all.cutoffPoints.SetDataSourceDbl(rocResults);
    all.roc.SetThresholdId(thresholdId);
    all.cutoffPoints.SetThresholdId(thresholdId);
    all.confusionMatrix.SetOptimalModelThresholdId(thresholdId);
}

void frmDecile::ShowCutoffPoints(const Table<double>& cutoffPoints)
{
    ChartAdapter adapter;
    adapter.DrawCutoffPoints(as<ICutoffChart>(chCutoff), cutoffPoints, 500, ckCutoffNormalized->isChecked());
}

void frmDecile::SetLogOddsStats(double slope, double intercept, double rSquare, bool isInverted)
{
    lblSlope->setText(defaultNumberText(slope));
    lblIntercept->setText(defaultNumberText(intercept));
    lblRSquare->setText(defaultNumberText(rSquare));
    lblExpSlope->setText(ReportTexts::expSlopeText(slope));
    fitLegend(picLogOddsLegend);
    if (auto* chart = as<IEquationChart>(chSlope))
        chart->SetEquationValues(slope, intercept, rSquare, isInverted);
    // An undefined fit has no cutoff point, like a flat one.
    const double cutoff = slope == 0 || slope == kUndefinedFit ? kNoCutoffPoint : -intercept / slope;
    if (auto* chart = as<ICutoffChart>(chCutoff))
        chart->SetLogisticCutoffPoint(cutoff);
    if (auto* chart = as<ILogisticFitChart>(lfChart))
        chart->SetLogisticCutoffPoint(cutoff);
}

void frmDecile::SetLogOddsStats2(
    double roundingThreshold, double slope, double intercept, double rSquare, bool isInverted)
{
    if (m_statsAdapter)
        m_statsAdapter->SetLogOddsStats(roundingThreshold, slope, intercept, rSquare);
    SetLogOddsStats(slope, intercept, rSquare, isInverted);
}

void frmDecile::ShowSlopeInterceptChart(const Table<Variant>& results)
{
    fitAdapter().DrawSlope(as<IVariantTableChart>(chSlope), results, 200);
    reports().logOdds.SetDataSourceVar(results);
}

void frmDecile::SetProbabilities(const Table<double>& results)
{
    fitAdapter().DrawLogisticFit(as<ILogisticFitChart>(lfChart), results, 200, chkShowPoints->isChecked());
    reports().logisticFit.SetDataSourceDbl(results);
    reports().confusionMatrix.SetDataSourceDbl(results);
}

void frmDecile::SetZeroOnes(const Table<double>& results)
{
    const std::int32_t dummyPoints
        = HostConfiguration::integer(QStringLiteral("LogisticRegression.LogisticFit.Chart.NumberOfDummyPoints"), 0);
    fitAdapter().AddZerosAndOnes(as<ILogisticFitChart>(lfChart), results, dummyPoints);
}

void frmDecile::SetGainsChart(const Table<Variant>& results, double& aucGain, double& rankingQuality)
{
    ChartAdapter adapter;
    adapter.DrawGainsChart(as<IVariantTableChart>(chGains), results, 5000);
    if (auto* gains = as<IStatsChart>(chGains))
        gains->SetStats(aucGain, rankingQuality);
    lblGainsAUC->setText(formatted(aucGain));
    lblRankingQuality->setText(formatted(rankingQuality));
    fitLegend(picGainsLegend);
    if (m_statsAdapter)
        m_statsAdapter->SetGainsStats(aucGain, rankingQuality);
    reports().gains.SetDataSourceVar(results);
}

void frmDecile::SetLiftChart(const Table<Variant>& results, const Vector<double>& stats)
{
    if (stats.size() < kCountOf<LiftStat>)
        throw Error(QStringLiteral("The lift statistics need four values; %1 were given.").arg(stats.size()));
    ChartAdapter adapter;
    adapter.DrawLiftChart(as<IVariantTableChart>(chLift), results, 50);
    lblABC->setText(formatted(at(stats, LiftStat::AreaBetweenCurves)));
    lblCumLiftArea->setText(formatted(at(stats, LiftStat::CumulativeLiftArea)));
    lblLiftArea->setText(formatted(at(stats, LiftStat::LiftArea)));
    lblLRQ->setText(formatted(at(stats, LiftStat::RankingQuality)));
    fitLegend(picLiftLegend);
    if (auto* lift = as<IStatsChart>(chLift))
        lift->SetStats(at(stats, LiftStat::AreaBetweenCurves), at(stats, LiftStat::RankingQuality));
    if (m_statsAdapter)
        m_statsAdapter->SetLiftStats(stats);
}

void frmDecile::SetConfusionMatrix(const Vector<std::int32_t>& confMatrix, const Table<std::int32_t>& perBucket,
    const Vector<std::int32_t>& rocConfMatrix, const Table<std::int32_t>& rocPerBucket)
{
    if (auto* matrix = as<IConfusionMatrixControl>(this->confMatrix))
        matrix->SetConfusionMatrixData(confMatrix, perBucket, rocConfMatrix, rocPerBucket,
            optConfMatrixType[0]->isChecked()       ? 0
                : optConfMatrixType[1]->isChecked() ? 1
                                                    : 2);
}

void frmDecile::SetDecileStats(const Vector<Variant>& stats)
{
    if (!m_statsAdapter)
        return;
    m_statsAdapter->SetGeneralStats(stats);
    m_statsAdapter->SetDecileStats(stats);
}

void frmDecile::SetROCStats(const Vector<Variant>& stats)
{
    if (m_statsAdapter) {
        m_statsAdapter->SetROCStats(stats);
        m_statsAdapter->SetCutoffPointsStats(stats);
    }
    if (auto* cutoff = as<ICutoffChart>(chCutoff)) {
        if (!stats.contains(stats.low() + index(RocStat::Cutoff)))
            throw Error(QStringLiteral("The ROC statistics hold no cutoff point."));
        cutoff->SetOptimumModelValue(at(stats, RocStat::Cutoff).toDouble());
    }
}

void frmDecile::SetConfMatrixStats(const Vector<Variant>& stats, const Vector<Variant>& rocStats)
{
    if (!m_statsAdapter)
        return;
    m_statsAdapter->SetConfusionMatrixStats(stats);
    m_statsAdapter->SetROCConfusionMatrixStats(rocStats);
}

void frmDecile::InvalidateModelFitness(std::int32_t modelId, std::int32_t dataSet)
{
    const int selected = cmbModels->currentIndex();
    if (selected >= 0)
        cmbModels->setItemText(
            selected, QStringLiteral("Model ") + QString::number(modelId) + QStringLiteral(" - RS: --"));
    if (m_statsAdapter)
        m_statsAdapter->InvalidateModel(modelId, dataSet);
}

void frmDecile::SetCalculationErrorsCount(std::int32_t count)
{
    if (m_statsAdapter)
        m_statsAdapter->SetCalculationErrors(count, GetDataSet());
}

void frmDecile::ShowError(const QString& message)
{
    m_calculationFailed = m_calculationFailed || m_inCalculation;
    UserPromptLib::ShowInfoPrompt(message, this);
}

void frmDecile::SetProgressModeValue(std::int32_t value) { m_progressInterval = value; }

void frmDecile::SetChosenCutoff(const ChosenCutoffFigures& figures) { m_chosenCutoff->show(figures); }

void frmDecile::ShowChosenCutoffNotice(const QString& message) { m_chosenCutoff->showNote(message, true); }

} // namespace lrv
