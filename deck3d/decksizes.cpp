#include "decksizes.h"

#include "numbertext.h"

namespace decksizes {

namespace {

struct Rule {
    double stepLowest;  // the step buttons go no lower
    double stepHighest; // and no higher
    const char *stepTooHigh;
    const char *stepTooLow;
    double typedLowest; // a text left in the box must lie within these
    double typedHighest;
    const char *typedTooLow;
    const char *typedTooHigh;
    const char *repairLow;
    const char *repairHigh;
};

// The step buttons name a box by its own name, the checks by the heading above
// it. A height above 6 goes back to 3 as well: the usual height, not the limit.
const Rule &ruleOf(Row row)
{
    static const Rule a{10, 99, "Deck length can not exceed 99 feet.", "Deck length can not be less than 10 feet.",
                        10, 99, "The deck Width can not be less than 10 feet.", "The deck Width can not exceed 99 feet.",
                        "10", "99"};
    static const Rule b{10, 99, "Deck width can not exceed 99 feet.", "Deck width can not be less than 10 feet.",
                        10, 99, "The deck Length can not be less than 10 feet.", "The deck Length can not exceed 99 feet.",
                        "10", "99"};
    static const Rule height{1, 6, "Deck height can not exceed 6 feet.", "Deck height can not be less than 1 foot.",
                             3, 6, "The deck height can not be less than 3 feet.", "The deck height can not exceed 6 feet.",
                             "3", "3"};
    switch (row) {
    case Row::A: return a;
    case Row::B: return b;
    case Row::Height: break;
    }
    return height;
}

} // namespace

std::optional<Step> step(Row row, QStringView text, int direction)
{
    const std::optional<double> value = numbertext::strictNumber(text);
    if (!value)
        return std::nullopt;
    const Rule &rule = ruleOf(row);
    if (direction > 0 && *value <= rule.stepHighest - 0.5)
        return Step{numbertext::generalNumber(*value + 0.5), {}};
    if (direction < 0 && *value >= rule.stepLowest + 0.5)
        return Step{numbertext::generalNumber(*value - 0.5), {}};
    return Step{text.toString(), QLatin1String(direction > 0 ? rule.stepTooHigh : rule.stepTooLow)};
}

QList<Repair> repairs(Row row, QStringView text)
{
    const Rule &rule = ruleOf(row);
    QList<Repair> made;
    QString current = text.toString();
    // A text that is not a number as a whole counts as too low, so that only
    // numbers ever reach the files.
    const std::optional<double> first = numbertext::strictNumber(current);
    if (!first || *first < rule.typedLowest) {
        made.append({QLatin1String(rule.typedTooLow), QLatin1String(rule.repairLow)});
        current = QLatin1String(rule.repairLow);
    }
    const std::optional<double> second = numbertext::strictNumber(current);
    if (second && *second > rule.typedHighest)
        made.append({QLatin1String(rule.typedTooHigh), QLatin1String(rule.repairHigh)});
    return made;
}

} // namespace decksizes
