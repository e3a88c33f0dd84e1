#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace lrv::test {

/// Sends one key press as the keyboard would, through the widget's event filters.
inline void pressKey(
    QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

/// Types the characters one by one.
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        pressKey(widget, c.toUpper().unicode(), Qt::NoModifier, QString(c));
}

} // namespace lrv::test
