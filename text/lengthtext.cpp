#include "lengthtext.h"

#include <cmath>
#include <cstdlib>

namespace lengthtext {

QString feetAndInchesFromInches(double inches)
{
    const long long eighths = std::llround(std::abs(inches) * 8);
    const QString sign = inches < 0 && eighths > 0 ? QStringLiteral("-") : QString();
    const long long feet = eighths / 96, rest = eighths % 96, whole = rest / 8;
    long long fraction = rest % 8, denominator = 8;
    while (fraction && fraction % 2 == 0)
        fraction /= 2, denominator /= 2;
    QString text = QStringLiteral("%1%2' %3").arg(sign).arg(feet).arg(whole);
    if (fraction)
        text += QStringLiteral(" %1/%2").arg(fraction).arg(denominator);
    return text + u'"';
}

QString inchesText(double inches)
{
    const long long eighths = std::llround(std::abs(inches) * 8);
    const QString sign = inches < 0 && eighths > 0 ? QStringLiteral("-") : QString();
    long long fraction = eighths % 8, denominator = 8;
    while (fraction && fraction % 2 == 0)
        fraction /= 2, denominator /= 2;
    QString text = sign;
    if (eighths / 8 || !fraction)
        text += QString::number(eighths / 8);
    if (fraction)
        text += QStringLiteral("%1%2/%3").arg(eighths / 8 ? QStringLiteral(" ") : QString()).arg(fraction).arg(denominator);
    return text + u'"';
}

QString squareFeetText(double squareFeet)
{
    const long long tenths = std::llround(squareFeet * 10);
    QString text = QString::number(tenths / 10);
    if (tenths % 10 != 0)
        text += u'.' + QString::number(std::abs(tenths % 10));
    return text + QStringLiteral(" sq ft");
}

} // namespace lengthtext
