#include "RunMaker.h"

#include "TerminalProgress.h"
#include "engine/Analysis.h"
#include "engine/Dataset.h"
#include "run/Run.h"
#include "run/RunFile.h"
#include "sql/DatabaseDataset.h"
#include "support/Error.h"
#include "support/NumberText.h"

#include <algorithm>
#include <cmath>

#include <QFileInfo>

namespace wb {

namespace {
    /// Fitness of a model with calculation errors in a dataset, as the host marks it.
    constexpr double calculationErrorsMark = -11111;

    /// Class 0 is the smaller of the target's two values; 0/1 targets (or one of them) keep 0 and 1.
    lrv::ClassEncoding chooseEncoding(const RunSpec& spec)
    {
        std::vector<double> values;
        QStringList files;
        for (const QString& path : { spec.training, spec.validation }) {
            if (path.isEmpty())
                continue;
            files << path;
            const std::string source = path.toStdString(), target = spec.targetColumn.toStdString();
            for (double value : DataSet::isDatabase(path) ? sql::DatabaseDataset::distinctTargets(source, target, 3)
                                                          : engine::distinctTargets(source, target, 3))
                if (std::find(values.begin(), values.end(), value) == values.end())
                    values.push_back(value);
        }
        std::sort(values.begin(), values.end());
        lrv::ClassEncoding encoding;
        encoding.invert = spec.invert;
        const bool zeroOne = std::all_of(values.begin(), values.end(), [](double v) { return v == 0 || v == 1; });
        if (zeroOne)
            return encoding;
        QStringList texts;
        for (double value : values)
            texts << lrv::invariantNumberText(value);
        if (values.size() != 2)
            throw lrv::Error(
                QStringLiteral("The target column \"%1\" of %4 holds %2 (%3): a run needs a target of two classes.")
                    .arg(spec.targetColumn,
                        values.size() > 2 ? QStringLiteral("more than two values") : QStringLiteral("one value"),
                        texts.join(QStringLiteral(", ")), files.join(QStringLiteral(" and "))));
        encoding.min = values[0];
        encoding.max = values[1];
        return encoding;
    }

    struct DataSetFitness {
        std::int64_t records = 0;
        std::vector<engine::Fitness> models;
    };

    /// A dataset in a database is scored there: only counts and sums come back.
    DataSetFitness scoreInDatabase(
        const RunSpec& spec, const QString& source, const lrv::ClassEncoding& encoding, TerminalProgress& progress)
    {
        progress.begin("Scoring " + source.toStdString(), std::int64_t(spec.outputColumns.size()));
        sql::DatabaseDataset database(source.toStdString(), spec.idColumn.toStdString(),
            spec.targetColumn.toStdString(), { encoding.min, encoding.max, encoding.invert });
        DataSetFitness result;
        for (int m = 0; m < spec.outputColumns.size(); ++m) {
            const std::string column = spec.outputColumns[m].toStdString();
            const auto counts = database.overview(column);
            result.records = counts.records;
            result.models.push_back(counts.valid < counts.records
                    ? engine::Fitness { calculationErrorsMark, calculationErrorsMark }
                    : database.fitness(column));
            progress.update(m + 1);
        }
        progress.finish();
        return result;
    }

    DataSetFitness readAndScore(
        const RunSpec& spec, const QString& path, const lrv::ClassEncoding& encoding, TerminalProgress& progress)
    {
        if (DataSet::isDatabase(path))
            return scoreInDatabase(spec, path, encoding, progress);
        engine::DatasetSpec dataset;
        dataset.path = path.toStdString();
        dataset.targetColumn = spec.targetColumn.toStdString();
        dataset.idColumn = spec.idColumn.toStdString();
        for (const QString& column : spec.outputColumns)
            dataset.outputColumns.push_back(column.toStdString());
        dataset.encoding = { encoding.min, encoding.max, encoding.invert };

        const std::string name = QFileInfo(path).fileName().toStdString();
        progress.begin("Reading " + name, 1);
        const engine::Dataset records = engine::readDataset(dataset);
        progress.begin("Scoring " + name, std::int64_t(spec.outputColumns.size()));

        DataSetFitness result;
        result.records = std::int64_t(records.size());
        for (std::size_t m = 0; m < records.outputs.size(); ++m) {
            const std::vector<double>& outputs = records.outputs[m];
            engine::Fitness fitness;
            if (std::any_of(outputs.begin(), outputs.end(), [](double v) { return !std::isfinite(v); })) {
                fitness = { calculationErrorsMark, calculationErrorsMark };
            } else {
                engine::ScoredRecords scored { records.ids.data(), records.classes.data(), outputs.data(),
                    outputs.size(), encoding.invert };
                try {
                    fitness = engine::computeFitness(scored);
                } catch (const engine::CalculationError&) {
                    fitness = {}; // one class only: undefined
                }
            }
            result.models.push_back(fitness);
            progress.update(std::int64_t(m + 1));
        }
        progress.finish();
        return result;
    }

    lrv::RunParameter integerParameter(std::int64_t value)
    {
        return { lrv::RunParameterInt32, lrv::Variant(double(std::min<std::int64_t>(value, 2147483647))) };
    }
}

MadeRun makeRun(const RunSpec& spec, TerminalProgress& progress)
{
    QString out = spec.out;
    if (QFileInfo(out).suffix().isEmpty())
        out += QStringLiteral(".run");

    const lrv::ClassEncoding encoding = chooseEncoding(spec);
    const DataSetFitness training = readAndScore(spec, spec.training, encoding, progress);
    DataSetFitness validation;
    if (!spec.validation.isEmpty())
        validation = readAndScore(spec, spec.validation, encoding, progress);

    RunDocument document;
    document.kind = 2;
    document.targetColumn = spec.targetColumn;
    document.idColumn = spec.idColumn;
    document.dataSets[0] = DataSetRecord { Run::relativeCsvPath(out, spec.training), encoding, 0 };
    if (!spec.validation.isEmpty())
        document.dataSets[1] = DataSetRecord { Run::relativeCsvPath(out, spec.validation), encoding, 0 };
    for (int m = 0; m < spec.outputColumns.size(); ++m) {
        ModelRecord model;
        model.id = m + 1;
        model.outputColumn = spec.outputColumns[m];
        model.name = spec.outputColumns[m];
        model.trainingFitness = training.models[std::size_t(m)].rSquare;
        model.trainingAccuracy = training.models[std::size_t(m)].accuracy;
        if (!spec.validation.isEmpty()) {
            model.validationFitness = validation.models[std::size_t(m)].rSquare;
            model.validationAccuracy = validation.models[std::size_t(m)].accuracy;
        }
        document.models.push_back(model);
    }
    document.currentModel = 1;
    document.parameters[QStringLiteral("set_lr#SelectedChart")] = integerParameter(1129);
    document.parameters[QStringLiteral("set_lr#DataSet")] = integerParameter(1);
    document.parameters[QStringLiteral("set_lr#Buckets")] = integerParameter(10);
    document.parameters[QStringLiteral("data#train_Samples")] = integerParameter(training.records);
    document.parameters[QStringLiteral("data#test_Samples")] = integerParameter(validation.records);
    RunFile::save(out, document);

    return { out, int(spec.outputColumns.size()), training.records, validation.records };
}

} // namespace wb
