#include "Arguments.h"
#include "Command.h"
#include "CompareFiles.h"
#include "presenters/CompareModels.h"
#include "run/Run.h"

#include <cstdio>

#include <QDir>

namespace wb {

namespace {

    const char* const usage = R"(Usage: vantorix-lr compare RUN --out DIR [--dataset training|validation] [--buckets N]

Compares every model of the run on one dataset, on the records where every model has an output:
ROC and gains curves overlaid, a table per model (AUC with its 95 % interval by DeLong's method,
Gini, KS, Brier score, Hosmer-Lemeshow p, accuracy at the Youden cutoff) and DeLong's paired test
for every pair of models. Writes compare.json, compare.svg, compare.png and compare.html into DIR.

  --out DIR        the folder to write (made when missing)
  --dataset NAME   training (default) or validation
  --buckets N      the buckets of the Hosmer-Lemeshow test, 2 to 1000 (default: the run's choice)
)";

    int runCompare(const QStringList& arguments)
    {
        const Arguments args(
            arguments, { QStringLiteral("out"), QStringLiteral("dataset"), QStringLiteral("buckets") });
        if (args.positional().size() != 1)
            throw UsageError("give exactly one run file.");
        const QString folder = args.required(QStringLiteral("out"));
        const QString name = args.value(QStringLiteral("dataset"), QStringLiteral("training"));
        if (name != QLatin1String("training") && name != QLatin1String("validation"))
            throw UsageError("--dataset is training or validation.");
        std::optional<int> buckets;
        if (args.has(QStringLiteral("buckets")))
            buckets = int(args.integer(QStringLiteral("buckets"), 10, 2, 1000));

        const ModelComparison comparison = compareModels(
            *Run::open(args.positional().first()), name == QLatin1String("validation") ? 2 : 1, buckets);
        writeComparison(comparison, folder);
        std::printf("%s\n", qPrintable(QDir(folder).absoluteFilePath(QStringLiteral("compare.html"))));
        return 0;
    }

    const CommandRegistration registration({ "compare",
        "compares every model of a run on one dataset: AUC intervals, calibration and DeLong's paired tests", usage,
        Command::Needs::Widgets, runCompare });

}

} // namespace wb
