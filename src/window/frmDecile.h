#pragma once

#include "host/CalculateViewInter.h"
#include "host/DecileLoadViewInter.h"
#include "host/IRun.h"
#include "host/Listeners.h"
#include "host/ModelChangedViewInter.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include <QDialog>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabBar;

namespace lrv {

struct AnalysisReports;
struct AnalysisTab;
class ChartAdapter;
class ChosenCutoffLink;
class HelpControl;
class IChartControl;
class IDataReport;
class ModelSelector;
class PropertyGrid;
class PropertyGridAdapter;
class ReportGrid;

/// The analysis window of one run: model, dataset and bucket choices, the report grid under its tab strip,
/// the charts under theirs, and the statistics grid. The host core fills it through the view interfaces.
/// What the window is doing. The state alone decides which controls are enabled and which inputs count:
/// choices only when Idle or Failed, Cancel only while Reading, Calculating or Delivering.
enum class WindowState {
    StartUp, ///< loaded, the first calculation not yet started
    Reading, ///< a calculation reads its dataset
    Calculating, ///< a calculation computes
    Delivering, ///< a calculation hands its results to the views
    Idle, ///< results on screen
    Failed, ///< the last calculation gave no results (refused, failed or cancelled)
};

class frmDecile : public QDialog,
                  public DecileLoadViewInter,
                  public CalculateViewInter,
                  public ModelChangedViewInter,
                  public IListener {
    Q_OBJECT

public:
    /// Chart codes: the position in analysisTabs() = code − kFirstChartCode.
    static constexpr std::int32_t kFirstChartCode = 1129;
    static constexpr int kTwipsPerPixel = 15;
    static constexpr int kMinimumWidthTwips = 14525;
    static constexpr int kMinimumHeightTwips = 9000;
    static constexpr int kStatisticsWidthTwips = 4110;

    explicit frmDecile(QWidget* parent = nullptr);
    ~frmDecile() override;

    /// Loads the run: reports, lists through the load presenter, statistics, caption. Before showing.
    void Init(std::shared_ptr<IRun>& run, std::int32_t selected, std::int32_t trainSampling, std::int32_t testSampling);
    /// What the window does when it becomes active: settings, tab selection, the first calculation.
    void Activate();

    // IListener
    void SetListener(std::shared_ptr<HostObject> listener) override;

    // DecileLoadViewInter
    void SelectDataSet(std::int32_t dataSet) override;
    void SetBuckets(std::int32_t buckets) override;
    void SetDecileTable(const Table<Variant>& values) override;
    void SetModels(const QStringList& texts, const Vector<std::int32_t>& itemData, std::int32_t selectedId) override;

    // ModelChangedViewInter
    void SetModelBuckets(std::int32_t buckets) override;

    // CalculateViewInter
    void CurrentModelChanged(std::shared_ptr<IModel>& model) override;
    void SetCalculationMode() override;
    void ClearProperties() override;
    void SetCalculationMessage(const QString& message) override;
    void SetTotalRows(std::int32_t totalRows) override;
    void NotifyProgress(std::int32_t currentRow) override;
    void CalculationCancelled() override;
    bool GetUserCancelled() override;
    std::int32_t GetModelId() override;
    void SetIdleMode() override;
    void SetDecileResults(std::int32_t calculatedRows, const Table<Variant>& results) override;
    void SetDecileWeightedLinearRegression(double slope, double intercept, double rSquare, bool inverted) override;
    void ShowBucketValueError(const QString& error) override;
    QString GetBuckets() override;
    std::int16_t GetDataSet() override;
    void ShowROC(const Table<double>& rocResults, double auc, std::int32_t thresholdId) override;
    void ShowCutoffPoints(const Table<double>& cutoffPoints) override;
    void SetLogOddsStats(double slope, double intercept, double rSquare, bool isInverted) override;
    void SetLogOddsStats2(
        double roundingThreshold, double slope, double intercept, double rSquare, bool isInverted) override;
    void ShowSlopeInterceptChart(const Table<Variant>& results) override;
    void SetProbabilities(const Table<double>& results) override;
    void SetZeroOnes(const Table<double>& results) override;
    void SetGainsChart(const Table<Variant>& results, double& aucGain, double& rankingQuality) override;
    void SetLiftChart(const Table<Variant>& results, const Vector<double>& stats) override;
    void SetConfusionMatrix(const Vector<std::int32_t>& confMatrix, const Table<std::int32_t>& perBucket,
        const Vector<std::int32_t>& rocConfMatrix, const Table<std::int32_t>& rocPerBucket) override;
    void SetDecileStats(const Vector<Variant>& stats) override;
    void SetROCStats(const Vector<Variant>& stats) override;
    void SetConfMatrixStats(const Vector<Variant>& stats, const Vector<Variant>& rocStats) override;
    void InvalidateModelFitness(std::int32_t modelId, std::int32_t dataSet) override;
    void SetCalculationErrorsCount(std::int32_t count) override;
    void ShowError(const QString& message) override;
    void SetProgressModeValue(std::int32_t value) override;
    void SetCalculationPhase(Phase phase) override;
    void SetCalibration(const Table<double>& calibration) override;
    void SetUncertaintyStats(const UncertaintyStats& stats) override;
    void SetChosenCutoff(const ChosenCutoffFigures& figures) override;
    void ShowChosenCutoffNotice(const QString& message) override;

    // Window routines.
    void Recalculate();
    void RecalculateIfRun();
    void ResetViews();
    void ShowCurrentReport();
    void ShowCurrentChart();
    void SaveSelectedChart();
    void FillBucketList(double rows);
    void Layout();
    void ArrangeCharts();

    bool isLoading() const { return m_loading; }
    WindowState state() const { return m_state; }
    /// A calculation runs (reading, calculating or delivering).
    bool isCalculating() const { return isBusy(m_state); }
    static bool isBusy(WindowState state);
    std::shared_ptr<IRun> run() const { return m_run; }
    /// The reports of the tabs; they exist from Init on.
    AnalysisReports& reports() const;
    PropertyGridAdapter* statsAdapter() const { return m_statsAdapter.get(); }
    /// The chosen cutoff's input and the views that follow it.
    ChosenCutoffLink* chosenCutoff() const { return m_chosenCutoff; }
    /// The help context of the current view ("location=lrwindow&b=…").
    QString HelpContext() const;

private slots:
    void quantilePointSelected(int point);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void buildTopRow();
    /// Places the choices of the top row from the left, narrower by up to shrinkBy pixels; returns where
    /// the row ends.
    int layoutTopRow(int shrinkBy);
    static constexpr int kModelListWidth = 200;
    static constexpr int kLegendWidth = 160;
    static constexpr int kNarrowestModelList = 90;
    static constexpr int kNarrowestSelector = 120;
    void buildReportArea();
    void buildChartArea();
    void buildLegends();
    void buildProgressPanel();
    void buildMenus();
    void connectCommands();
    QWidget* createChart(const QString& controlName, const QString& objectName);
    void writeRunParameter(const QString& key, std::int32_t value);
    std::int32_t readRunParameter(const QString& key, std::int32_t fallback) const;
    QLabel* legendValue(
        QWidget* legend, const QString& objectName, const QString& caption, const QString& tip, int row);
    /// The controls of a tab, found from its description once the window has built them.
    struct TabControls {
        QWidget* chart = nullptr;
        QWidget* alternative = nullptr;
        QRadioButton* alternativeOption = nullptr;
        std::vector<QWidget*> sides;
    };
    void findTabControls();
    /// Places the tab's chart and its side column; shows them.
    void arrangeTab(const AnalysisTab& tab, const TabControls& controls);
    /// Expands the statistics category of the tab with its option buttons as they are.
    void selectCategory(const AnalysisTab& tab);
    /// The report of the report tab shown; null before Init.
    IDataReport* currentReport() const;
    void enterState(WindowState state);
    /// The records sampled from dataset 1 or 2 as the run's parameters tell.
    std::int32_t sampledRecords(int dataSet) const;
    /// Widens a legend to its values (never cut) and gives the chart beside it the rest.
    void fitLegend(QFrame* legend);
    /// Shows a bucket count in the editable list, its list position following the text.
    void showBuckets(std::int32_t buckets);
    /// The model selector shows the model picked in the list.
    void followModelInSelector();
    /// Choices (model, dataset, buckets, F5) count only when no calculation runs and the window is not
    /// changing its own controls.
    bool choicesCount() const;
    bool handleTabKeys(QKeyEvent* key);
    void setStatusText(int panel, const QString& text);
    ChartAdapter& fitAdapter();

    // Command handlers.
    void onModelClicked();
    void onDataSetClicked();
    void onBucketsPicked();
    void onReportGridMenu(const QPoint& globalPos);
    void onTableMenu(int index);
    void onPropertiesMenu(int index);
    void onSynchroClicked();
    void onQuantilesOption(int index);
    void onConfMatrixTypeOption(int index);
    void onMatrixOption(int index);
    void onReportSelectionChanged();
    /// Shows the host's comparison of every model of the run on the current dataset in a dialog.
    void onCompareModels();

    // State.
    std::shared_ptr<IRun> m_run;
    std::int32_t m_selectedChart = kFirstChartCode;
    int m_chartTabIndex = 0;
    bool m_loading = true;
    WindowState m_state = WindowState::StartUp;
    bool m_inCalculation = false; ///< inside Recalculate: no second one starts
    bool m_calculationFailed = false; ///< the running calculation refused, failed or was cancelled
    bool m_largeCalculation = false; ///< the progress panel shows
    bool m_closeRequested = false; ///< closing waits for the running calculation to stop
    bool m_userCancelled = false;
    bool m_activating = false;
    bool m_leftForOwnWindow = false; ///< the last deactivation went to another of the library's windows
    QString m_progressMessage;
    std::int32_t m_progressInterval = 1;
    std::int32_t m_currentBuckets = -1;
    std::int32_t m_currentDataSet = -1;
    std::int32_t m_currentModelId = -1;
    std::int32_t m_trainSampling = 0;
    std::int32_t m_testSampling = 0;
    int m_keyCount = 0;
    std::unique_ptr<AnalysisReports> m_reports;
    std::vector<TabControls> m_tabControls;
    std::unique_ptr<PropertyGridAdapter> m_statsAdapter;
    std::unique_ptr<ChartAdapter> m_fitAdapter;
    ChosenCutoffLink* m_chosenCutoff = nullptr;
    std::shared_ptr<HostObject> m_loadListener;
    std::shared_ptr<HostObject> m_calculateListener;
    std::shared_ptr<HostObject> m_modelChangedListener;

    // Controls, named as their objectName.
    QLabel* lblModel = nullptr;
    QComboBox* cmbModels = nullptr;
    ModelSelector* ctlModelSelector = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmbDataset = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* cmbBuckets = nullptr;
    QCheckBox* chkSynchro = nullptr;
    QPushButton* cmdClose = nullptr;
    QPushButton* cmdCompareModels = nullptr;
    HelpControl* helpControl = nullptr;
    std::array<QFrame*, 2> Line1 {};
    QFrame* reportsFrame = nullptr;
    QTabBar* ssReports = nullptr;
    ReportGrid* rcDecile = nullptr;
    QFrame* chartsFrame = nullptr;
    QTabBar* ssCharts = nullptr;
    PropertyGrid* pgProperties = nullptr;
    QFrame* picProgress = nullptr;
    QLineEdit* lblProgress = nullptr;
    QProgressBar* pBar = nullptr;
    QPushButton* cmdStop = nullptr;
    QStatusBar* sbStatus = nullptr;
    std::array<QLabel*, 3> m_statusPanels {};

    QWidget* chQuantile = nullptr;
    QWidget* trendChart = nullptr;
    QWidget* rcChart = nullptr;
    QWidget* chCutoff = nullptr;
    QWidget* chGains = nullptr;
    QWidget* chLift = nullptr;
    QWidget* chSlope = nullptr;
    QWidget* lfChart = nullptr;
    QWidget* confMatrix = nullptr;
    QWidget* chCalibration = nullptr;

    std::array<QRadioButton*, 2> optQuantiles {};
    std::array<QRadioButton*, 3> optConfMatrixType {}; ///< ROC, logistic, chosen cutoff
    std::array<QRadioButton*, 2> optMatrix {};
    QCheckBox* ckCutoffNormalized = nullptr;
    QCheckBox* chkShowLogisticCuttofPoint = nullptr;
    QCheckBox* chkShowPoints = nullptr;
    QCheckBox* chkShowLcpLogFit = nullptr;
    QFrame* picROCLegend = nullptr;
    QFrame* picGainsLegend = nullptr;
    QFrame* picLiftLegend = nullptr;
    QFrame* picLogOddsLegend = nullptr;
    QFrame* picMatrixLegend = nullptr;
    QFrame* picConfMatrixTypeLegend = nullptr;
    QLabel* lblAUC = nullptr;
    QLabel* lblOneMinuxAUC = nullptr;
    QLabel* lblOneMinusAUCCaption = nullptr; // lblGainsLabels(3)
    QLabel* lblGainsAUC = nullptr;
    QLabel* lblRankingQuality = nullptr;
    QLabel* lblABC = nullptr;
    QLabel* lblCumLiftArea = nullptr;
    QLabel* lblLiftArea = nullptr;
    QLabel* lblLRQ = nullptr;
    QLabel* lblSlope = nullptr;
    QLabel* lblIntercept = nullptr;
    QLabel* lblRSquare = nullptr;
    QLabel* lblExpSlope = nullptr;

    QMenu* mnuTable = nullptr;
    std::array<QAction*, 5> mnuTableCopy {};
    QMenu* ctxProperties = nullptr;
    std::array<QAction*, 3> mnuProperties {};
};

} // namespace lrv
