#pragma once

#include <QString>

/// The texts the per-record reports show for flags and outcomes, in the grid and in copies alike.
namespace lrv::ReportTexts {

/// "OK" when the match flag equals 1, else "Wrong".
QString matchText(double matchFlag);
/// The outcome from the match flag and the target: "True Pos.", "True Neg.", "False Neg.", "False Pos.".
QString outcomeText(double matchFlag, double target);
/// The outcome by code: 0 "True Pos.", 1 "True Neg.", 2 "False Pos.", 3 "False Neg."; empty otherwise.
QString outcomeCodeText(double code);

} // namespace lrv::ReportTexts
