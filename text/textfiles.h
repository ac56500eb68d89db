// The wizard's small text files in the program folder: their encoding and
// whole-or-nothing writing.
//
// Every line ends with CR LF on every platform, one byte per character:
// Latin-1, with "?" for a character it cannot hold. A file is written to a
// temporary file beside it and then renamed over the old one, so a failed
// write never leaves a partial file and never destroys the previous one.
#pragma once

#include "result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace textfiles {

// What went wrong with a file, for the error box: a number and a sentence.
using Failure = jm::Failure;

// One line's bytes: the text's characters, then CR LF.
QByteArray encodeLine(QStringView text);
QByteArray encodeLines(const QStringList &lines);

// The path of a file in the program folder.
QString pathIn(const QString &folder, const QString &name);

// Writes the bytes as the whole new content of the file, or changes nothing.
jm::Status writeWhole(const QString &path, const QByteArray &bytes);

// Writes the lines as the whole new content of the file, or changes nothing.
// A line that holds a CR or an LF would split in two and shift every line
// after it: such lines are refused, and nothing is written.
jm::Status writeLines(const QString &path, const QStringList &lines);

// A piece of outside text for a message, in double quotes: at most
// `longest` characters of it (then "..."), every control character written
// as an escape (\r, \n, \t, \0, \x1b, ...), so that no text read from a file
// can drive a terminal or cut a message short.
QString quoted(QStringView text, qsizetype longest = 80);

// The lines of a file's bytes: each ends at CR LF; bytes after the last CR LF
// are not a line.
QStringList decodeLines(const QByteArray &bytes);

// The most a file of the program's may hold: a deck file is under 2 KB.
inline constexpr qint64 LargestFileBytes = 4 * 1024 * 1024;

// Reads a whole file. Only a regular file (or a link to one) of at most
// LargestFileBytes is read; a folder, a FIFO, a device or a larger file is
// refused with a sentence saying so, without waiting on it.
jm::Result<QByteArray> readWhole(const QString &path);

} // namespace textfiles
