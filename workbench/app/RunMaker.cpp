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

    /// How the target names the classes: its encoding, the labels of a text target, and the texts of both classes.
    struct TargetChoice {
        lrv::ClassEncoding encoding;
        QStringList labels;
        QString positive;
        QString negative;
    };

    QString quotedList(const QStringList& texts)
    {
        QStringList quoted;
        for (const QString& text : texts)
            quoted << QLatin1Char('"') + text + QLatin1Char('"');
        return quoted.join(QStringLiteral(", "));
    }

    /// Numbers: class 0 is the smaller of two values, 0/1 targets (or one of them) keep 0 and 1, and --positive
    /// names class 1. Texts: two of them, true/false by themselves, any other pair with --positive.
    TargetChoice chooseTarget(const RunSpec& spec)
    {
        QStringList values;
        QStringList files;
        for (const QString& path : { spec.training, spec.validation }) {
            if (path.isEmpty())
                continue;
            files << path;
            const std::string source = path.toStdString(), target = spec.targetColumn.toStdString();
            for (const std::string& value : DataSet::isDatabase(path)
                    ? sql::DatabaseDataset::distinctTargets(source, target, 3)
                    : engine::distinctTargets(source, target, 3))
                if (!values.contains(QString::fromStdString(value)))
                    values << QString::fromStdString(value);
        }
        const QString where = QStringLiteral("The target column \"%1\" of %2")
                                  .arg(spec.targetColumn, files.join(QStringLiteral(" and ")));
        std::vector<double> numbers;
        for (const QString& value : values) {
            double number = 0;
            if (engine::parseFieldNumber(value.toStdString(), number)
                && std::find(numbers.begin(), numbers.end(), number) == numbers.end())
                numbers.push_back(number);
        }
        const bool numeric = !values.isEmpty() && std::all_of(values.begin(), values.end(), [](const QString& value) {
            double number = 0;
            return engine::parseFieldNumber(value.toStdString(), number);
        });
        const std::size_t count = numeric ? numbers.size() : std::size_t(values.size());
        // Files without records keep the default encoding; reading them says what is wrong.
        if (values.isEmpty())
            return { { 0, 1, spec.invert }, {}, QStringLiteral("1"), QStringLiteral("0") };
        if (count > 2 || (!numeric && count < 2))
            throw lrv::Error(
                QStringLiteral("%1 holds %2 (%3): a run needs a target of two classes.")
                    .arg(where, count > 2 ? QStringLiteral("more than two values") : QStringLiteral("one value"),
                        quotedList(values)));

        TargetChoice choice;
        choice.encoding.invert = spec.invert;
        if (numeric) {
            std::sort(numbers.begin(), numbers.end());
            const bool zeroOne = std::all_of(numbers.begin(), numbers.end(), [](double v) { return v == 0 || v == 1; });
            if (!spec.positive.isEmpty()) {
                double positive = 0;
                if (!engine::parseFieldNumber(spec.positive.toStdString(), positive)
                    || std::find(numbers.begin(), numbers.end(), positive) == numbers.end())
                    throw lrv::Error(
                        QStringLiteral("--positive \"%1\" is not a value of the target column \"%2\", which holds %3.")
                            .arg(spec.positive, spec.targetColumn, quotedList(values)));
                const double other = numbers.size() == 2 ? (numbers[0] == positive ? numbers[1] : numbers[0])
                                                         : (positive == 1 ? 0 : 1);
                choice.encoding.min = other;
                choice.encoding.max = positive;
            } else if (!zeroOne) {
                if (numbers.size() != 2)
                    throw lrv::Error(QStringLiteral("%1 holds one value (%2): a run needs a target of two classes.")
                                         .arg(where, quotedList(values)));
                choice.encoding.min = numbers[0];
                choice.encoding.max = numbers[1];
            }
            choice.positive = lrv::invariantNumberText(choice.encoding.max);
            choice.negative = lrv::invariantNumberText(choice.encoding.min);
            return choice;
        }

        const auto isBoolean = [](const QString& text, const char* word) {
            return text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
        };
        if (!spec.positive.isEmpty()) {
            if (!values.contains(spec.positive))
                throw lrv::Error(
                    QStringLiteral("--positive \"%1\" is not a value of the target column \"%2\", which holds %3.")
                        .arg(spec.positive, spec.targetColumn, quotedList(values)));
            choice.positive = spec.positive;
        } else if (isBoolean(values[0], "true") && isBoolean(values[1], "false")) {
            choice.positive = values[0];
        } else if (isBoolean(values[1], "true") && isBoolean(values[0], "false")) {
            choice.positive = values[1];
        } else {
            throw lrv::Error(QStringLiteral("%1 holds the texts %2: name the positive class with --positive LABEL.")
                                 .arg(where, quotedList(values)));
        }
        choice.negative = values[0] == choice.positive ? values[1] : values[0];
        choice.labels = QStringList { choice.negative, choice.positive };
        return choice;
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
        const RunSpec& spec, const QString& path, const TargetChoice& target, TerminalProgress& progress)
    {
        const lrv::ClassEncoding& encoding = target.encoding;
        if (DataSet::isDatabase(path))
            return scoreInDatabase(spec, path, encoding, progress);
        engine::DatasetSpec dataset;
        dataset.path = path.toStdString();
        dataset.targetColumn = spec.targetColumn.toStdString();
        dataset.idColumn = spec.idColumn.toStdString();
        for (const QString& column : spec.outputColumns)
            dataset.outputColumns.push_back(column.toStdString());
        dataset.encoding = { encoding.min, encoding.max, encoding.invert };
        for (const QString& label : target.labels)
            dataset.targetLabels.push_back(label.toStdString());

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
                    outputs.size(), encoding.invert, records.idTexts };
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
    if (!spec.replace && QFileInfo::exists(out))
        throw lrv::Error(QStringLiteral("%1 exists already; give --force to replace it.").arg(out));

    const TargetChoice target = chooseTarget(spec);
    const lrv::ClassEncoding& encoding = target.encoding;
    const DataSetFitness training = readAndScore(spec, spec.training, target, progress);
    DataSetFitness validation;
    if (!spec.validation.isEmpty())
        validation = readAndScore(spec, spec.validation, target, progress);

    RunDocument document;
    document.kind = 2;
    document.targetColumn = spec.targetColumn;
    document.idColumn = spec.idColumn;
    document.targetLabels = target.labels;
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

    MadeRun made { out, int(spec.outputColumns.size()), training.records, validation.records, {}, {}, target.positive,
        target.negative };
    for (const engine::Fitness& fitness : training.models)
        made.trainingAuc.push_back(fitness.auc);
    for (const engine::Fitness& fitness : validation.models)
        made.validationAuc.push_back(fitness.auc);
    return made;
}

} // namespace wb
