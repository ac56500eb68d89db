// The worked example (a 16' x 12' rectangle, 3' 0" high, with its stair) set
// down where a test needs it: its deck parameter file alone, or a wizard
// folder with a DeckType.txt naming deck type 2, as the wizard leaves them.
// For tests built with JM_DECK3D_DATA.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

inline QByteArray workedExampleBytes()
{
    QFile file(QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The deck file copied to folder/Deck_Rectangle.txt; its path, or none.
inline QString copyWorkedExample(const QString &folder)
{
    const QString deck = QDir(folder).filePath(QStringLiteral("Deck_Rectangle.txt"));
    return QFile::copy(QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"), deck) ? deck : QString();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline bool writeWorkedExampleFolder(const QString &folder)
{
    return !copyWorkedExample(folder).isEmpty() && writeBytes(QDir(folder).filePath(QStringLiteral("DeckType.txt")), " 2 \r\n");
}
