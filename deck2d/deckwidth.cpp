#include "deckwidth.h"

#include "numbertext.h"

namespace deckwidth {

std::optional<Refusal> refusalOf(QStringView text)
{
    const double value = numbertext::leadingNumber(text);
    if (value < Smallest)
        return Refusal{QStringLiteral("Deck Width must be at least 10 feet"), false};
    if (!numbertext::isWholeNumber(text))
        return Refusal{QStringLiteral("Please enter a valid Deck Width and try again"), true};
    if (value > Largest)
        return Refusal{QStringLiteral("Please enter a Deck Width between 10 and 800 feet"), true};
    return std::nullopt;
}

std::optional<QString> stepped(QStringView text, int by)
{
    const std::optional<double> width = numbertext::strictNumber(text);
    if (!width)
        return std::nullopt;
    return numbertext::generalNumber(*width + by);
}

} // namespace deckwidth
