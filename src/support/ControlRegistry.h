#pragma once

#include <functional>

#include <QString>
#include <QStringList>

class QWidget;

namespace lrv {

/// Maps a control's program identifier ("VNRK5LGAnViews.ROCChart") to a factory. The entry layer registers
/// the library's controls (registerControls); windows create their child controls here.
class ControlRegistry {
public:
    using Factory = std::function<QWidget*(QWidget* parent)>;

    /// Registers or replaces the factory of a program identifier.
    static void add(const QString& progId, Factory factory);
    static bool contains(const QString& progId);
    /// A new control, or nullptr when the identifier is not registered.
    static QWidget* create(const QString& progId, QWidget* parent);
    static QStringList progIds();

    /// The program identifier of one of this library's controls: "VNRK5LGAnViews." + name.
    static QString progIdOf(const QString& controlName);
};

} // namespace lrv
