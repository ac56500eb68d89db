// The rules of the 2D deck's width, a text the user types or steps: what the
// finish refuses and how the step buttons change it. No widgets here.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace deckwidth {

inline constexpr double Smallest = 10;
inline constexpr double Largest = 800;

// A refusal of the finish: the message and whether it carries the stop icon.
struct Refusal {
    QString text;
    bool stop = false;
    bool operator==(const Refusal &) const = default;
};

// Why the finish refuses this width text, or nothing when it accepts it. The
// checks run in a fixed order: a text whose leading number is below 10 gets
// the first message whatever follows the number.
std::optional<Refusal> refusalOf(QStringView text);

// The text one step (by -1 or +1) from this one, or nothing when the text is
// not a number as a whole; such a text is left as it is.
std::optional<QString> stepped(QStringView text, int by);

} // namespace deckwidth
