// A member's name: its words and its number ("Baluster 12"), as
// QStringLiteral("Baluster %1").arg(12) writes it, without parsing a pattern:
// a deck names hundreds of members each time it is framed, and the search for
// a framing that passes frames hundreds of decks.
#pragma once

#include <QString>
#include <QStringView>

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
    QString name;
    name.reserve(words.size() + 1 + qsizetype(std::size(digits)) - first);
    return name.append(words).append(u' ').append(QStringView(digits + first, digits + std::size(digits)));
}

} // namespace deckmodel
