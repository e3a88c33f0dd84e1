#include "support/RegistryLib.h"

#include "support/Platform.h"

#include <QSettings>

namespace lrv::RegistryLib {

void SaveAppSetting(const QString& section, const QString& key, const QString& value)
{
    auto settings = Platform::instance().openSettings();
    settings->beginGroup(section);
    settings->setValue(key, value);
    settings->endGroup();
    settings->sync();
}

QString GetAppSetting(const QString& section, const QString& key, const Variant& defaultValue)
{
    auto settings = Platform::instance().openSettings();
    settings->beginGroup(section);
    const QVariant stored = settings->value(key);
    settings->endGroup();
    if (!stored.isValid())
        return defaultValue.text();
    return stored.toString();
}

} // namespace lrv::RegistryLib
