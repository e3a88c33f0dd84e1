#include "AnalysisExport.h"
#include "Arguments.h"
#include "Command.h"
#include "embed/Workbench.h"
#include "window/frmDecile.h"

namespace wb {

namespace {

    const char* const usage = R"(Usage: vantorix-lr show RUN [--chart NAME]

Opens the analysis window of a run as the host does, and saves the run when the window closes
(the selected chart, dataset and number of quantiles are kept in it).

  --chart NAME   the chart tab to open with: quantiles, roc, cutoff-points, gains, lift,
                 log-odds, logistic-fit or confusion-matrix, the names of export's files
                 (or its code, 1129 to 1136); default: the one stored in the run
)";

    /// The chart code of a tab name or of a code; -1 for none given.
    std::int32_t chartCode(const Arguments& args)
    {
        const QString name = args.value(QStringLiteral("chart"));
        if (name.isEmpty() || name.front().isDigit())
            return std::int32_t(args.integer(QStringLiteral("chart"), -1, lrv::frmDecile::kFirstChartCode,
                lrv::frmDecile::kFirstChartCode + AnalysisExport::tabNames().size() - 1));
        const qsizetype tab = AnalysisExport::tabNames().indexOf(name.toLower());
        if (tab < 0)
            throw UsageError(QStringLiteral("--chart is one of %1, not \"%2\"")
                                 .arg(AnalysisExport::tabNames().join(QStringLiteral(", ")), name)
                                 .toStdString());
        return std::int32_t(lrv::frmDecile::kFirstChartCode + tab);
    }

    int runShow(const QStringList& arguments)
    {
        const Arguments args(arguments, { QStringLiteral("chart") });
        if (args.positional().size() != 1)
            throw UsageError("give exactly one run file.");
        const std::int32_t chart = chartCode(args);

        installHost();
        showAnalysis(openRun(args.positional().first()), chart);
        return 0;
    }

    const CommandRegistration registration(
        { "show", "opens the analysis window of a run", usage, Command::Needs::Display, runShow });

}

} // namespace wb
