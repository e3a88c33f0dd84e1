// The run file reader on arbitrary bytes. A run that loads must save and load again to the same run.
#include "FuzzInput.h"
#include "run/RunFile.h"
#include "support/Error.h"

#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = scratchPath("run", ".run");
    static const QString copy = QString::fromStdString(scratchPath("run", "-saved.run"));
    writeInput(path, data, size);
    wb::RunDocument document;
    try {
        document = wb::RunFile::load(QString::fromStdString(path));
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
