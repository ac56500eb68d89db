#include "savedstairs.h"

#include "recentdecks.h"
#include "textfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace savedstairs {

namespace {

QString keyOf(const QString &deckFile) { return QDir::cleanPath(QFileInfo(deckFile).absoluteFilePath()); }

QJsonObject saved()
{
    const auto bytes = textfiles::readWhole(stairsFile());
    return bytes ? QJsonDocument::fromJson(*bytes).object() : QJsonObject();
}

} // namespace

QString stairsFile() { return recentdecks::stateFolder() + QStringLiteral("/stairs.json"); }

std::optional<deckmodel::StairLayout> savedStair(const QString &deckFile)
{
    const QJsonValue entry = saved().value(keyOf(deckFile));
    if (!entry.isObject())
        return std::nullopt;
    const QJsonObject o = entry.toObject();
    deckmodel::StairLayout layout;
    layout.present = o.value(QStringLiteral("present")).toBool(true);
    layout.edge = o.value(QStringLiteral("edge")).toInt(-1);
    layout.offsetInches = o.value(QStringLiteral("offsetInches")).toDouble(-1);
    layout.widthInches = o.value(QStringLiteral("widthInches")).toDouble(36);
    return layout;
}

jm::Status saveStair(const QString &deckFile, const deckmodel::StairLayout &layout)
{
    QJsonObject all = saved();
    all.insert(keyOf(deckFile), QJsonObject{{QStringLiteral("present"), layout.present},
                                            {QStringLiteral("edge"), layout.edge},
                                            {QStringLiteral("offsetInches"), layout.offsetInches},
                                            {QStringLiteral("widthInches"), layout.widthInches}});
    if (!QDir().mkpath(recentdecks::stateFolder()))
        return jm::failure(QStringLiteral("Cannot make the folder %1.").arg(QDir::toNativeSeparators(recentdecks::stateFolder())));
    if (QFileInfo(stairsFile()).isSymLink())
        return jm::failure(QStringLiteral("%1 is a link; the viewer's state is not written through links.")
                               .arg(QDir::toNativeSeparators(stairsFile())));
    return textfiles::writeWhole(stairsFile(), QJsonDocument(all).toJson(QJsonDocument::Indented));
}

} // namespace savedstairs
