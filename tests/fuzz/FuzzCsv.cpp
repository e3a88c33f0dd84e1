// The CSV reader on arbitrary bytes: every record is scanned, then read as a dataset with and without an
// id column. Only InputError may come out.
#include "FuzzInput.h"
#include "engine/CsvScanner.h"
#include "engine/Dataset.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace wb::engine;
    static const std::string path = scratchPath("csv", ".csv");
    writeInput(path, data, size);
    try {
        CsvScanner csv(path);
        std::vector<std::string_view> fields;
        std::int64_t line = 0;
        while (csv.next(fields)) {
            // Every record starts on a later line than the one before.
            if (csv.line() <= line)
                __builtin_trap();
            line = csv.line();
        }
    } catch (const InputError&) {
    }
    DatasetSpec spec;
    spec.path = path;
    spec.targetColumn = "target";
    spec.outputColumns = { "score" };
    for (const char* id : { "", "id" }) {
        spec.idColumn = id;
        try {
            const Dataset dataset = readDataset(spec);
            if (dataset.classes.size() != dataset.size() || dataset.outputs.at(0).size() != dataset.size())
                __builtin_trap();
        } catch (const InputError&) {
        }
    }
    try {
        distinctTargets(path, "target", 3);
    } catch (const InputError&) {
    }
    return 0;
}
