#include "stairrecord.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <climits>
#include <cmath>

namespace deckmodel {

namespace {

QJsonObject objectIn(const QByteArray &bytes)
{
    return QJsonDocument::fromJson(bytes).object();
}

// A number as kept, or the default where it is none or not finite.
double numberOr(const QJsonValue &value, double otherwise)
{
    const double number = value.toDouble(otherwise);
    return std::isfinite(number) ? number : otherwise;
}

} // namespace

std::optional<StairLayout> stairLayoutIn(const QByteArray &bytes, const QString &deckKey)
{
    const QJsonValue entry = objectIn(bytes).value(deckKey);
    if (!entry.isObject())
        return std::nullopt;
    const QJsonObject o = entry.toObject();
    StairLayout layout;
    layout.present = o.value(QStringLiteral("present")).toBool(true);
    // An edge past any outline's is refused by the framing as off the deck.
    const double edge = numberOr(o.value(QStringLiteral("edge")), -1);
    layout.edge = edge >= -1 && edge <= 1000 && edge == std::floor(edge) ? int(edge) : INT_MAX / 2;
    layout.offsetInches = numberOr(o.value(QStringLiteral("offsetInches")), -1);
    layout.widthInches = numberOr(o.value(QStringLiteral("widthInches")), StairLayout{}.widthInches);
    return layout;
}

QByteArray withStairLayout(const QByteArray &bytes, const QString &deckKey, const StairLayout &layout)
{
    QJsonObject all = objectIn(bytes);
    all.insert(deckKey, QJsonObject{{QStringLiteral("present"), layout.present},
                                    {QStringLiteral("edge"), layout.edge},
                                    {QStringLiteral("offsetInches"), layout.offsetInches},
                                    {QStringLiteral("widthInches"), layout.widthInches}});
    return QJsonDocument(all).toJson(QJsonDocument::Indented);
}

} // namespace deckmodel
