#pragma once

#include <nlohmann/json.hpp>

#include <QByteArray>
#include <QString>

namespace wb::JsonFile {

/// The bytes of a file; lrv::Error "Cannot open the NOUN PATH: REASON." when it cannot be read.
QByteArray read(const QString& path, const QString& noun);

/// lrv::Error for text that is no JSON: "The NOUN PATH is not valid JSON at line L: REASON." and the
/// advice, the line found from the parser's byte position; without a position (a number beyond the range
/// of a double) the line is left out.
[[noreturn]] void throwInvalid(const QString& path, const QString& noun, const QString& advice, const QByteArray& bytes,
    const nlohmann::json::exception& error);

/// The JSON document of a file, parsed as Json (nlohmann::json or nlohmann::ordered_json). The messages
/// name the file as "the NOUN PATH"; advice (a sentence or empty) follows a message on bad JSON.
template <typename Json> Json parse(const QString& path, const QString& noun, const QString& advice = {})
{
    const QByteArray bytes = read(path, noun);
    try {
        return Json::parse(bytes.constBegin(), bytes.constEnd());
    } catch (const nlohmann::json::exception& error) {
        throwInvalid(path, noun, advice, bytes, error);
    }
}

} // namespace wb::JsonFile
