// The host configuration reader on arbitrary bytes; only lrv::Error may come out.
#include "run/Configuration.h"
#include "support/Error.h"

#include <cstdint>
#include <cstdio>
#include <unistd.h>

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString path = QStringLiteral("/tmp/lrv-fuzz-config-%1/config/c.json").arg(::getpid());
    // A folder of its own: a relative help path is resolved beside it.
    static const bool made = QDir().mkpath(QStringLiteral("/tmp/lrv-fuzz-config-%1/config").arg(::getpid()));
    if (!made)
        __builtin_trap();
    std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (!file)
        __builtin_trap();
    if (size > 0)
        std::fwrite(data, 1, size, file);
    std::fclose(file);
    try {
        const auto configuration = wb::Configuration::load(path);
        for (const char* key : { "App.Help", "LogisticRegression.Charts.Background.R", "" })
            if (const auto value = configuration->setting(QString::fromLatin1(key)))
                (void)value->text();
    } catch (const lrv::Error&) {
    }
    return 0;
}
