#include "run/Configuration.h"

#include "run/Installation.h"
#include "support/Error.h"

#include <nlohmann/json.hpp>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace wb {

namespace {
    const QString helpKey = QStringLiteral("App.Help");

    int lineOfOffset(const QByteArray& bytes, std::size_t offset)
    {
        int line = 1;
        for (std::size_t i = 0; i < offset && i < std::size_t(bytes.size()); ++i)
            if (bytes[qsizetype(i)] == '\n')
                ++line;
        return line;
    }

    /// A relative help path becomes a file: address beside the configuration folder; the query mark stays.
    QString helpAddress(const QString& value, const QString& configPath)
    {
        if (value.isEmpty() || QUrl(value).scheme().size() > 1)
            return value;
        QString path = value;
        QString query;
        if (const auto mark = path.indexOf(QLatin1Char('?')); mark >= 0) {
            query = path.mid(mark);
            path.truncate(mark);
        }
        QDir root = QFileInfo(configPath).absoluteDir();
        root.cdUp();
        return QUrl::fromLocalFile(QDir::cleanPath(root.absoluteFilePath(path))).toString() + query;
    }
}

Configuration::Configuration(std::map<QString, lrv::Variant> values)
    : m_values(std::move(values))
{
}

std::shared_ptr<Configuration> Configuration::load(const QString& path)
{
    using nlohmann::json;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw lrv::Error(QStringLiteral("Cannot open the configuration %1: %2.").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    json root;
    try {
        root = json::parse(bytes.constBegin(), bytes.constEnd());
    } catch (const json::parse_error& error) {
        // The parser's message starts with its error code and position; keep what follows the first ": ".
        std::string reason = error.what();
        if (const auto at = reason.find(": "); at != std::string::npos)
            reason = reason.substr(at + 2);
        throw lrv::Error(QStringLiteral("The configuration %1 is not valid JSON at line %2: %3.")
                             .arg(path)
                             .arg(lineOfOffset(bytes, error.byte == 0 ? 0 : error.byte - 1))
                             .arg(QString::fromStdString(reason)));
    } catch (const json::exception& error) {
        // A number beyond the range of a double; the parser gives no position for it.
        std::string reason = error.what();
        if (const auto at = reason.find("] "); at != std::string::npos)
            reason = reason.substr(at + 2);
        throw lrv::Error(
            QStringLiteral("The configuration %1 is not valid JSON: %2.").arg(path, QString::fromStdString(reason)));
    }
    if (!root.is_object())
        throw lrv::Error(QStringLiteral("The configuration %1 must hold one JSON object of keys to values.").arg(path));
    std::map<QString, lrv::Variant> values;
    for (const auto& [key, value] : root.items()) {
        const QString name = QString::fromStdString(key);
        if (value.is_number())
            values[name] = value.get<double>();
        else if (value.is_boolean())
            values[name] = value.get<bool>() ? 1 : 0;
        else if (value.is_string())
            values[name] = QString::fromStdString(value.get<std::string>());
        else
            throw lrv::Error(QStringLiteral("The configuration %1: \"%2\" must be a number or a text (a colour is "
                                            "three keys \"%2.R\", \"%2.G\", \"%2.B\").")
                                 .arg(path, name));
    }
    if (const auto it = values.find(helpKey); it != values.end())
        it->second = helpAddress(it->second.text(), path);
    return std::make_shared<Configuration>(std::move(values));
}

std::shared_ptr<Configuration> Configuration::loadDefault()
{
    return load(Installation::folder(QStringLiteral("config")) + QStringLiteral("/default.json"));
}

std::optional<lrv::Variant> Configuration::setting(const QString& key) const
{
    const auto it = m_values.find(key);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

} // namespace wb
