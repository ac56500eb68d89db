// Tables of named rows kept as text under a test's data/ folder, so that the
// expectations are read as written by hand: one row a line; empty lines and
// lines that begin with '#' are skipped. dataTable(path) splits the fields at
// '|', and in a field \r, \n, \t, \| and \\ stand for themselves and
// \uXXXX for any character; dataTable(path, separator) splits them at the
// separator as written, with no escapes.
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

// The table's row lines.
inline QStringList dataLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "the table %s is missing\n", qPrintable(path));
        std::abort();
    }
    QStringList lines;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (!line.isEmpty() && !line.startsWith('#'))
            lines << QString::fromUtf8(line);
    return lines;
}

inline QList<QStringList> dataTable(const QString &path, const QString &separator)
{
    QList<QStringList> rows;
    for (const QString &line : dataLines(path))
        rows << line.split(separator);
    return rows;
}

inline QList<QStringList> dataTable(const QString &path)
{
    QList<QStringList> rows;
    for (const QString &text : dataLines(path)) {
        QStringList fields;
        QString field;
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
