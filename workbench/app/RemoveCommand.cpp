#include "Arguments.h"
#include "Command.h"
#include "entry/LogisticRegression.h"
#include "presenters/WorkbenchHostCore.h"

#include <cstdio>

namespace wb {

namespace {

    const char* const usage = R"(Usage: vantorix-lr remove RUN

Removes the analysis stored in a run: the window's choices kept in its parameters.
)";

    int runRemove(const QStringList& arguments)
    {
        const Arguments args(arguments, {});
        if (args.positional().size() != 1)
            throw UsageError("give exactly one run file.");
        WorkbenchHostCore::install();
        lrv::LogisticRegression entry;
        entry.RemoveAnalysis(args.positional().first());
        std::printf("removed the stored analysis of %s\n", qPrintable(args.positional().first()));
        return 0;
    }

    const CommandRegistration registration(
        { "remove", "removes the stored analysis of a run", usage, Command::Needs::Core, runRemove });

}

} // namespace wb
