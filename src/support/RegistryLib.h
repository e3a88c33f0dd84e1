#pragma once

#include "support/Variant.h"

#include <QString>

/// The per-user settings store of application "Vantorix 5.0"; values are stored as text.
namespace lrv::RegistryLib {

/// The section of the analysis window's settings.
inline const QString kSection = QStringLiteral("Logistic Regression");

void SaveAppSetting(const QString& section, const QString& key, const QString& value);
/// The stored text, or the default's text when the key is absent (empty without a default).
QString GetAppSetting(const QString& section, const QString& key, const Variant& defaultValue = Variant());

} // namespace lrv::RegistryLib
