#include "Arguments.h"
#include "Command.h"
#include "entry/LogisticRegression.h"
#include "host/HostConfiguration.h"
#include "presenters/WorkbenchHostCore.h"
#include "run/Run.h"

#include <cstdio>

namespace wb {

namespace {

    const char* const usage = R"(Usage: vantorix-lr classes RUN

Opens the class-encoding dialog for a run: the target values of class 0 and class 1 and whether
the models represent class 1 by low outputs. OK saves the new encoding into the run file, for the
training dataset and, when the run has one, the validation dataset.
)";

    int runClasses(const QStringList& arguments)
    {
        const Arguments args(arguments, {});
        if (args.positional().size() != 1)
            throw UsageError("give exactly one run file.");
        const QString path = args.positional().first();
        WorkbenchHostCore::install();
        const bool hasValidation = Run::open(path)->dataSet(2) != nullptr;
        lrv::LogisticRegression entry;
        std::shared_ptr<lrv::IConfiguration> configuration = lrv::HostConfiguration::get();
        const bool changed = entry.ChangeClasses2(path, hasValidation, nullptr, configuration);
        std::printf(changed ? "saved the new class encoding in %s\n" : "the class encoding of %s is unchanged\n",
            qPrintable(path));
        return 0;
    }

    const CommandRegistration registration(
        { "classes", "changes the class encoding of a run", usage, Command::Needs::Display, runClasses });

}

} // namespace wb
