#pragma once

#include <memory>
#include <optional>

#include <QString>

namespace wb {

class Run;

/// What an export shows; unset choices keep the run's own.
struct ExportChoices {
    std::optional<int> modelId;
    std::optional<int> dataSet; ///< 1 training, 2 validation
    std::optional<int> buckets;
};

/// Runs the analysis window without a screen, as the host would open it, then writes per tab the chart as
/// "&Copy" captures it (NAME.png) and the report's "Copy All Data" text (NAME.tsv), the statistics grid's
/// text (statistics.txt), the whole window (window.png) and an index.html that shows all of it.
class AnalysisExport {
public:
    AnalysisExport(std::shared_ptr<Run> run, ExportChoices choices);

    /// Throws lrv::Error when the calculation reported a problem or a file cannot be written.
    void writeTo(const QString& folder);

    /// The file names of the eight tabs, in tab order.
    static const QStringList& tabNames();

private:
    std::shared_ptr<Run> m_run;
    ExportChoices m_choices;
};

} // namespace wb
