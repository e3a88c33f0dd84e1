#include "run/JsonFile.h"

#include "support/Error.h"

#include <QFile>

namespace wb::JsonFile {

namespace {
    int lineOfOffset(const QByteArray& bytes, std::size_t offset)
    {
        int line = 1;
        for (std::size_t i = 0; i < offset && i < std::size_t(bytes.size()); ++i)
            if (bytes[qsizetype(i)] == '\n')
                ++line;
        return line;
    }

    /// The parser's message without its error code and position: what follows `marker`.
    QString reasonOf(const std::exception& error, const char* marker)
    {
        std::string reason = error.what();
        if (const auto at = reason.find(marker); at != std::string::npos)
            reason = reason.substr(at + 2);
        return QString::fromStdString(reason);
    }

    QString withAdvice(const QString& message, const QString& advice)
    {
        return advice.isEmpty() ? message : message + QLatin1Char(' ') + advice;
    }
}

QByteArray read(const QString& path, const QString& noun)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw lrv::Error(QStringLiteral("Cannot open the %1 %2: %3.").arg(noun, path, file.errorString()));
    return file.readAll();
}

void throwInvalid(const QString& path, const QString& noun, const QString& advice, const QByteArray& bytes,
    const nlohmann::json::exception& error)
{
    if (const auto* parseError = dynamic_cast<const nlohmann::json::parse_error*>(&error))
        throw lrv::Error(withAdvice(QStringLiteral("The %1 %2 is not valid JSON at line %3: %4.")
                                        .arg(noun, path)
                                        .arg(lineOfOffset(bytes, parseError->byte == 0 ? 0 : parseError->byte - 1))
                                        .arg(reasonOf(error, ": ")),
            advice));
    throw lrv::Error(
        withAdvice(QStringLiteral("The %1 %2 is not valid JSON: %3.").arg(noun, path, reasonOf(error, "] ")), advice));
}

} // namespace wb::JsonFile
