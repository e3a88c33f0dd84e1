#include "AnalysisExport.h"
#include "Arguments.h"
#include "Command.h"
#include "presenters/WorkbenchHostCore.h"
#include "run/Run.h"

#include <cstdio>

#include <QDir>

namespace wb {

namespace {

    const char* const usage
        = R"(Usage: vantorix-lr export RUN --out DIR [--model ID] [--dataset training|validation] [--buckets N]

Runs the analysis window without a screen, as the host opens it, and writes into DIR per tab
NAME.png (the chart as "Copy" captures it) and NAME.tsv (the report's "Copy All Data" text,
with LF line ends and a final newline), with NAME one of quantiles, roc, cutoff-points, gains, lift, log-odds, logistic-fit,
confusion-matrix; then statistics.txt (the statistics grid), window.png and index.html,
which shows all of it.

  --out DIR        the folder to write (made when missing)
  --model ID       the model to analyse (default: the run's current model)
  --dataset NAME   training or validation (default: the run's choice)
  --buckets N      the number of quantiles, 2 to 1000 (default: the run's choice)
)";

    int runExport(const QStringList& arguments)
    {
        const Arguments args(arguments,
            { QStringLiteral("out"), QStringLiteral("model"), QStringLiteral("dataset"), QStringLiteral("buckets") });
        if (args.positional().size() != 1)
            throw UsageError("give exactly one run file.");
        const QString folder = args.required(QStringLiteral("out"));
        ExportChoices choices;
        if (args.has(QStringLiteral("model")))
            choices.modelId = int(args.integer(QStringLiteral("model"), 0, 0, 2147483647));
        if (args.has(QStringLiteral("dataset"))) {
            const QString name = args.value(QStringLiteral("dataset"));
            if (name == QLatin1String("training"))
                choices.dataSet = 1;
            else if (name == QLatin1String("validation"))
                choices.dataSet = 2;
            else
                throw UsageError("--dataset is training or validation.");
        }
        if (args.has(QStringLiteral("buckets")))
            choices.buckets = int(args.integer(QStringLiteral("buckets"), 10, 2, 1000));

        WorkbenchHostCore::install();
        AnalysisExport exporter(Run::open(args.positional().first()), choices);
        exporter.writeTo(folder);
        std::printf("%s\n", qPrintable(QDir(folder).absoluteFilePath(QStringLiteral("index.html"))));
        return 0;
    }

    const CommandRegistration registration({ "export", "writes the charts, tables and statistics of a run's analysis",
        usage, Command::Needs::Widgets, runExport });

}

} // namespace wb
