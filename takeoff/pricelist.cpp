#include "pricelist.h"

#include "numbertext.h"
#include "outputfile.h"
#include "ownfolder.h"
#include "textfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>

#include <algorithm>
#include <cmath>

namespace deckmodel {

const QString LumberItem = QStringLiteral("Lumber");

namespace {

// One or two digits: the cents after a decimal comma.
bool isCents(const QString &text)
{
    return (text.size() == 1 || text.size() == 2) && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

const QString Header = QStringLiteral("item,size,length ft,unit,price");
const QString ExampleNote = QStringLiteral(
    "# These are example prices, not a yard's: change them to what you pay.");
const QString OwnNote = QStringLiteral("# Prices of your own, changed from the examples.");

// The fields of a CSV line; a field in double quotes may hold commas and
// doubled quotes. Nothing when a quote is left open.
std::optional<QStringList> fieldsOf(const QString &line)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == u'"' && i + 1 < line.size() && line[i + 1] == u'"')
            field += c, ++i;
        else if (c == u'"')
            quoted = !quoted;
        else if (c == u',' && !quoted)
            fields << field.trimmed(), field.clear();
        else
            field += c;
    }
    if (quoted)
        return std::nullopt;
    fields << field.trimmed();
    return fields;
}

QString csvField(QString text)
{
    if (text.contains(u',') || text.contains(u'"'))
        text = u'"' + text.replace(QLatin1String("\""), QLatin1String("\"\"")) + u'"';
    return text;
}

QString lineOf(const PriceKey &key, double price)
{
    return QStringList{csvField(key.item), csvField(key.size), csvField(key.length), csvField(key.unit),
                       QString::number(price, 'f', 2)}
        .join(u',');
}

// Lines ended by CR alone read as one line.
bool endsLinesWithCrAlone(const QByteArray &bytes)
{
    return !bytes.contains('\n') && bytes.count('\r') > 1;
}

} // namespace

size_t qHash(const PriceKey &key, size_t seed)
{
    return qHashMulti(seed, key.item, key.size, key.length, key.unit);
}

PriceList PriceList::parse(const QByteArray &bytes, const QString &fileName)
{
    PriceList list;
    for (qsizetype from = 0; from < bytes.size();) {
        const qsizetype end = bytes.indexOf('\n', from);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        list.m_lines.push_back(bytes.mid(from, next - from));
        from = next;
    }
    // A file whose lines end in CR alone reads as one line: say so.
    if (endsLinesWithCrAlone(bytes)) {
        list.m_lines = {bytes};
        list.m_problems.push_back({1, QStringLiteral("%1 ends its lines with CR alone; a price list's lines end with LF "
                                                     "or CR LF. No row is priced.")
                                          .arg(fileName)});
        return list;
    }
    int badRows = 0;
    // Past the first bad rows only their count is kept: their sentences are
    // not even made.
    auto problem = [&](int index, const auto &why) {
        if (++badRows <= NamedBadRows)
            list.m_problems.push_back(
                {index + 1, QStringLiteral("%1 line %2: %3; the row is left out.").arg(fileName).arg(index + 1).arg(why())});
    };
    for (int i = 0; i < int(list.m_lines.size()); ++i) {
        const QString line = QString::fromUtf8(list.m_lines[size_t(i)]).trimmed();
        if (line == ExampleNote)
            list.m_exampleLine = i;
        if (line.isEmpty() || line.startsWith(u'#') || line == Header)
            continue;
        std::optional<QStringList> fields = fieldsOf(line);
        // "13,50" unquoted in a decimal-comma list: the price's two halves.
        if (fields && fields->size() == 6 && isCents(fields->at(5)))
            (*fields)[4] += u',' + fields->takeLast();
        if (!fields || fields->size() != 5) {
            problem(i, [&] {
                return QStringLiteral("%1 holds %2 fields, not the 5 of item, size, length ft, unit, price")
                    .arg(textfiles::quoted(line, 60))
                    .arg(fields ? fields->size() : 0);
            });
            continue;
        }
        const QStringList &f = *fields;
        const std::optional<double> price = priceNumber(f[4]);
        if (!price || !std::isfinite(*price)) {
            problem(i, [&] { return QStringLiteral("the price %1 is not a number").arg(textfiles::quoted(f[4], 40)); });
            continue;
        }
        if (*price < 0) {
            problem(i, [&] { return QStringLiteral("the price %1 is negative").arg(f[4]); });
            continue;
        }
        if (*price > LargestPrice) {
            problem(i, [&] {
                return QStringLiteral("the price %1 is more than 1,000,000 a unit").arg(textfiles::quoted(f[4], 40));
            });
            continue;
        }
        const PriceKey key{f[0], f[1], f[2], f[3]};
        if (list.m_index.contains(key)) {
            problem(i, [&] {
                const QString what = QStringList{f[0], f[1], f[2].isEmpty() ? f[3] : f[2] + QStringLiteral(" ft")}.join(u' ');
                return QStringLiteral("%1 is priced on an earlier line already").arg(textfiles::quoted(what));
            });
            continue;
        }
        list.m_index.insert(key, list.m_rows.size());
        list.m_rows.push_back({key, *price, i});
    }
    if (badRows > NamedBadRows) {
        const QString more = QLocale(QLocale::English).toString(badRows - NamedBadRows);
        list.m_problems.push_back({0, QStringLiteral("%1: and %2 more %3 that cannot be read; %4 left out.")
                                          .arg(fileName, more,
                                               badRows - NamedBadRows == 1 ? QStringLiteral("row") : QStringLiteral("rows"),
                                               badRows - NamedBadRows == 1 ? QStringLiteral("it is") : QStringLiteral("they are"))});
    }
    return list;
}

QByteArray PriceList::exampleBytes()
{
    // item, size, length ft, unit, price: the worked example's rows and the
    // usual sizes beside them.
    static const char *const rows[] = {
        // Lumber by size and stock length, whatever it is used for.
        "Lumber,1x8,8,piece,6.48", "Lumber,1x8,10,piece,8.48", "Lumber,1x8,12,piece,9.98", "Lumber,1x8,14,piece,11.48",
        "Lumber,1x8,16,piece,12.98", "Lumber,1x8,18,piece,14.98", "Lumber,1x8,20,piece,16.48",
        "Lumber,2x2,8,piece,2.98", "Lumber,2x2,10,piece,3.98", "Lumber,2x2,12,piece,4.48", "Lumber,2x2,14,piece,4.98",
        "Lumber,2x2,16,piece,5.98", "Lumber,2x2,18,piece,6.98", "Lumber,2x2,20,piece,7.48",
        "Lumber,2x4,8,piece,4.98", "Lumber,2x4,10,piece,5.98", "Lumber,2x4,12,piece,6.98", "Lumber,2x4,14,piece,8.98",
        "Lumber,2x4,16,piece,9.98", "Lumber,2x4,18,piece,10.98", "Lumber,2x4,20,piece,11.98",
        "Lumber,2x6,8,piece,6.98", "Lumber,2x6,10,piece,7.98", "Lumber,2x6,12,piece,9.98", "Lumber,2x6,14,piece,11.98",
        "Lumber,2x6,16,piece,13.48", "Lumber,2x6,18,piece,14.98", "Lumber,2x6,20,piece,16.98",
        "Lumber,2x8,8,piece,9.98", "Lumber,2x8,10,piece,11.98", "Lumber,2x8,12,piece,14.28", "Lumber,2x8,14,piece,16.98",
        "Lumber,2x8,16,piece,19.98", "Lumber,2x8,18,piece,21.98", "Lumber,2x8,20,piece,23.98",
        "Lumber,2x10,8,piece,11.98", "Lumber,2x10,10,piece,15.98", "Lumber,2x10,12,piece,18.98", "Lumber,2x10,14,piece,21.98",
        "Lumber,2x10,16,piece,24.98", "Lumber,2x10,18,piece,27.98", "Lumber,2x10,20,piece,30.98",
        "Lumber,2x12,8,piece,19.98", "Lumber,2x12,10,piece,23.98", "Lumber,2x12,12,piece,28.98", "Lumber,2x12,14,piece,33.98",
        "Lumber,2x12,16,piece,37.98", "Lumber,2x12,18,piece,42.98", "Lumber,2x12,20,piece,47.98",
        "Lumber,5/4x6,8,piece,7.68", "Lumber,5/4x6,10,piece,9.98", "Lumber,5/4x6,12,piece,11.48", "Lumber,5/4x6,14,piece,12.98",
        "Lumber,5/4x6,16,piece,15.28", "Lumber,5/4x6,18,piece,16.98", "Lumber,5/4x6,20,piece,18.98",
        "Lumber,4x4,8,piece,12.98", "Lumber,4x4,10,piece,16.48", "Lumber,4x4,12,piece,19.98", "Lumber,4x4,14,piece,22.98",
        "Lumber,4x4,16,piece,25.98", "Lumber,4x4,18,piece,29.98", "Lumber,4x4,20,piece,32.98",
        "Lumber,6x6,8,piece,32.98", "Lumber,6x6,10,piece,40.98", "Lumber,6x6,12,piece,48.98", "Lumber,6x6,14,piece,57.98",
        "Lumber,6x6,16,piece,65.98", "Lumber,6x6,18,piece,73.98", "Lumber,6x6,20,piece,81.98",
        "Lumber,8x8,8,piece,58.98", "Lumber,8x8,10,piece,73.98", "Lumber,8x8,12,piece,88.98", "Lumber,8x8,14,piece,103.98",
        "Lumber,8x8,16,piece,117.98", "Lumber,8x8,18,piece,132.98", "Lumber,8x8,20,piece,147.98",
        // Hardware by kind and size, concrete by the bag.
        "Post bases,4x4,,piece,9.48", "Post bases,6x6,,piece,18.98", "Post bases,8x8,,piece,34.98",
        "Post caps,4x4,,piece,8.98", "Post caps,6x6,,piece,16.98", "Post caps,8x8,,piece,29.98",
        "Joist hangers,2x6,,piece,1.48", "Joist hangers,2x8,,piece,1.78", "Joist hangers,2x10,,piece,2.28",
        "Joist hangers,2x12,,piece,2.98", "Joist ties,2x6,,piece,0.98", "Joist ties,2x8,,piece,0.98",
        "Joist ties,2x10,,piece,1.18", "Joist ties,2x12,,piece,1.18", "Stringer hangers,2x12,,piece,6.28",
        "Carriage bolts,1/2 in,,piece,1.18", "Guard post bolts,1/2 in,,piece,2.48",
        "Ledger lag screws,1/2 x 4 in,,piece,0.98", "Ledger bolts,1/2 x 5 in,,piece,1.58", "Stacked washers,1/2 in,,piece,0.24",
        "Hold-downs,\"1,500 lb\",,piece,24.98", "Ledger flashing,0.019 in metal,10,piece,16.48",
        "Deck screws,#10 x 2 1/2 in,,box of 350,39.98", "Rail screws,#10 x 3 in,,box of 100,14.98",
        "Connector nails,10d x 1 1/2 in,,box of 250,11.98", "Beam nails,10d x 3 in,,box of 69,7.98",
        "Concrete mix,80 lb,,bag,6.48",   "Concrete mix,60 lb,,bag,4.98", "Deck blocks,11 in square,,block,9.98",
    };
    QByteArray bytes = ExampleNote.toUtf8() + "\n# One row a price: item, size, length ft (empty where none), unit as the takeoff "
                                              "names it, price.\n" + Header.toUtf8() + "\n";
    for (const char *row : rows)
        bytes += QByteArray(row) + "\n";
    return bytes;
}

std::optional<double> PriceList::price(const PriceKey &key) const
{
    if (const auto at = m_index.constFind(key); at != m_index.cend())
        return m_rows[*at].price;
    // Lumber is the same lumber whatever it is for: a row naming its use
    // ("Joists,2x6,16") prices every piece of that size and length.
    if (key.item == LumberItem)
        for (const Row &row : m_rows)
            if (row.key.size == key.size && row.key.length == key.length && row.key.unit == key.unit && !row.key.length.isEmpty())
                return row.price;
    return std::nullopt;
}

std::optional<double> priceNumber(const QString &text)
{
    QString number = text.trimmed();
    if (number.startsWith(u'$'))
        number = number.sliced(1).trimmed();
    const qsizetype comma = number.lastIndexOf(u',');
    if (comma >= 0 && !number.contains(u'.') && number.count(u',') == 1 && isCents(number.sliced(comma + 1)))
        number[comma] = u'.'; // a decimal comma: "13,50"
    else if (number.contains(u'.') || number.size() - comma == 4)
        number.remove(u','); // thousands: "1,234.50", "1,234"
    return numbertext::strictNumber(number);
}

void PriceList::setPrice(const PriceKey &key, double price)
{
    const auto at = m_index.constFind(key);
    if (at != m_index.cend()) {
        Row *row = &m_rows[*at];
        row->price = price;
        QByteArray &line = m_lines[size_t(row->line)];
        const QByteArray end = line.endsWith("\r\n") ? QByteArray("\r\n") : line.endsWith('\n') ? QByteArray("\n") : QByteArray();
        line = lineOf(key, price).toUtf8() + end;
    } else {
        if (!m_lines.empty() && !m_lines.back().endsWith('\n'))
            m_lines.back() += '\n';
        m_lines.push_back(lineOf(key, price).toUtf8() + '\n');
        m_index.insert(key, m_rows.size());
        m_rows.push_back({key, price, int(m_lines.size()) - 1});
    }
    if (m_exampleLine >= 0) {
        QByteArray &note = m_lines[size_t(m_exampleLine)];
        note = OwnNote.toUtf8() + (note.endsWith("\r\n") ? "\r\n" : "\n");
        m_exampleLine = -1;
    }
}

QByteArray PriceList::bytes() const
{
    QByteArray all;
    for (const QByteArray &line : m_lines)
        all += line;
    return all;
}

QString configFile(const QString &name)
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString base = QDir::isAbsolutePath(xdg) ? xdg : QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(base + QStringLiteral("/joistmaster/") + name);
}

QString defaultPriceListPath()
{
    return configFile(QStringLiteral("prices.csv"));
}

jm::Result<PriceList> loadPriceList(const QString &path, bool createIfMissing, bool *created)
{
    if (created)
        *created = false;
    const QString name = QDir::toNativeSeparators(path);
    // The person's own list is taken only from a folder of theirs alone.
    if (createIfMissing)
        if (const jm::Status own = ownfolder::check(QFileInfo(path).absolutePath()); !own)
            return own.failure();
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        if (!createIfMissing)
            return jm::failure(QStringLiteral("The price list \"%1\" does not exist.").arg(name));
        if (const jm::Status made = ownfolder::make(QFileInfo(path).absolutePath()); !made)
            return made.failure();
        if (const jm::Status written = outputfile::writeWhole(path, PriceList::exampleBytes()); !written)
            return written.failure();
        if (created)
            *created = true;
    }
    const jm::Result<QByteArray> bytes = textfiles::readWhole(path);
    if (!bytes)
        return bytes.failure();
    return PriceList::parse(*bytes, QStringLiteral("\"%1\"").arg(name));
}

jm::Status savePrice(const QString &path, const PriceKey &key, double price)
{
    if (!std::isfinite(price) || price < 0 || price > LargestPrice)
        return jm::failure(QStringLiteral("A price is a number from 0 to 1,000,000."));
    // Two viewers saving at once: each reads, changes and writes in turn, so
    // neither loses the other's price.
    QLockFile lock(path + QStringLiteral(".lock"));
    // A folder that holds no lock file holds no new list either: the write says why.
    if (!lock.tryLock(5000) && lock.error() != QLockFile::PermissionError)
        return jm::failure(QStringLiteral("The price list \"%1\" is being changed by another program; the price is not "
                                          "saved.")
                               .arg(QDir::toNativeSeparators(path)));
    if (path == defaultPriceListPath())
        if (const jm::Status own = ownfolder::check(QFileInfo(path).absolutePath()); !own)
            return own;
    // Like the viewer's settings, a price list is read through a link but
    // never written through one.
    if (QFileInfo(path).isSymLink())
        return jm::failure(QStringLiteral("The price list \"%1\" is a link; a price is not written through links.")
                               .arg(QDir::toNativeSeparators(path)));
    const jm::Result<QByteArray> bytes = textfiles::readWhole(path);
    if (!bytes)
        return bytes.failure();
    PriceList list = PriceList::parse(*bytes, path);
    if (endsLinesWithCrAlone(*bytes))
        return jm::failure(list.problems().front().sentence);
    list.setPrice(key, price);
    return outputfile::writeWhole(path, list.bytes());
}

} // namespace deckmodel
