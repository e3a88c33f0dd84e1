#include "Arguments.h"
#include "Command.h"
#include "entry/LogisticRegression.h"
#include "host/HostConfiguration.h"
#include "presenters/WorkbenchHostCore.h"
#include "run/Run.h"

namespace wb {

namespace {

    const char* const usage = R"(Usage: vantorix-lr show RUN [--chart CODE]

Opens the analysis window of a run as the host does, and saves the run when the window closes
(the selected chart, dataset and number of quantiles are kept in it).

  --chart CODE   the chart tab to open with: 1129 Quantiles, 1130 ROC, 1131 Cutoff Points,
                 1132 Gains, 1133 Lift, 1134 Log Odds, 1135 Logistic Fit, 1136 Confusion Matrix
                 (default: the one stored in the run)
)";

    int runShow(const QStringList& arguments)
    {
        const Arguments args(arguments, { QStringLiteral("chart") });
        if (args.positional().size() != 1)
            throw UsageError("give exactly one run file.");
        const auto chart = std::int32_t(args.integer(QStringLiteral("chart"), -1, 1129, 1136));

        WorkbenchHostCore::install();
        const std::shared_ptr<Run> run = Run::open(args.positional().first());
        lrv::LogisticRegression entry;
        std::shared_ptr<lrv::IConfiguration> configuration = lrv::HostConfiguration::get();
        entry.Init(configuration);
        const auto sampling = [&](int index) {
            const auto set = run->dataSetAt(index);
            return set ? set->sampling() : 0;
        };
        entry.SetOriginalSamplings(sampling(1), sampling(2));
        std::shared_ptr<lrv::IRun> handle = run;
        entry.ShowAnalysis(handle, chart, nullptr);
        run->save();
        return 0;
    }

    const CommandRegistration registration(
        { "show", "opens the analysis window of a run", usage, Command::Needs::Display, runShow });

}

} // namespace wb
