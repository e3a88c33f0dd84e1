// The run file reader on arbitrary bytes. A run that loads must save and load again to the same run.
#include "run/RunFile.h"
#include "support/Error.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

QString scratchPath(const char* suffix)
{
    return QStringLiteral("/tmp/lrv-fuzz-run-%1%2").arg(::getpid()).arg(QLatin1String(suffix));
}

void write(const QString& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (!file)
        __builtin_trap();
    if (size > 0)
        std::fwrite(data, 1, size, file);
    std::fclose(file);
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString path = scratchPath(".run");
    static const QString copy = scratchPath("-saved.run");
    write(path, data, size);
    wb::RunDocument document;
    try {
        document = wb::RunFile::load(path);
    } catch (const lrv::Error&) {
        return 0;
    }
    try {
        wb::RunFile::save(copy, document);
    } catch (const lrv::Error&) {
        return 0; // text that cannot be written as JSON is refused with a message
    }
    try {
        const wb::RunDocument again = wb::RunFile::load(copy);
        if (again.models.size() != document.models.size() || again.targetColumn != document.targetColumn
            || again.currentModel != document.currentModel || again.parameters.size() != document.parameters.size())
            __builtin_trap();
    } catch (const lrv::Error& error) {
        std::fprintf(stderr, "a saved run does not load again: %s\n", error.what());
        __builtin_trap();
    }
    return 0;
}
