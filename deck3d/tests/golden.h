// Golden deck parameter files: the expected bytes live in data/, and a
// mismatch is told line by line with every blank and line end made visible.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QMap>
#include <QString>

namespace golden {

inline QByteArray read(const QString &name)
{
    QFile file(QStringLiteral(JM_DECK3D_TESTDATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("golden file %s is missing", qPrintable(name));
    return file.readAll();
}

// The lines of a file, each with its own line end still on it.
inline QList<QByteArray> lines(const QByteArray &bytes)
{
    QList<QByteArray> result;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        result << bytes.sliced(start, end - start);
        start = end;
    }
    return result;
}

// Lines by their number, counted from 1, without line ends.
using Lines = QMap<int, QByteArray>;

// A file with some of its lines replaced by other texts.
inline QByteArray withLines(const QByteArray &bytes, const Lines &replaced)
{
    QList<QByteArray> all = lines(bytes);
    for (auto it = replaced.begin(); it != replaced.end(); ++it)
        all[it.key() - 1] = it.value() + "\r\n";
    return all.join();
}

inline QString visible(const QByteArray &line)
{
    QString text;
    for (char c : line) {
        if (c == ' ')
            text += QChar(0xB7); // a middle dot for each blank
        else if (c == '\r')
            text += QStringLiteral("\\r");
        else if (c == '\n')
            text += QStringLiteral("\\n");
        else
            text += QChar::fromLatin1(c);
    }
    return text;
}

// Empty when the bytes are the same; else where and how they differ.
inline QString difference(const QByteArray &expected, const QByteArray &actual)
{
    if (expected == actual)
        return {};
    const QList<QByteArray> want = lines(expected);
    const QList<QByteArray> got = lines(actual);
    QString report = QStringLiteral("expected %1 lines, got %2").arg(want.size()).arg(got.size());
    for (qsizetype i = 0; i < std::max(want.size(), got.size()); ++i) {
        const QByteArray w = i < want.size() ? want[i] : QByteArray();
        const QByteArray g = i < got.size() ? got[i] : QByteArray();
        if (w != g)
            report += QStringLiteral("\nline %1\n  expected: %2\n  actual:   %3")
                          .arg(i + 1)
                          .arg(i < want.size() ? visible(w) : QStringLiteral("(none)"),
                               i < got.size() ? visible(g) : QStringLiteral("(none)"));
    }
    return report;
}

} // namespace golden

#define COMPARE_BYTES(actual, expected)                                                            \
    do {                                                                                           \
        const QString jmDifference = golden::difference((expected), (actual));                     \
        QVERIFY2(jmDifference.isEmpty(), qPrintable(jmDifference));                                \
    } while (false)
