// Golden journals written by hand under data/: sections headed "[name]", each
// with its lines in order; blank lines and lines starting with "#" are not read.
#pragma once

#include <QFile>
#include <QList>
#include <QPair>
#include <QStringList>

inline QList<QPair<QString, QStringList>> readJournals(const QString &path)
{
    QList<QPair<QString, QStringList>> sections;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(path));
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).chopped(1);
        if (line.startsWith(u'['))
            sections.append({line.mid(1, line.size() - 2), {}});
        else if (!line.isEmpty() && !line.startsWith(u'#') && !sections.isEmpty())
            sections.last().second << line;
    }
    return sections;
}
