// Lengths and areas for a person to read, the same wherever the program shows
// or writes one: the facts, the takeoff, the plan's dimensions and every
// drawing. Pure text, no widgets, no locale.
#pragma once

#include <QString>

namespace lengthtext {

// Inches in feet and inches to the nearest eighth of an inch, the inches
// always shown and the fraction in lowest terms: 192 -> 16' 0", 292.75 ->
// 24' 4 3/4", 11.5 -> 0' 11 1/2". A negative length keeps its sign in front.
QString feetAndInchesFromInches(double inches);

// Inches alone to the nearest eighth, the fraction in lowest terms: 30 ->
// 30", 16.5 -> 16 1/2", 0.375 -> 3/8".
QString inchesText(double inches);

// Square feet to a tenth, without trailing zeros: 192 -> "192 sq ft",
// 112.46 -> "112.5 sq ft".
QString squareFeetText(double squareFeet);

} // namespace lengthtext
