// Numbers as the SVG files written by hand (a drawing, a sheet) print them.
#pragma once

#include <QLatin1StringView>
#include <QString>

#include <cmath>

namespace deckview {

// The long way: Qt's exact decimal rounding, then the zeros trimmed.
inline QString svgNumberRounded(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    while (text.contains(u'.') && text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == u"-0" ? QStringLiteral("0") : text;
}

// Appends a coordinate: at most `decimals` places, no trailing zeros, never
// "-0". A drawing prints tens of thousands of them, so the common case is
// an integer count of the last place's units printed directly; a value
// within a millionth of a unit of a tie between two roundings (where the
// product's own rounding might not be the exact one), a large one or one
// that is not finite goes the long way.
inline void appendSvgNumber(QString &out, double value, int decimals)
{
    static constexpr long long Scales[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    if (decimals >= 0 && decimals <= 6) {
        const double scaled = value * double(Scales[decimals]);
        if (std::abs(scaled) < 1e8) {
            const double whole = std::floor(scaled);
            const double part = scaled - whole;
            if (std::abs(part - 0.5) > 1e-6) {
                long long units = (long long)(whole) + (part > 0.5 ? 1 : 0);
                char text[32];
                char *end = text + sizeof text, *p = end;
                const bool negative = units < 0;
                if (negative)
                    units = -units;
                long long fraction = units % Scales[decimals], integer = units / Scales[decimals];
                int places = decimals;
                while (places > 0 && fraction % 10 == 0)
                    fraction /= 10, --places;
                for (; places > 0; --places, fraction /= 10)
                    *--p = char('0' + fraction % 10);
                if (p != end)
                    *--p = '.';
                do
                    *--p = char('0' + integer % 10);
                while ((integer /= 10) > 0);
                if (negative)
                    *--p = '-';
                out += QLatin1StringView(p, end - p);
                return;
            }
        }
    }
    out += svgNumberRounded(value, decimals);
}

// A coordinate as appendSvgNumber prints it.
inline QString svgNumber(double value, int decimals)
{
    QString text;
    appendSvgNumber(text, value, decimals);
    return text;
}

} // namespace deckview
