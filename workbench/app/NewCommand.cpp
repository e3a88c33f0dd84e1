#include "Arguments.h"
#include "Command.h"
#include "RunMaker.h"
#include "TerminalProgress.h"

#include <cstdio>

namespace wb {

namespace {

    const char* const usage = R"(Usage: vantorix-lr new --training CSV [--validation CSV] --target COL [--id COL]
                       --models COL,... [--invert] --out RUN

Makes a run file from scored CSV files (a header row, comma separated, "." as decimal
separator). Each column of --models becomes a model, with ids 1, 2, ... in the order
given; the training (and validation) fitness and accuracy of every model are computed.
The class encoding is min 0, max 1 unless the target holds two other values, the smaller
being class 0. CSV paths are stored relative to the run file.

A dataset may also live in PostgreSQL: give a connection URI with the records named by
table=NAME or query=SELECT ..., e.g. postgresql://USER@HOST:PORT/DB?table=scores (the
password comes from PGPASSWORD or ~/.pgpass). The analysis then runs in the database;
such a dataset needs --id.

  --training CSV     the training records (a CSV file or a database URI)
  --validation CSV   the validation records (optional; a CSV file or a database URI)
  --target COL       the target column (two classes)
  --id COL           the id column, whole numbers (default: the record number)
  --models COL,...   the model output columns
  --invert           the models represent class 1 by low outputs
  --out RUN          the run file to write (".run" is added when it has no extension)
)";

    int runNew(const QStringList& arguments)
    {
        const Arguments args(arguments, { "training", "validation", "target", "id", "models", "out" }, { "invert" });
        if (!args.positional().isEmpty())
            throw UsageError("unexpected argument " + args.positional().first().toStdString());
        RunSpec spec;
        spec.training = args.required("training");
        spec.validation = args.value("validation");
        spec.targetColumn = args.required("target");
        spec.idColumn = args.value("id");
        spec.invert = args.has("invert");
        spec.out = args.required("out");
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
        std::printf("Wrote %s: %d models, %lld training records", qPrintable(made.path), made.models,
            static_cast<long long>(made.trainingRecords));
        if (!spec.validation.isEmpty())
            std::printf(", %lld validation records", static_cast<long long>(made.validationRecords));
        std::printf(".\n");
        return 0;
    }

    const CommandRegistration registration(
        { "new", "makes a run from scored CSV files", usage, Command::Needs::Core, runNew });

}

} // namespace wb
