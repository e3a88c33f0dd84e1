#pragma once

#include "reports/ConfMatrixReport.h"
#include "reports/CutoffReport.h"
#include "reports/DelegatedReport.h"
#include "reports/GainsReport.h"
#include "reports/LogOddsReport.h"
#include "reports/LogisticFitReport.h"
#include "reports/PropertyGridAdapter.h"
#include "reports/QuantileReport.h"
#include "reports/RocReport.h"

#include <vector>

namespace lrv {

/// The reports of the analysis window, one per tab. The Lift tab lends the Gains report.
struct AnalysisReports {
    AnalysisReports();
    AnalysisReports(const AnalysisReports&) = delete;
    AnalysisReports& operator=(const AnalysisReports&) = delete;

    QuantileReport quantiles;
    RocReport roc;
    CutoffReport cutoffPoints;
    GainsReport gains;
    DelegatedReport lift;
    LogOddsReport logOdds;
    LogisticFitReport logisticFit;
    ConfMatrixReport confusionMatrix;
};

/// A chart control: the name it is registered under and its object name in the window.
struct TabChart {
    const char* control = nullptr;
    const char* objectName = nullptr;
};

/// A view behind one of a tab's option buttons, which the export writes beside the tab's own chart.
struct TabOptionView {
    const char* option = nullptr; ///< the option button that shows the view
    const char* previous = nullptr; ///< the option button that goes back to the tab's own view
    const char* chart = nullptr; ///< the object name of the chart that shows the view
    const char* exportName = nullptr;
    const char* caption = nullptr;
};

/// A statistics category that replaces the tab's own while an option button is checked.
struct TabOptionCategory {
    const char* option = nullptr;
    PropertyGridAdapter::Category category = PropertyGridAdapter::General;
};

/// How a tab places its chart and its side controls, which stand in a column right of the chart.
struct TabArrangement {
    /// Twips the chart leaves free beyond the width of the first side control.
    int chartMarginTwips = 0;
    /// The side column's left edge, in twips from the chart's right edge.
    int sideLeftTwips = 75;
    /// Each side control's top in twips below the chart's; when empty the controls stand one under the
    /// other, stackGap pixels apart.
    std::vector<int> sideTopsTwips;
    int stackGap = 0;
};

/// Everything the window, the export and the help need to know about one analysis tab. A tab's chart code
/// (the run's "set_lr#SelectedChart") and its help context are its position in analysisTabs().
struct AnalysisTab {
    const char* caption = nullptr; ///< the chart tab's caption
    const char* reportCaption = nullptr; ///< the report tab's caption
    const char* exportName = nullptr; ///< file names of the export, names of "show --chart"
    const char* exportCaption = nullptr; ///< the heading of the exported page's section
    bool perRecord = false; ///< the report has a row per record rather than per quantile
    TabChart chart;
    /// A second chart in the same place, shown instead of the first while alternativeOption is checked.
    TabChart alternative;
    const char* alternativeOption = nullptr;
    /// Object names of the controls right of the chart: legends, check boxes, option buttons.
    std::vector<const char*> sideControls;
    IDataReport& (*report)(AnalysisReports&) = nullptr;
    PropertyGridAdapter::Category category = PropertyGridAdapter::General;
    std::vector<TabOptionCategory> optionCategories;
    std::vector<TabOptionView> optionViews;
    TabArrangement arrangement;
};

/// The window's tabs in the order of its tab strips. A new analysis is one more entry here.
const std::vector<AnalysisTab>& analysisTabs();

/// The position of the tab exported under that name, or -1.
int tabOfExportName(const QString& name);

} // namespace lrv
