#include "numbertext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace numbertext {
namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Reads [sign] digits [. digits] [E [sign] digits] from the start of an ASCII
// string and says how far it got; `digits` counts the mantissa's digits.
struct Scan {
    std::size_t end = 0;
    int digits = 0;
};

Scan scanNumber(const std::string &s)
{
    Scan scan;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9')
            ++scan.digits;
        else if (s[i] == '.' && !point)
            point = true;
        else
            break;
    }
    if (scan.digits == 0)
        return scan;
    scan.end = i;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        std::size_t first = j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9')
            ++j;
        if (j > first)
            scan.end = j;
    }
    return scan;
}

// Whether a number that does not fit a double is too large (rather than too
// small): the power of ten of its first significant digit decides.
bool tooLarge(const std::string &number)
{
    long long power = 0;
    bool seenPoint = false, seenDigit = false;
    std::size_t i = 0;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        const char c = number[i];
        if (c == '.') {
            seenPoint = true;
        } else if (c >= '0' && c <= '9') {
            if (c != '0')
                seenDigit = true;
            if (seenDigit && !seenPoint)
                ++power;
            else if (!seenDigit && seenPoint)
                --power;
        }
    }
    long long exponent = 0;
    bool negative = false;
    if (i < number.size()) {
        ++i;
        if (i < number.size() && (number[i] == '+' || number[i] == '-'))
            negative = number[i++] == '-';
        for (; i < number.size(); ++i)
            exponent = std::min(exponent * 10 + (number[i] - '0'), 1'000'000'000LL); // saturates
    }
    return power + (negative ? -exponent : exponent) > 0;
}

// Converts a scanned number. One too large for a double gives infinity with
// `inRange` cleared; one too small to hold gives 0.
double convert(const std::string &number, bool &inRange)
{
    inRange = true;
    std::size_t start = 0;
    bool negative = false;
    if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
        negative = number[0] == '-';
        start = 1;
    }
    std::string body = number.substr(start);
    if (!body.empty() && body[0] == '.')
        body.insert(body.begin(), '0');
    double value = 0;
    auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on both overflow and underflow.
        inRange = !tooLarge(body);
        value = inRange ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (ec != std::errc() || ptr != body.data() + body.size()) {
        inRange = false;
        value = 0;
    }
    return negative ? -value : value;
}

std::string toAscii(QStringView text)
{
    std::string out;
    out.reserve(std::size_t(text.size()));
    for (QChar c : text)
        out.push_back(c.unicode() < 128 ? char(c.unicode()) : '\x01');
    return out;
}

} // namespace

double leadingNumber(QStringView text)
{
    std::string squeezed;
    for (QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        squeezed.push_back(c.unicode() < 128 ? char(c.unicode()) : '\x01');
    }
    const Scan scan = scanNumber(squeezed);
    if (scan.end == 0)
        return 0;
    bool inRange = true;
    return convert(squeezed.substr(0, scan.end), inRange);
}

std::optional<double> strictNumber(QStringView text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    const std::string s = toAscii(text.mid(first, last - first));
    const Scan scan = scanNumber(s);
    if (scan.end == 0 || scan.end != s.size())
        return std::nullopt;
    bool inRange = true;
    const double value = convert(s, inRange);
    if (!inRange)
        return std::nullopt;
    return value;
}

QString generalNumber(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return QString::fromLatin1(buffer);
}

} // namespace numbertext
