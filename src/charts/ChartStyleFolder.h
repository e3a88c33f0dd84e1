#pragma once

#include <QString>

/// Where the chart style files are, which the style reader (support/XTremeChartsHelper.h) reads.
namespace lrv::XTremeChartsHelper {

/// The folder of the chart style files: the host environment's when a host core is installed, else the
/// styles folder found beside the program or in the source tree; empty when none is found.
QString StyleFolder();
/// The folder followed by the file name.
QString StylePath(const QString& fileName);

} // namespace lrv::XTremeChartsHelper
