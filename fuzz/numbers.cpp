// The number rules on any text: whatever is read is finite or a clear infinity,
// a text read as a whole number reads alike as a leading number, and printing
// a number and reading the print back gives the same number to 15 digits.
#include "fuzzing.h"
#include "numbertext.h"

#include <cmath>

using namespace numbertext;

static void printsBack(double value)
{
    if (!std::isfinite(value) || std::abs(value) >= 1e308) // 15 digits of more may round past the largest double
        return;
    const QString printed = generalNumber(value);
    const auto again = strictNumber(printed);
    require(again.has_value(), "the print of a number reads as a number:", printed);
    require(std::abs(*again - value) <= 1e-14 * std::abs(value) + 5e-324, "the print reads as the same number:", printed);
    require(generalNumber(*again) == printed, "a printed number prints alike again:", printed);
    require(!printed.endsWith(u'.') && !(printed.contains(u'.') && !printed.contains(u'E') && printed.endsWith(u'0')),
            "a decimal point only before a fraction:", printed);
}

FUZZ_TARGET
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const double leading = leadingNumber(text);
    require(!std::isnan(leading), "a leading number is never NaN:", text);
    printsBack(leading);
    if (const auto whole = strictNumber(text)) {
        require(std::isfinite(*whole), "a whole number is finite:", text);
        require(leading == *whole, "a whole number is its own leading number:", text);
        printsBack(*whole);
    }
    return 0;
}
