#include "window/AnalysisTabs.h"

// Each entry names only what differs from a description's defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace lrv {

AnalysisReports::AnalysisReports() { lift.SetDelegate(&gains, 5); }

const std::vector<AnalysisTab>& analysisTabs()
{
    using C = PropertyGridAdapter;
    // Check boxes stand at fixed heights; legends and option buttons one under the other.
    const std::vector<int> checkBoxTops = { 270, 570 };
    static const std::vector<AnalysisTab> tabs = {
        {
            .caption = "Quantiles",
            .reportCaption = "Quantiles",
            .exportName = "quantiles",
            .exportCaption = "Quantiles",
            .chart = { "QuantileChart", "chQuantile" },
            .alternative = { "TrendlineChart", "trendChart" },
            .alternativeOption = "optQuantiles(1)",
            .sideControls = { "optQuantiles(0)", "optQuantiles(1)" },
            .report = [](AnalysisReports& r) -> IDataReport& { return r.quantiles; },
            .category = C::Quantiles,
            .optionViews = { { "optQuantiles(1)", "optQuantiles(0)", "trendChart", "trendline", "Trend line" } },
            .arrangement = { .chartMarginTwips = 85, .sideLeftTwips = 100, .stackGap = 4 },
        },
        {
            .caption = "ROC",
            .reportCaption = "ROC",
            .exportName = "roc",
            .exportCaption = "ROC",
            .perRecord = true,
            .chart = { "ROCChart", "rcChart" },
            .sideControls = { "picROCLegend" },
            .report = [](AnalysisReports& r) -> IDataReport& { return r.roc; },
            .category = C::Roc,
        },
        {
            .caption = "Cutoff Points",
            .reportCaption = "Cutoff Points",
            .exportName = "cutoff-points",
            .exportCaption = "Cutoff Points",
            .perRecord = true,
            .chart = { "CutoffChart", "chCutoff" },
            .sideControls = { "ckCutoffNormalized", "chkShowLogisticCuttofPoint" },
            .report = [](AnalysisReports& r) -> IDataReport& { return r.cutoffPoints; },
            .category = C::CutoffPoints,
            .arrangement = { .chartMarginTwips = 120, .sideLeftTwips = 100, .sideTopsTwips = checkBoxTops },
        },
        {
            .caption = "Gains",
            .reportCaption = "Gains",
            .exportName = "gains",
            .exportCaption = "Gains",
            .chart = { "GainsChart", "chGains" },
            .sideControls = { "picGainsLegend" },
            .report = [](AnalysisReports& r) -> IDataReport& { return r.gains; },
            .category = C::Gains,
        },
        {
            .caption = "Lift",
            .reportCaption = "Lift",
            .exportName = "lift",
            .exportCaption = "Lift",
            .chart = { "LiftChart", "chLift" },
            .sideControls = { "picLiftLegend" },
            .report = [](AnalysisReports& r) -> IDataReport& { return r.lift; },
            .category = C::Lift,
        },
        {
            .caption = "Log Odds",
            .reportCaption = "Log Odds",
            .exportName = "log-odds",
            .exportCaption = "Log Odds",
            .chart = { "SlopeChart", "chSlope" },
            .sideControls = { "picLogOddsLegend" },
            .report = [](AnalysisReports& r) -> IDataReport& { return r.logOdds; },
            .category = C::LogOdds,
            .arrangement = { .chartMarginTwips = 100, .sideLeftTwips = 205 },
        },
        {
            .caption = "Logistic Fit",
            .reportCaption = "Logistic Fit",
            .exportName = "logistic-fit",
            .exportCaption = "Logistic Fit",
            .perRecord = true,
            .chart = { "LogisticFitChart", "lfChart" },
            .sideControls = { "chkShowPoints", "chkShowLcpLogFit" },
            .report = [](AnalysisReports& r) -> IDataReport& { return r.logisticFit; },
            .category = C::LogisticFit,
            .arrangement = { .chartMarginTwips = 120, .sideLeftTwips = 100, .sideTopsTwips = checkBoxTops },
        },
        {
            .caption = "Conf. Matrix",
            .reportCaption = " Confusion Matrix",
            .exportName = "confusion-matrix",
            .exportCaption = "Confusion Matrix",
            .perRecord = true,
            .chart = { "ConfusionMatrix", "confMatrix" },
            .sideControls = { "picMatrixLegend", "picConfMatrixTypeLegend" },
            .report = [](AnalysisReports& r) -> IDataReport& { return r.confusionMatrix; },
            .category = C::LogisticConfusionMatrix,
            .optionCategories = { { "optConfMatrixType(0)", C::RocConfusionMatrix } },
            .optionViews
            = { { "optMatrix(1)", "optMatrix(0)", "confMatrix", "confusion-distribution", "Confusion distribution" } },
            .arrangement = { .chartMarginTwips = 150, .sideLeftTwips = 100, .stackGap = 8 },
        },
    };
    return tabs;
}

int tabOfExportName(const QString& name)
{
    const std::vector<AnalysisTab>& tabs = analysisTabs();
    for (std::size_t tab = 0; tab < tabs.size(); ++tab)
        if (name == QLatin1String(tabs[tab].exportName))
            return int(tab);
    return -1;
}

} // namespace lrv
