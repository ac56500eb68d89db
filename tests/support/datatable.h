// Tables of named rows kept as text under a test's data/ folder, so that the
// expectations are read as written by hand: one row a line; empty lines and
// lines that begin with '#' are skipped. dataTable(path) splits the fields at
// '|', and in a field \r, \n, \t, \| and \\ stand for themselves and
// \uXXXX for any character; dataTable(path, separator) splits them at the
// separator as written, with no escapes. dataColumns(path) reads columns
// lined up with blanks, dataSections(path) sections under "[name]" lines.
// Whole files (golden files, inputs) are read with dataBytes(path) and
// compared by byteLines(), and withLines() changes some of their lines.
// rowsOf(path) and wordRows(path, count) load a test's QTest rows from a table.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTest>

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

// A file's bytes; a missing file ends the test.
inline QByteArray dataBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "the test file %s is missing\n", qPrintable(path));
        std::abort();
    }
    return file.readAll();
}

// The table's row lines.
inline QStringList dataLines(const QString &path)
{
    QStringList lines;
    for (const QByteArray &line : dataBytes(path).split('\n'))
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

// A test's rows, one a line of the table (fields parted by " | "), each whole
// as the column "row"; count, when given, is how many the table must hold.
inline void rowsOf(const QString &path, qsizetype count = -1)
{
    QTest::addColumn<QStringList>("row");
    const QList<QStringList> rows = dataTable(path, QStringLiteral(" | "));
    if (count >= 0)
        QCOMPARE(rows.size(), count);
    for (const QStringList &f : rows)
        QTest::newRow(qPrintable(f[0])) << f;
}

// A test's rows "name | words parted by blanks | what they read as" (a
// command line and what it is read as, say) as the columns "words" and
// "expected" (empty where a row has no third field); the table must hold
// count rows.
inline void wordRows(const QString &path, qsizetype count)
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("expected");
    const QList<QStringList> rows = dataTable(path, QStringLiteral(" | "));
    QCOMPARE(rows.size(), count);
    for (const QStringList &f : rows)
        QTest::newRow(qPrintable(f[0])) << f[1].split(u' ', Qt::SkipEmptyParts) << f.value(2);
}

// Columns parted by blanks, lined up by hand; a last field in double quotes
// runs to the line's last quote, so it may hold blanks and quotes itself.
inline QList<QStringList> dataColumns(const QString &path)
{
    QList<QStringList> rows;
    for (const QString &line : dataLines(path)) {
        const qsizetype quote = line.indexOf(u'"');
        QStringList fields = line.left(quote).split(u' ', Qt::SkipEmptyParts);
        if (quote >= 0)
            fields << line.mid(quote + 1, line.lastIndexOf(u'"') - quote - 1);
        rows << fields;
    }
    return rows;
}

// Sections: a line "[name]" opens one, the row lines after it are its own.
struct DataSection {
    QString name;
    QStringList lines;
};

inline QList<DataSection> dataSections(const QString &path)
{
    QList<DataSection> sections;
    for (const QString &line : dataLines(path)) {
        if (line.startsWith(u'[') && line.endsWith(u']'))
            sections.append({line.mid(1, line.size() - 2), {}});
        else if (!sections.isEmpty())
            sections.last().lines << line;
    }
    return sections;
}

// A file's lines, each with its own line end, so that a comparison names the
// first line that differs.
inline QList<QByteArray> byteLines(const QByteArray &bytes)
{
    QList<QByteArray> result;
    for (qsizetype start = 0, end = 0; start < bytes.size(); start = end) {
        end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        result << bytes.sliced(start, end - start);
    }
    return result;
}

// A file with some of its lines, by their number counted from 1, replaced by
// other texts, each ending in CR LF.
inline QByteArray withLines(const QByteArray &bytes, const QMap<int, QByteArray> &replaced)
{
    QList<QByteArray> all = byteLines(bytes);
    for (auto it = replaced.begin(); it != replaced.end(); ++it)
        all[it.key() - 1] = it.value() + "\r\n";
    return all.join();
}
