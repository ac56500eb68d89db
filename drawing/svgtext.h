// Numbers as the SVG files written by hand (a drawing, a sheet) print them.
#pragma once

#include <QString>

namespace deckview {

// A coordinate: at most `decimals` places, no trailing zeros, never "-0".
inline QString svgNumber(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    while (text.contains(u'.') && text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == u"-0" ? QStringLiteral("0") : text;
}

} // namespace deckview
