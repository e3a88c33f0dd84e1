#pragma once

#include "host/IRun.h"

#include <cstdint>
#include <memory>

#include <QString>
#include <QStringList>

class QWidget;

/// The workbench as a host embeds it: the default host core (statistics engine, run files, presenters) and
/// the few calls that show an analysis.
namespace wb {

/// Makes the workbench the library's host core and reads the host configuration installed with it
/// (share/VNRK5LGAnViews/config/default.json). Call once, after the QApplication is made. Throws lrv::Error.
void installHost();

/// Opens a run file. Throws lrv::Error for a file that cannot be read, naming what is wrong.
std::shared_ptr<lrv::IRun> openRun(const QString& path);

/// Makes a run file `out` from a scored CSV file (header row, commas, "." decimals): `target` holds the two
/// classes, each of `models` is a model's output column. Replaces `out`; throws lrv::Error for a bad file.
std::shared_ptr<lrv::IRun> runFromCsv(
    const QString& csv, const QString& target, const QStringList& models, const QString& out);

/// Shows the analysis window of a run, modal, on the chart of `chartCode` (1129 quantiles … 1136 confusion
/// matrix; -1 the run's own), and saves the user's choices into the run file when it closes.
void showAnalysis(const std::shared_ptr<lrv::IRun>& run, std::int32_t chartCode = -1, QWidget* parent = nullptr);

} // namespace wb
