// Reading back the small files the 3D road leaves in the program folder
// (DeckType.txt, Sizes.txt) as free-format fields: leading blanks are skipped,
// and a field ends at a comma, at a blank that follows a number, or at the end
// of its line. Pure text, no widgets.
#pragma once

#include "textfiles.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace freeformat {

// Error numbers of a file whose content cannot be read as the values wanted.
inline constexpr qint64 NotANumber = 13;
inline constexpr qint64 PastTheEnd = 62;

// Hands out the fields of a file's bytes one after the other, across lines.
class Reader {
public:
    explicit Reader(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    // The next field's text, or nothing when the bytes hold no more fields.
    std::optional<QString> next();

private:
    QByteArray m_bytes;
    qsizetype m_pos = 0;
};

struct Numbers {
    std::vector<double> values;
    std::optional<textfiles::Failure> failure;
};

// The first `count` fields of a file's bytes, each read as a number. A field
// that is not a number, or too few fields, is a failure that names the file.
Numbers readNumbers(const QByteArray &bytes, int count, const QString &fileName);

struct DeckType {
    int value = 0;
    std::optional<textfiles::Failure> failure;
};

// The deck type, the first field of DeckType.txt: a whole number 1 to 9.
DeckType readDeckType(const QByteArray &bytes);

} // namespace freeformat
