#include "AnalysisExport.h"
#include "Arguments.h"
#include "Command.h"
#include "TerminalProgress.h"
#include "presenters/WorkbenchHostCore.h"
#include "run/Run.h"

#include <cstdio>
#include <limits>

#include <QDir>

namespace wb {

namespace {

    const char* const usage = R"(Usage: vantorix-lr export RUN --out DIR [--model ID] [--dataset training|validation]
                          [--buckets N] [--records N|all] [--cutoff RULE|VALUE]

Runs the analysis window without a screen, as the host opens it, and writes into DIR per tab
NAME.svg and NAME.png (the chart, the PNG at twice the screen's resolution) and NAME.tsv (the
report's "Copy All Data" text, with LF line ends and a final newline), with NAME one of quantiles,
roc, cutoff-points, gains, lift, log-odds, logistic-fit, confusion-matrix; then statistics.txt
(the statistics grid), statistics.json (the figures for scripts) and index.html, one file that
shows all of it.

  --out DIR        the folder to write (made when missing)
  --model ID       the model to analyse (default: the run's current model)
  --dataset NAME   training or validation (default: the run's choice)
  --buckets N      the number of quantiles, 2 to 1000 (default: the run's choice)
  --records N|all  rows of the per-record tables (roc, cutoff-points, logistic-fit,
                   confusion-matrix) to write; all writes them whole (default: 1000)
  --cutoff RULE    the chosen cutoff of statistics.json and index.html: youden, logistic,
                   sensitivity=X, specificity=X (X from 0 to 1), top=K%, cost=A:B (costs of
                   a false positive and a false negative) or an output value (default: the
                   rule the run keeps for the model and dataset, as the window shows it; youden
                   when it keeps none)
)";

    /// "training" 1, "validation" 2, in any case.
    int dataSetNumber(const QString& name)
    {
        if (name.compare(QLatin1String("training"), Qt::CaseInsensitive) == 0)
            return 1;
        if (name.compare(QLatin1String("validation"), Qt::CaseInsensitive) == 0)
            return 2;
        throw UsageError("--dataset is training or validation, not \"" + name.toStdString() + "\".");
    }

    int runExport(const QStringList& arguments)
    {
        const Arguments args(arguments,
            { QStringLiteral("out"), QStringLiteral("model"), QStringLiteral("dataset"), QStringLiteral("buckets"),
                QStringLiteral("records"), QStringLiteral("cutoff") });
        if (args.positional().size() != 1)
            throw UsageError("give exactly one run file.");
        const QString folder = args.required(QStringLiteral("out"));
        ExportChoices choices;
        if (args.has(QStringLiteral("model")))
            choices.modelId = int(args.integer(QStringLiteral("model"), 0, 0, 2147483647));
        if (args.has(QStringLiteral("dataset")))
            choices.dataSet = dataSetNumber(args.value(QStringLiteral("dataset")));
        if (args.has(QStringLiteral("buckets")))
            choices.buckets = int(args.integer(QStringLiteral("buckets"), 10, 2, 1000));
        if (args.value(QStringLiteral("records")).compare(QLatin1String("all"), Qt::CaseInsensitive) == 0)
            choices.records.reset();
        else if (args.has(QStringLiteral("records")))
            choices.records
                = args.integer(QStringLiteral("records"), 1000, 0, std::numeric_limits<std::int64_t>::max());
        if (args.has(QStringLiteral("cutoff")))
            choices.cutoff = engine::parseCutoffRule(args.value(QStringLiteral("cutoff")).toStdString());

        WorkbenchHostCore::install();
        AnalysisExport exporter(Run::open(args.positional().first()), choices);
        TerminalProgress progress;
        exporter.writeTo(folder, progress);
        const engine::ChosenCutoff& chosen = exporter.chosenCutoff();
        if (chosen.outsideOutputs)
            std::fprintf(stderr,
                "vantorix-lr export: note: the cutoff %s lies outside the range of the outputs, so %s record is "
                "predicted positive.\n",
                chosen.rule.text().c_str(), chosen.tp + chosen.fp == 0 ? "no" : "every");
        std::printf("%s\n", qPrintable(QDir(folder).absoluteFilePath(QStringLiteral("index.html"))));
        return 0;
    }

    const CommandRegistration registration({ "export", "writes the charts, tables and statistics of a run's analysis",
        usage, Command::Needs::Widgets, runExport });

}

} // namespace wb
