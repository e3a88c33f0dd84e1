#pragma once

#include "host/IConfiguration.h"

#include <map>
#include <memory>

namespace wb {

/// The host configuration: a flat JSON object of keys to numbers or texts (a colour as key.R/.G/.B).
class Configuration : public lrv::IConfiguration {
public:
    explicit Configuration(std::map<QString, lrv::Variant> values);

    /// Reads a configuration file. "App.Help" given as a relative path ("help/index.html?") becomes the
    /// file: address of that path beside the configuration's folder. Throws lrv::Error naming the file
    /// (and the line for bad JSON).
    static std::shared_ptr<Configuration> load(const QString& path);
    /// The installation's config/default.json.
    static std::shared_ptr<Configuration> loadDefault();

    std::optional<lrv::Variant> setting(const QString& key) const override;

private:
    std::map<QString, lrv::Variant> m_values;
};

} // namespace wb
