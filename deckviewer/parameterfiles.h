// The wizard's parameter files as the host finds them in the wizard's folder
// after it is asked to open a symbol file. Plain text logic.
#pragma once

#include <QList>
#include <QString>

struct ParameterFile {
    QString name;
    QString text; // one byte a character, lines as written
};

// DeckSize.txt, DeckType.txt and Sizes.txt when present, then every Deck_*.txt by name.
QList<ParameterFile> parameterFiles(const QString &folder);

// What --open shows: the parameter files of a folder, as above, or one file by
// itself in its folder. found is false when path is neither a folder nor a file.
struct OpenedDeck {
    bool found = false;
    QString folder;
    QList<ParameterFile> files;
};
OpenedDeck openDeckFiles(const QString &path);

// The files for a person to read: each name, then its lines indented, line ends
// shown where they are not CR LF.
QString describeParameterFiles(const QString &folder, const QList<ParameterFile> &files);
