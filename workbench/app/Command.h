#pragma once

#include "UsageError.h"

#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

namespace wb {

/// One command of vantorix-lr. Each command lives in its own file and registers itself with a static
/// CommandRegistration, so that adding a command is adding a file.
struct Command {
    enum class Needs {
        Core, ///< no widgets: a QCoreApplication
        Widgets, ///< widgets, drawn offscreen when there is no display
        Display, ///< a real screen
    };

    QString name;
    QString summary; ///< one line for the program's overview
    QString usage; ///< the full --help text
    Needs needs = Needs::Core;
    /// Runs with the arguments after the command name; returns the exit status. Throws UsageError for a
    /// wrong command line, any other exception for a failure (exit status 2).
    std::function<int(const QStringList&)> run;

    /// The registered commands, in the order of their names.
    static std::vector<const Command*> all();
    static const Command* find(const QString& name);
};

/// Registers a command at program start.
class CommandRegistration {
public:
    explicit CommandRegistration(Command command);
};

} // namespace wb
