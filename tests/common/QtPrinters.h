#pragma once

#include <ostream>

#include <QString>

// Readable Qt values in test failure messages; every test file sees this through the build.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
