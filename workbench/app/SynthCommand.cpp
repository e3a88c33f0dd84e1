#include "Arguments.h"
#include "Command.h"
#include "RunMaker.h"
#include "TerminalProgress.h"
#include "run/AtomicFile.h"
#include "support/Error.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>

#include <QDir>

namespace wb {

namespace {

    const char* const usage = R"(Usage: vantorix-lr synth --records N [--models K] [--seed S] --out DIR

Writes a synthetic run for benchmarks: DIR/train.csv with N records, DIR/valid.csv with
N/2 records (at least 2), and DIR/synth.run with K models (default 3), made as "new"
makes runs. Columns: id, target (about 30% class 1), model_1 ... model_K. Model k
separates the classes less well as k grows; every third model rounds its output to two
decimals, so that it has many tied outputs. The same seed (default 1) gives the same files.

  --records N   training records, 10 to 100000000
  --models K    models, 1 to 20
  --seed S      seed of the random numbers
  --out DIR     the folder to write (made when missing)
)";

    constexpr double positiveRate = 0.3;

    /// Writes one CSV file of synthetic records, streaming in blocks.
    void writeCsv(const QString& path, std::int64_t firstId, std::int64_t records, int models, std::mt19937_64& random,
        TerminalProgress& progress)
    {
        AtomicFile file(path);
        std::string block = "id,target";
        for (int k = 1; k <= models; ++k)
            block += ",model_" + std::to_string(k);
        block += '\n';

        std::bernoulli_distribution isPositive(positiveRate);
        std::normal_distribution<double> noise(0.0, 1.0);
        char number[32];
        progress.begin("Writing " + QDir(path).dirName().toStdString(), records);
        for (std::int64_t r = 0; r < records; ++r) {
            const bool positive = isPositive(random);
            block += std::to_string(firstId + r);
            block += positive ? ",1" : ",0";
            for (int k = 1; k <= models; ++k) {
                const double separation = 2.4 / k;
                const double score = (positive ? separation : -separation) + 1.2 * noise(random);
                double output = 1.0 / (1.0 + std::exp(-score));
                if (k % 3 == 0)
                    output = std::round(output * 100) / 100;
                const auto end
                    = std::to_chars(number, number + sizeof number, output, std::chars_format::general, 7).ptr;
                block += ',';
                block.append(number, end);
            }
            block += '\n';
            if (block.size() > (1u << 20)) {
                file.write(block);
                block.clear();
                progress.update(r + 1);
            }
        }
        file.write(block);
        file.commit();
        progress.finish();
    }

    int runSynth(const QStringList& arguments)
    {
        const Arguments args(arguments, { "records", "models", "seed", "out" });
        if (!args.positional().isEmpty())
            throw UsageError("unexpected argument " + args.positional().first().toStdString());
        if (!args.has("records"))
            throw UsageError("--records is required");
        const std::int64_t records = args.integer("records", 0, 10, 100000000);
        const int models = int(args.integer("models", 3, 1, 20));
        const auto seed = std::uint64_t(args.integer("seed", 1, 0, std::numeric_limits<std::int64_t>::max()));
        const QString out = args.required("out");
        if (!QDir().mkpath(out))
            throw lrv::Error(QStringLiteral("Cannot make the folder %1.").arg(out));
        const QDir folder(out);

        TerminalProgress progress;
        std::mt19937_64 random(seed);
        const std::int64_t validationRecords = std::max<std::int64_t>(2, records / 2);
        writeCsv(folder.filePath(QStringLiteral("train.csv")), 1, records, models, random, progress);
        writeCsv(
            folder.filePath(QStringLiteral("valid.csv")), records + 1, validationRecords, models, random, progress);

        RunSpec spec;
        spec.training = folder.filePath(QStringLiteral("train.csv"));
        spec.validation = folder.filePath(QStringLiteral("valid.csv"));
        spec.targetColumn = QStringLiteral("target");
        spec.idColumn = QStringLiteral("id");
        for (int k = 1; k <= models; ++k)
            spec.outputColumns << QStringLiteral("model_%1").arg(k);
        spec.out = folder.filePath(QStringLiteral("synth.run"));
        spec.replace = true; // its CSV files are new as well
        const MadeRun made = makeRun(spec, progress);
        std::printf("Wrote %s: %d model%s, %lld training and %lld validation records.\n", qPrintable(made.path),
            made.models, made.models == 1 ? "" : "s", static_cast<long long>(made.trainingRecords),
            static_cast<long long>(made.validationRecords));
        return 0;
    }

    const CommandRegistration registration(
        { "synth", "writes a synthetic run for benchmarks", usage, Command::Needs::Core, runSynth });

}

} // namespace wb
