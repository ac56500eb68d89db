// Reading and printing the numbers that live in the wizard's text boxes.
// Pure text functions: no widget, no locale. "." is always the decimal point.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace numbertext {

// The leading number of a text: blanks, tabs and line feeds anywhere in it are
// ignored; then an optional sign, digits with at most one ".", and an optional
// exponent (E or e, an optional sign, digits) are read, up to the first other
// character. A text without a leading number reads as 0. A number too large
// for a double reads as plus or minus infinity.
double leadingNumber(QStringView text);

// The text as a whole, blanks at either end aside, is one number of the form
// above (no inner blanks, no thousands separators, within the range of a
// double). Returns its value, or nothing.
std::optional<double> strictNumber(QStringView text);

inline bool isWholeNumber(QStringView text) { return strictNumber(text).has_value(); }

// The general number format: up to 15 significant digits, a decimal point only
// when there is a fraction, "-" for negatives, no thousands separators, and an
// exponent ("1E+20") only where the number needs one. 20.5 -> "20.5", 21 -> "21".
QString generalNumber(double value);

} // namespace numbertext
