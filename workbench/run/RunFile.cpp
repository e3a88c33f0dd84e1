#include "run/RunFile.h"

#include "run/AtomicFile.h"
#include "run/JsonFile.h"
#include "support/Error.h"
#include "support/NumberText.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

namespace wb::RunFile {

namespace {
    using json = nlohmann::ordered_json;

    const char* const dataSetNames[2] = { "training", "validation" };

    /// A schema problem, reported with the file's name by load().
    struct FormatProblem {
        QString what;
    };

    [[noreturn]] void problem(const QString& what) { throw FormatProblem { what }; }

    QString toText(const std::string& text) { return QString::fromStdString(text); }
    std::string toUtf8(const QString& text) { return text.toStdString(); }

    const json& member(const json& object, const char* key, const QString& where)
    {
        const auto it = object.find(key);
        if (it == object.end())
            problem(QStringLiteral("%1 lacks \"%2\"").arg(where, QString::fromLatin1(key)));
        return *it;
    }

    QString textOf(const json& value, const QString& what)
    {
        if (!value.is_string())
            problem(QStringLiteral("%1 must be a text").arg(what));
        return toText(value.get<std::string>());
    }

    double numberOf(const json& value, const QString& what)
    {
        if (!value.is_number())
            problem(QStringLiteral("%1 must be a number").arg(what));
        return value.get<double>();
    }

    std::int32_t int32Of(const json& value, const QString& what)
    {
        const double number = numberOf(value, what);
        if (number != std::floor(number) || number < std::numeric_limits<std::int32_t>::min()
            || number > std::numeric_limits<std::int32_t>::max())
            problem(QStringLiteral("%1 must be a whole number that fits 32 bits").arg(what));
        return std::int32_t(number);
    }

    double optionalNumber(const json& object, const char* key, const QString& where, double fallback)
    {
        const auto it = object.find(key);
        if (it == object.end() || it->is_null())
            return fallback;
        return numberOf(*it, QStringLiteral("%1 \"%2\"").arg(where, QString::fromLatin1(key)));
    }

    ModelRecord readModel(const json& value, int index)
    {
        const QString where = QStringLiteral("model %1").arg(index + 1);
        if (!value.is_object())
            problem(where + QStringLiteral(" must be an object"));
        ModelRecord model;
        model.id = int32Of(member(value, "id", where), where + QStringLiteral(" \"id\""));
        model.outputColumn = textOf(member(value, "output", where), where + QStringLiteral(" \"output\""));
        if (const auto it = value.find("name"); it != value.end() && !it->is_null())
            model.name = textOf(*it, where + QStringLiteral(" \"name\""));
        model.trainingFitness = optionalNumber(value, "trainingFitness", where, -1);
        model.trainingAccuracy = optionalNumber(value, "trainingAccuracy", where, -1);
        model.validationFitness = optionalNumber(value, "validationFitness", where, -1);
        model.validationAccuracy = optionalNumber(value, "validationAccuracy", where, -1);
        return model;
    }

    lrv::RunParameter readParameter(const json& value, const QString& key)
    {
        const QString where = QStringLiteral("parameter \"%1\"").arg(key);
        if (!value.is_object())
            problem(where + QStringLiteral(" must be an object with \"type\" and \"value\""));
        lrv::RunParameter parameter;
        parameter.type = int32Of(member(value, "type", where), where + QStringLiteral(" \"type\""));
        const json& item = member(value, "value", where);
        if (parameter.type == lrv::RunParameterInt32) {
            parameter.value = double(int32Of(item, where + QStringLiteral(" \"value\"")));
        } else if (parameter.type == lrv::RunParameterNumberText) {
            const QString text = textOf(item, where + QStringLiteral(" \"value\""));
            bool ok = false;
            text.toDouble(&ok); // QString::toDouble reads "." whatever the locale
            if (!ok)
                problem(where + QStringLiteral(" must hold a number as text with \".\", not \"%1\"").arg(text));
            parameter.value = text;
        } else if (parameter.type == lrv::RunParameterText) {
            parameter.value = textOf(item, where + QStringLiteral(" \"value\""));
        } else {
            problem(where
                + QStringLiteral(" has type %1; the types are 3 (32-bit number), 5 (number as text) and 8 (text)")
                      .arg(parameter.type));
        }
        return parameter;
    }

    RunDocument readDocument(const json& root)
    {
        if (!root.is_object())
            problem(QStringLiteral("the file must hold one JSON object"));
        RunDocument document;
        const std::int32_t format = int32Of(member(root, "format", QStringLiteral("the run")), "\"format\"");
        if (format != RunDocument::currentFormat)
            problem(QStringLiteral("format %1 is not supported (only format 1)").arg(format));
        if (const auto it = root.find("kind"); it != root.end())
            document.kind = int32Of(*it, "\"kind\"");
        document.targetColumn = textOf(member(root, "targetColumn", QStringLiteral("the run")), "\"targetColumn\"");
        if (const auto it = root.find("idColumn"); it != root.end() && !it->is_null())
            document.idColumn = textOf(*it, "\"idColumn\"");
        if (const auto it = root.find("targetLabels"); it != root.end() && !it->is_null()) {
            if (!it->is_array() || it->size() != 2)
                problem(QStringLiteral(
                    "\"targetLabels\" must be a list of two texts: the classes of target values 0 and 1"));
            for (const json& label : *it)
                document.targetLabels << textOf(label, QStringLiteral("a target label"));
            if (document.targetLabels[0] == document.targetLabels[1])
                problem(QStringLiteral("\"targetLabels\" names the same text for both classes"));
        }

        const json* encodings = root.contains("classEncoding") ? &root["classEncoding"] : nullptr;
        const json* samplings = root.contains("sampling") ? &root["sampling"] : nullptr;
        for (int d = 0; d < 2; ++d) {
            const auto it = root.find(dataSetNames[d]);
            if (it == root.end() || it->is_null()) {
                if (d == 0)
                    problem(QStringLiteral("the run lacks its \"training\" CSV file"));
                continue;
            }
            DataSetRecord dataSet;
            dataSet.path = textOf(*it, QStringLiteral("\"%1\"").arg(QString::fromLatin1(dataSetNames[d])));
            const QString where = QStringLiteral("class encoding \"%1\"").arg(QString::fromLatin1(dataSetNames[d]));
            if (encodings && encodings->contains(dataSetNames[d])) {
                const json& encoding = (*encodings)[dataSetNames[d]];
                if (!encoding.is_object())
                    problem(where + QStringLiteral(" must be an object with \"min\", \"max\" and \"invert\""));
                dataSet.encoding.min = numberOf(member(encoding, "min", where), where + QStringLiteral(" \"min\""));
                dataSet.encoding.max = numberOf(member(encoding, "max", where), where + QStringLiteral(" \"max\""));
                if (const auto inv = encoding.find("invert"); inv != encoding.end()) {
                    if (!inv->is_boolean())
                        problem(where + QStringLiteral(" \"invert\" must be true or false"));
                    dataSet.encoding.invert = inv->get<bool>();
                }
                if (dataSet.encoding.min == dataSet.encoding.max)
                    problem(where + QStringLiteral(" names the same value for both classes"));
            }
            if (samplings && samplings->contains(dataSetNames[d]))
                dataSet.sampling = int32Of((*samplings)[dataSetNames[d]],
                    QStringLiteral("sampling \"%1\"").arg(QString::fromLatin1(dataSetNames[d])));
            document.dataSets[std::size_t(d)] = dataSet;
        }

        const json& models = member(root, "models", QStringLiteral("the run"));
        if (!models.is_array())
            problem(QStringLiteral("\"models\" must be a list"));
        for (std::size_t i = 0; i < models.size(); ++i) {
            ModelRecord model = readModel(models[i], int(i));
            for (const ModelRecord& other : document.models)
                if (other.id == model.id)
                    problem(QStringLiteral("model id %1 is used twice").arg(model.id));
            document.models.push_back(std::move(model));
        }
        if (const auto it = root.find("currentModel"); it != root.end())
            document.currentModel = int32Of(*it, "\"currentModel\"");
        else if (!document.models.empty())
            document.currentModel = document.models.front().id;

        if (const auto it = root.find("parameters"); it != root.end()) {
            if (!it->is_object())
                problem(QStringLiteral("\"parameters\" must be an object of key to {type, value}"));
            for (const auto& [key, value] : it->items())
                document.parameters[toText(key)] = readParameter(value, toText(key));
        }
        return document;
    }

    json writeDocument(const RunDocument& document)
    {
        json root = json::object();
        root["format"] = RunDocument::currentFormat;
        root["kind"] = document.kind;
        root["targetColumn"] = toUtf8(document.targetColumn);
        if (!document.idColumn.isEmpty())
            root["idColumn"] = toUtf8(document.idColumn);
        if (!document.targetLabels.isEmpty())
            root["targetLabels"] = { toUtf8(document.targetLabels.value(0)), toUtf8(document.targetLabels.value(1)) };
        json encodings = json::object();
        json samplings = json::object();
        for (int d = 0; d < 2; ++d) {
            const auto& dataSet = document.dataSets[std::size_t(d)];
            if (!dataSet)
                continue;
            root[dataSetNames[d]] = toUtf8(dataSet->path);
            encodings[dataSetNames[d]] = { { "min", dataSet->encoding.min }, { "max", dataSet->encoding.max },
                { "invert", dataSet->encoding.invert } };
            samplings[dataSetNames[d]] = dataSet->sampling;
        }
        json models = json::array();
        for (const ModelRecord& model : document.models) {
            json item = { { "id", model.id }, { "output", toUtf8(model.outputColumn) } };
            if (!model.name.isEmpty())
                item["name"] = toUtf8(model.name);
            item["trainingFitness"] = model.trainingFitness;
            item["trainingAccuracy"] = model.trainingAccuracy;
            item["validationFitness"] = model.validationFitness;
            item["validationAccuracy"] = model.validationAccuracy;
            models.push_back(std::move(item));
        }
        root["models"] = std::move(models);
        root["currentModel"] = document.currentModel;
        root["classEncoding"] = std::move(encodings);
        root["sampling"] = std::move(samplings);
        json parameters = json::object();
        for (const auto& [key, parameter] : document.parameters) {
            json value;
            if (parameter.type == lrv::RunParameterNumberText)
                value = toUtf8(parameter.value.isNumber() ? lrv::invariantNumberText(parameter.value.toDouble())
                                                          : parameter.value.text());
            else if (parameter.type == lrv::RunParameterText)
                value = toUtf8(parameter.value.text());
            else
                value = std::int64_t(std::llround(parameter.value.isNumeric() ? parameter.value.toDouble() : 0.0));
            parameters[toUtf8(key)] = { { "type", parameter.type }, { "value", std::move(value) } };
        }
        root["parameters"] = std::move(parameters);
        return root;
    }
}

RunDocument load(const QString& path)
{
    const json root = JsonFile::parse<json>(path, QStringLiteral("run file"),
        QStringLiteral("Correct the file or make it again with \"vantorix-lr new\"."));
    try {
        return readDocument(root);
    } catch (const FormatProblem& failure) {
        throw lrv::Error(QStringLiteral("The run file %1 is not a valid run: %2.").arg(path, failure.what));
    }
}

void save(const QString& path, const RunDocument& document)
{
    std::string text;
    try {
        text = writeDocument(document).dump(2) + "\n";
    } catch (const json::exception& error) {
        throw lrv::Error(QStringLiteral("Cannot write the run file %1: %2.").arg(path, toText(error.what())));
    }
    writeAtomically(path, QByteArray::fromStdString(text));
}

void writeAtomically(const QString& path, const QByteArray& bytes)
{
    AtomicFile file(path);
    file.write(bytes.constData(), std::size_t(bytes.size()));
    file.commit();
}

} // namespace wb::RunFile
