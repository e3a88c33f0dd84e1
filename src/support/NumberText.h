#pragma once

#include <QString>

namespace lrv {

/// The default text of a number: at most 15 significant digits, no trailing zeros, the locale's decimal
/// separator, exponent form ("1E-05", "1.5E+20") below 1e-4 and from 1e15 on, "NaN", "inf" and "-inf"
/// for the numbers that are not finite. Every "default text" or "plain text" of a number is this one.
QString defaultNumberText(double value);

/// The default text with a separator given once, for loops over many numbers.
QString defaultNumberText(double value, const QString& decimalSeparator);

/// The same text with "." as decimal separator, for files and addresses.
QString invariantNumberText(double value);

/// Room enough for any invariant number text.
inline constexpr int kNumberTextCapacity = 32;
/// Writes the invariant text (ASCII) at `out`, which has room for kNumberTextCapacity characters; returns
/// its end. For loops over millions of cells: no string is made.
char* writeInvariantNumberText(char* out, double value);

} // namespace lrv

namespace lrv {

/// A fraction in the locale's percent format with the given decimals: 0.125 gives "12.50%".
QString percentText(double fraction, int decimals);

/// An accuracy (a percentage 0..100) without needless zeros: 0 and 100 without decimals, otherwise two
/// decimals cut to one or none when they end in zeros: 87.5 gives "87.5%", 90 "90%", 87.25 "87.25%".
QString accuracyText(double percent);

/// Scientific notation: a mantissa with two decimals, "E" and a signed exponent of at least two digits,
/// with the locale's decimal separator ("1.23E+05").
QString scientificText(double value);

/// A tick label: one decimal ("0.0", "0.5", "1.0"), scientific when that is longer than 8 characters.
QString tickLabelText(double value);

/// A number with up to `digits` decimals: "1" for exactly 1, "0" for 0 or NaN, trailing zeros and a
/// trailing separator removed; scientific when it would round to zero at eight decimals or has more
/// than nine integer digits.
QString roundedText(double value, int digits);
/// roundedText with 8 and with 15 decimals, as charts, legends and report cells show numbers.
QString roundedText8(double value);
QString roundedText15(double value);

/// A figure of a comparison table: fixed decimals with "." ("0.8123"), "–" when it is not finite.
QString figureText(double value, int decimals);
/// A p-value: four decimals, "< 0.0001" below that, "–" when it is not finite.
QString pValueText(double p);

} // namespace lrv
