#pragma once

#include "engine/ChosenCutoff.h"

#include <cstdint>
#include <memory>
#include <optional>

#include <QString>
#include <QStringList>

namespace wb {

class Run;
class TerminalProgress;

/// What an export shows; unset choices keep the run's own.
struct ExportChoices {
    std::optional<int> modelId;
    std::optional<int> dataSet; ///< 1 training, 2 validation
    std::optional<int> buckets;
    /// Rows of the per-record tables written (ROC, cutoff points, logistic fit, confusion matrix); empty: all.
    std::optional<std::int64_t> records = 1000;
    /// The chosen cutoff; empty: the rule the run keeps for the model and dataset (Youden's when none), the
    /// one the window shows.
    std::optional<engine::CutoffRule> cutoff;
};

/// Runs the analysis window without a screen, as the host would open it, then writes per tab the chart
/// (NAME.svg, and NAME.png at twice the screen's resolution, both painted by the chart itself) and the
/// report's "Copy All Data" text (NAME.tsv), the statistics grid as text (statistics.txt) and for scripts
/// (statistics.json), and index.html: one file that shows all of it.
class AnalysisExport {
public:
    AnalysisExport(std::shared_ptr<Run> run, ExportChoices choices);
    ~AnalysisExport();

    /// Throws lrv::Error when the calculation reported a problem or a file cannot be written, and
    /// engine::CalculationError when the cutoff rule cannot be met; in either case before the folder is touched
    /// unless a file failed.
    void writeTo(const QString& folder, TerminalProgress& progress);

    /// The operating point of the last writeTo.
    const engine::ChosenCutoff& chosenCutoff() const { return m_chosen; }

    /// The file names of the eight tabs, in tab order.
    static const QStringList& tabNames();

private:
    struct Session;

    void openWindow(Session& session);
    void readAnalysis(Session& session);
    void writeChart(Session& session, int tab);
    /// The charts behind the tab's option buttons, with the option chosen before restored.
    void writeOptionViews(Session& session, int tab);
    void writeTable(Session& session, int tab);
    void writeStatisticsText(Session& session);
    void writeStatisticsJson(Session& session);
    void writeIndex(Session& session);

    std::shared_ptr<Run> m_run;
    ExportChoices m_choices;
    engine::ChosenCutoff m_chosen;
};

} // namespace wb
