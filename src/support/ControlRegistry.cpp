#include "support/ControlRegistry.h"

#include <map>

#include <QWidget>

namespace lrv {

namespace {
    std::map<QString, ControlRegistry::Factory>& factories()
    {
        static std::map<QString, ControlRegistry::Factory> map;
        return map;
    }
}

void ControlRegistry::add(const QString& progId, Factory factory) { factories()[progId] = std::move(factory); }

bool ControlRegistry::contains(const QString& progId) { return factories().count(progId) > 0; }

QWidget* ControlRegistry::create(const QString& progId, QWidget* parent)
{
    const auto found = factories().find(progId);
    if (found == factories().end())
        return nullptr;
    return found->second(parent);
}

QStringList ControlRegistry::progIds()
{
    QStringList ids;
    for (const auto& [id, factory] : factories())
        ids.append(id);
    return ids;
}

QString ControlRegistry::progIdOf(const QString& controlName)
{
    return QStringLiteral("VNRK5LGAnViews.") + controlName;
}

} // namespace lrv
