#pragma once

#include "run/RunDocument.h"

#include <QString>

/// Reading and writing run files (JSON). Failures throw lrv::Error naming the file, and the line for
/// text that is not valid JSON.
namespace wb::RunFile {

RunDocument load(const QString& path);

/// Writes atomically: a temporary file in the same folder, then a rename, so that a failed write leaves
/// the old file as it was.
void save(const QString& path, const RunDocument& document);

/// Writes bytes atomically in the same way (also used for CSV and other generated files).
void writeAtomically(const QString& path, const QByteArray& bytes);

} // namespace wb::RunFile
