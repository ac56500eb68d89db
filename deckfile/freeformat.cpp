#include "freeformat.h"

#include "catalogue.h"
#include "handoff.h"
#include "numbertext.h"
#include "textfiles.h"

#include <cmath>

namespace deckfile {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool endsField(char c) { return c == ',' || c == '\r' || c == '\n'; }

QString ordinal(int n)
{
    switch (n) {
    case 1: return QStringLiteral("first");
    case 2: return QStringLiteral("second");
    case 3: return QStringLiteral("third");
    default: return QString::number(n) + QStringLiteral("th");
    }
}

} // namespace

std::optional<QString> FieldReader::next()
{
    const qsizetype size = m_bytes.size();
    while (m_pos < size && isBlank(m_bytes[m_pos]))
        ++m_pos;
    if (m_pos >= size)
        return std::nullopt;

    qsizetype end = m_pos;
    while (end < size && !endsField(m_bytes[end]))
        ++end;
    QByteArray field = m_bytes.sliced(m_pos, end - m_pos);

    // A number ends at the first blank after it; the rest of the line is
    // the next field.
    qsizetype blank = 0;
    while (blank < field.size() && !isBlank(field[blank]))
        ++blank;
    if (blank > 0 && blank < field.size() && numbertext::strictNumber(QString::fromLatin1(field.first(blank)))) {
        field.truncate(blank);
        m_pos += blank;
        while (m_pos < size && isBlank(m_bytes[m_pos]))
            ++m_pos;
    } else {
        while (!field.isEmpty() && isBlank(field.back()))
            field.chop(1);
        m_pos = end;
    }

    // One delimiter belongs to the field: a comma or one line end.
    if (m_pos < size && m_bytes[m_pos] == ',') {
        ++m_pos;
    } else if (m_pos < size && m_bytes[m_pos] == '\r') {
        ++m_pos;
        if (m_pos < size && m_bytes[m_pos] == '\n')
            ++m_pos;
    } else if (m_pos < size && m_bytes[m_pos] == '\n') {
        ++m_pos;
    }
    return QString::fromLatin1(field);
}

jm::Result<std::vector<double>> readNumbers(const QByteArray &bytes, int count, const QString &fileName)
{
    std::vector<double> values;
    FieldReader reader(bytes);
    for (int i = 1; i <= count; ++i) {
        const auto field = reader.next();
        if (!field)
            return jm::Failure{PastTheEnd,
                               QStringLiteral("The file \"%1\" ends before its %2 value.").arg(fileName, ordinal(i))};
        const auto value = numbertext::strictNumber(*field);
        if (!value || !std::isfinite(*value))
            return jm::Failure{NotANumber, QStringLiteral("The %1 value of the file \"%2\" is %3, which is not a number.")
                                               .arg(ordinal(i), fileName, textfiles::quoted(*field))};
        values.push_back(*value);
    }
    return values;
}

jm::Result<int> readDeckType(const QByteArray &bytes)
{
    const QString fileName = DeckTypeFile;
    const auto numbers = readNumbers(bytes, 1, fileName);
    if (!numbers)
        return numbers.failure();
    const double value = numbers->front();
    if (value < FirstDeckType || value > LastDeckType || value != std::floor(value))
        return jm::Failure{NotANumber,
                           QStringLiteral("The file \"%1\" holds the deck type %2, which is not one of %3 to %4.")
                               .arg(fileName, numbertext::generalNumber(value))
                               .arg(FirstDeckType)
                               .arg(LastDeckType)};
    return int(value);
}

std::optional<double> firstNumber(QStringView line)
{
    const auto field = FieldReader(line.toLatin1()).next();
    const auto value = field ? numbertext::strictNumber(*field) : std::nullopt;
    return value && std::isfinite(*value) ? value : std::nullopt;
}

} // namespace freeformat
