#include "run/Configuration.h"

#include "run/Installation.h"
#include "run/JsonFile.h"
#include "support/Error.h"

#include <nlohmann/json.hpp>

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace wb {

namespace {
    const QString helpKey = QStringLiteral("App.Help");

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
    const nlohmann::json root = JsonFile::parse<nlohmann::json>(path, QStringLiteral("configuration"));
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
