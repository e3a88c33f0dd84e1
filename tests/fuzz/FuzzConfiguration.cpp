// The host configuration reader on arbitrary bytes; only lrv::Error may come out.
#include "FuzzInput.h"
#include "run/Configuration.h"
#include "support/Error.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A folder of its own: a relative help path is resolved beside it.
    static const QString folder = QString::fromStdString(scratchPath("config", "/config"));
    static const bool made = QDir().mkpath(folder);
    if (!made)
        __builtin_trap();
    static const QString path = folder + QStringLiteral("/c.json");
    writeInput(path.toStdString(), data, size);
    try {
        const auto configuration = wb::Configuration::load(path);
        for (const char* key : { "App.Help", "LogisticRegression.Charts.Background.R", "" })
            if (const auto value = configuration->setting(QString::fromLatin1(key)))
                (void)value->text();
    } catch (const lrv::Error&) {
    }
    return 0;
}
