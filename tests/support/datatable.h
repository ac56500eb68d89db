// Tables of named rows kept as text under a test's data/ folder, so that the
// expectations are read as written by hand: one row a line, its fields split
// at '|'; empty lines and lines that begin with '#' are skipped. In a field,
// \r, \n, \t, \| and \\ stand for themselves and \uXXXX for any character.
#pragma once

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

inline QString unescapedField(const QString &field)
{
    QString out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != u'\\' || i + 1 == field.size()) {
            out += field[i];
            continue;
        }
        const QChar c = field[++i];
        if (c == u'r')
            out += u'\r';
        else if (c == u'n')
            out += u'\n';
        else if (c == u't')
            out += u'\t';
        else if (c == u'u')
            out += QChar(char16_t(field.mid(i + 1, 4).toUShort(nullptr, 16))), i += 4;
        else
            out += c;
    }
    return out;
}

inline QList<QStringList> dataTable(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "the table %s is missing\n", qPrintable(path));
        std::abort();
    }
    QList<QStringList> rows;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        QStringList fields;
        QString field;
        const QString text = QString::fromUtf8(line);
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u'\\' && i + 1 < text.size()) {
                field += text[i];
                field += text[++i];
            } else if (text[i] == u'|') {
                fields << unescapedField(field);
                field.clear();
            } else {
                field += text[i];
            }
        }
        rows << (fields << unescapedField(field));
    }
    return rows;
}
