// Golden files of the 3D road: the expected bytes live in data/, written by
// hand. Files are compared line by line, each line with its own line end, so
// that a failure names the first line that differs.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QMap>
#include <QString>
#include <QTest>

namespace golden {

inline QByteArray read(const QString &name)
{
    QFile file(QStringLiteral(JM_DECK3D_TESTDATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("golden file %s is missing", qPrintable(name));
    return file.readAll();
}

inline QList<QByteArray> lines(const QByteArray &bytes)
{
    QList<QByteArray> result;
    for (qsizetype start = 0, end = 0; start < bytes.size(); start = end) {
        end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        result << bytes.sliced(start, end - start);
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

} // namespace golden

#define COMPARE_BYTES(actual, expected) QCOMPARE(golden::lines(actual), golden::lines(expected))
