#pragma once

#include <QString>

namespace wb {

struct ModelComparison;

/// Writes compare.json, compare.svg, compare.png and compare.html (self-contained, the chart inline as SVG)
/// into `folder`, made when missing. Throws lrv::Error naming a file that cannot be written.
void writeComparison(const ModelComparison& comparison, const QString& folder);

} // namespace wb
