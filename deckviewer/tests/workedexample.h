// A wizard folder holding the worked example (a 16' x 12' rectangle, 3' 0"
// high, with its stair): its deck parameter file and a DeckType.txt naming
// deck type 2, as the wizard leaves them. For tests built with JM_DECK3D_DATA.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>

inline bool writeWorkedExampleFolder(const QString &folder)
{
    QFile type(QDir(folder).filePath(QStringLiteral("DeckType.txt")));
    return QFile::copy(QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"), QDir(folder).filePath(QStringLiteral("Deck_Rectangle.txt")))
        && type.open(QIODevice::WriteOnly) && type.write(" 2 \r\n") == 5;
}
