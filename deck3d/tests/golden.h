// Golden files of the 3D road: the expected bytes live in data/, written by
// hand. Files are compared line by line, each line with its own line end, so
// that a failure names the first line that differs.
#pragma once

#include "datatable.h"

#include <QTest>

namespace golden {

inline QByteArray read(const QString &name) { return dataBytes(QStringLiteral(JM_DECK3D_TESTDATA "/") + name); }

inline QList<QByteArray> lines(const QByteArray &bytes) { return byteLines(bytes); }

// Lines by their number, counted from 1, without line ends.
using Lines = QMap<int, QByteArray>;

// A file with some of its lines replaced by other texts.
inline QByteArray withLines(const QByteArray &bytes, const Lines &replaced) { return ::withLines(bytes, replaced); }

} // namespace golden

#define COMPARE_BYTES(actual, expected) QCOMPARE(golden::lines(actual), golden::lines(expected))
