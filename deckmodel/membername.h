// A member's name: its words and its number ("Baluster 12"), as
// QStringLiteral("Baluster %1").arg(12) writes it, without parsing a pattern:
// a deck names hundreds of members each time it is framed, and the search for
// a framing that passes frames hundreds of decks.
#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>
#include <iterator>

namespace deckmodel {

inline QString numbered(QStringView words, qsizetype number)
{
    char16_t digits[24];
    qsizetype first = std::size(digits);
    unsigned long long rest = number < 0 ? 0ull - (unsigned long long)number : (unsigned long long)number;
    do
        digits[--first] = char16_t(u'0' + rest % 10);
    while (rest /= 10);
    if (number < 0)
        digits[--first] = u'-';
    const qsizetype count = qsizetype(std::size(digits)) - first;
    QString name(words.size() + 1 + count, Qt::Uninitialized);
    QChar *out = std::copy(words.begin(), words.end(), name.data());
    *out++ = u' ';
    std::copy(digits + first, digits + first + count, out);
    return name;
}

} // namespace deckmodel
