// The one way the wizard's files are read back, as the host's symbols read
// them: as free-format fields. Leading blanks are skipped, and a field ends at
// a comma, at a blank that follows a number, or at the end of its line.
// DeckType.txt and Sizes.txt are read field after field; a deck parameter
// file is read a line at a time, each line's first field being its value.
// Pure text, no widgets.
#pragma once

#include "result.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace deckfile {

// Error numbers of a file whose content cannot be read as the values wanted.
inline constexpr qint64 NotANumber = 13;
inline constexpr qint64 PastTheEnd = 62;

// Hands out the fields of a file's bytes one after the other, across lines.
class FieldReader {
public:
    explicit FieldReader(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    // The next field's text, or nothing when the bytes hold no more fields.
    std::optional<QString> next();

private:
    QByteArray m_bytes;
    qsizetype m_pos = 0;
};

// The first `count` fields of a file's bytes, each read as a number. A field
// that is not a number, or too few fields, is a failure that names the file.
jm::Result<std::vector<double>> readNumbers(const QByteArray &bytes, int count, const QString &fileName);

// The deck type, the first field of DeckType.txt: a whole number 1 to 9.
jm::Result<int> readDeckType(const QByteArray &bytes);

// The value of one line: its first field, when that is a finite number.
std::optional<double> firstNumber(QStringView line);

} // namespace deckfile
