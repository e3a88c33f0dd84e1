#include "window/Hourglass.h"

#include <QCursor>
#include <QGuiApplication>

namespace lrv {

Hourglass::Hourglass() { QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor)); }

Hourglass::~Hourglass() { reset(); }

void Hourglass::reset()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

} // namespace lrv
