// A folder's files as "name sha256" lines, in name order, hidden files too:
// compared before and after a run to show that it wrote nothing there.
#pragma once

#include "datatable.h"

#include <QCryptographicHash>
#include <QDir>
#include <QString>
#include <QStringList>

inline QStringList folderHashes(const QString &folder)
{
    QStringList lines;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name))
        lines << name + u' '
                + QString::fromLatin1(QCryptographicHash::hash(dataBytes(QDir(folder).filePath(name)), QCryptographicHash::Sha256).toHex());
    return lines;
}
