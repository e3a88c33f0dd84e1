#pragma once

#include "host/HostEnvironment.h"

namespace wb {

/// The workbench's environment: the chart style files live in the installation's styles/ folder.
class HostEnvironment : public lrv::HostEnvironment {
public:
    HostEnvironment();
    explicit HostEnvironment(QString folder);

    QString folder() const override;

private:
    QString m_folder;
};

} // namespace wb
