#include "run/HostEnvironment.h"

#include "run/Installation.h"

namespace wb {

HostEnvironment::HostEnvironment()
    : m_folder(Installation::folder(QStringLiteral("styles")))
{
}

HostEnvironment::HostEnvironment(QString folder)
    : m_folder(std::move(folder))
{
}

QString HostEnvironment::folder() const { return m_folder; }

} // namespace wb
