#pragma once

#include <QString>

/// The texts the per-record reports show for flags and outcomes, in the grid and in copies alike.
/// A calculation error has no outcome: its match is empty and its type says it is a calculation error.
namespace lrv::ReportTexts {

/// "OK" when the match flag equals 1, else "Wrong"; empty for a calculation error.
QString matchText(double matchFlag, bool calculationError = false);
/// The outcome from the match flag and the target: "True Pos.", "True Neg.", "False Neg.", "False Pos.".
QString outcomeText(double matchFlag, double target, bool calculationError = false);
/// The outcome by code: 0 "True Pos.", 1 "True Neg.", 2 "False Pos.", 3 "False Neg."; empty otherwise.
QString outcomeCodeText(double code, bool calculationError = false);
/// The type of a calculation-error record.
QString calculationErrorText();
/// e raised to the slope of the log-odds fit, or "UNDEFINED" when the fit is undefined (its slope the
/// marker kUndefinedFit or not finite) or the power overflows. The statistics grid and the window show this text.
QString expSlopeText(double slope);

} // namespace lrv::ReportTexts
