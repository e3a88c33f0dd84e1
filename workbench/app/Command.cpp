#include "Command.h"

#include <algorithm>
#include <deque>

namespace wb {

namespace {
    std::deque<Command>& registry()
    {
        static std::deque<Command> commands;
        return commands;
    }
}

CommandRegistration::CommandRegistration(Command command) { registry().push_back(std::move(command)); }

std::vector<const Command*> Command::all()
{
    std::vector<const Command*> commands;
    for (const Command& command : registry())
        commands.push_back(&command);
    std::sort(commands.begin(), commands.end(), [](const Command* a, const Command* b) { return a->name < b->name; });
    return commands;
}

const Command* Command::find(const QString& name)
{
    for (const Command& command : registry())
        if (command.name == name)
            return &command;
    return nullptr;
}

} // namespace wb
