// The rules of the three sizes on the deck shape and size page, distance A,
// distance B and the deck height: how far the half-foot step buttons go, what
// the check of a box that is left repairs, and what each says. No widgets here.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace decksizes {

enum class Row { A, B, Height };

// What a step button makes of its box's text: the new text, or the old text
// and the message shown instead of the step.
struct Step {
    QString text;
    QString message; // empty when the step was taken
    bool operator==(const Step &) const = default;
};

// Half a foot up (+1) or down (-1). A text that is not a number as a whole has
// no next half foot: nothing happens at all.
std::optional<Step> step(Row row, QStringView text, int direction);

// One repair of a box that was left: the message shown, then the text put in.
struct Repair {
    QString message;
    QString text;
    bool operator==(const Repair &) const = default;
};

// The repairs the check of a box that was left makes, in order; none for a
// size within its range. The second check reads the text the first left.
QList<Repair> repairs(Row row, QStringView text);

// A repaired height keeps the user in its box; A and B let the focus go on.
inline bool takesFocusBack(Row row) { return row == Row::Height; }

} // namespace decksizes
