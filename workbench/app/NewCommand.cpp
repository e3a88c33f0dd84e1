#include "Arguments.h"
#include "Command.h"
#include "RunMaker.h"
#include "TerminalProgress.h"

#include <cstdio>

namespace wb {

namespace {

    const char* const usage = R"(Usage: vantorix-lr new --training CSV [--validation CSV] --target COL [--id COL]
                       --models COL,... [--positive LABEL] [--invert] --out RUN [--force]

Makes a run file from scored CSV files (a header row, separated by commas, semicolons or
tabs, "." as decimal separator). Each column of --models becomes a model, with ids 1, 2,
... in the order given; the training (and validation) fitness and accuracy of every model
are computed, and each model's AUC is printed. The class encoding is min 0, max 1 unless
the target holds two other numbers, the smaller being class 0; a target of two texts needs
--positive unless they are true and false. CSV paths are stored relative to the run file.

A dataset may also live in PostgreSQL: give a connection URI with the records named by
table=NAME or query=SELECT ..., e.g. postgresql://USER@HOST:PORT/DB?table=scores (the
password comes from PGPASSWORD or ~/.pgpass). The analysis then runs in the database;
such a dataset needs --id.

  --training CSV     the training records (a CSV file or a database URI)
  --validation CSV   the validation records (optional; a CSV file or a database URI)
  --target COL       the target column (two classes)
  --id COL           the id column, numbers or texts, one per record (default: the
                     record number)
  --models COL,...   the model output columns
  --positive LABEL   the target value of the positive class (class 1)
  --invert           the models represent class 1 by low outputs
  --out RUN          the run file to write (".run" is added when it has no extension)
  --force            replace RUN when it exists
)";

    QString aucText(double auc) { return auc < 0 ? QStringLiteral("--") : QString::number(auc, 'f', 4); }

    /// Each model's AUC; a model below 0.5 most likely scores the other class high.
    void printAucs(const RunSpec& spec, const MadeRun& made)
    {
        for (int m = 0; m < made.models; ++m) {
            const double training = made.trainingAuc[std::size_t(m)];
            const double validation = spec.validation.isEmpty() ? -1 : made.validationAuc[std::size_t(m)];
            std::printf("  model %d %s: AUC %s training", m + 1, qPrintable(spec.outputColumns[m]),
                qPrintable(aucText(training)));
            if (!spec.validation.isEmpty())
                std::printf(", %s validation", qPrintable(aucText(validation)));
            std::printf("\n");
            if ((training >= 0 && training < 0.5) || (validation >= 0 && validation < 0.5))
                std::fprintf(stderr,
                    "warning: model %d %s: the model ranks the positive class low; did you mean --invert?\n", m + 1,
                    qPrintable(spec.outputColumns[m]));
        }
    }

    int runNew(const QStringList& arguments)
    {
        const Arguments args(arguments, { "training", "validation", "target", "id", "models", "positive", "out" },
            { "invert", "force" });
        if (!args.positional().isEmpty())
            throw UsageError("unexpected argument " + args.positional().first().toStdString());
        RunSpec spec;
        spec.training = args.required("training");
        spec.validation = args.value("validation");
        spec.targetColumn = args.required("target");
        spec.idColumn = args.value("id");
        spec.invert = args.has("invert");
        spec.positive = args.value("positive");
        spec.out = args.required("out");
        spec.replace = args.has("force");
        for (const QString& column : args.required("models").split(QLatin1Char(','))) {
            const QString name = column.trimmed();
            if (name.isEmpty())
                throw UsageError("--models holds an empty column name");
            if (spec.outputColumns.contains(name))
                throw UsageError("--models names the column \"" + name.toStdString() + "\" twice");
            spec.outputColumns << name;
        }
        TerminalProgress progress;
        const MadeRun made = makeRun(spec, progress);
        std::printf("Wrote %s: %d model%s, %lld training records", qPrintable(made.path), made.models,
            made.models == 1 ? "" : "s", static_cast<long long>(made.trainingRecords));
        if (!spec.validation.isEmpty())
            std::printf(", %lld validation records", static_cast<long long>(made.validationRecords));
        std::printf(".\nPositive class (1): \"%s\"; negative class (0): \"%s\".\n", qPrintable(made.positiveClass),
            qPrintable(made.negativeClass));
        printAucs(spec, made);
        return 0;
    }

    const CommandRegistration registration(
        { "new", "makes a run from scored CSV files", usage, Command::Needs::Core, runNew });

}

} // namespace wb
