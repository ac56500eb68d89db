#include "pricelist.h"

#include "numbertext.h"
#include "outputfile.h"
#include "textfiles.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace deckmodel {

namespace {

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

} // namespace

PriceList PriceList::parse(const QByteArray &bytes, const QString &fileName)
{
    PriceList list;
    for (qsizetype from = 0; from < bytes.size();) {
        const qsizetype end = bytes.indexOf('\n', from);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        list.m_lines.push_back(bytes.mid(from, next - from));
        from = next;
    }
    auto problem = [&](int index, const QString &why) {
        list.m_problems.push_back(
            {index + 1, QStringLiteral("%1 line %2: %3; the row is left out.").arg(fileName).arg(index + 1).arg(why)});
    };
    for (int i = 0; i < int(list.m_lines.size()); ++i) {
        const QString line = QString::fromUtf8(list.m_lines[size_t(i)]).trimmed();
        if (line == ExampleNote)
            list.m_exampleLine = i;
        if (line.isEmpty() || line.startsWith(u'#') || line == Header)
            continue;
        const std::optional<QStringList> fields = fieldsOf(line);
        if (!fields || fields->size() != 5) {
            problem(i, QStringLiteral("%1 holds %2 fields, not the 5 of item, size, length ft, unit, price")
                           .arg(textfiles::quoted(line, 60))
                           .arg(fields ? fields->size() : 0));
            continue;
        }
        const QStringList &f = *fields;
        const std::optional<double> price = numbertext::strictNumber(f[4]);
        if (!price || !std::isfinite(*price)) {
            problem(i, QStringLiteral("the price %1 is not a number").arg(textfiles::quoted(f[4], 40)));
            continue;
        }
        if (*price < 0) {
            problem(i, QStringLiteral("the price %1 is negative").arg(f[4]));
            continue;
        }
        const PriceKey key{f[0], f[1], f[2], f[3]};
        if (list.price(key)) {
            problem(i, QStringLiteral("%1 %2 %3 is priced on an earlier line already")
                           .arg(f[0], f[1], f[2].isEmpty() ? f[3] : f[2] + QStringLiteral(" ft")));
            continue;
        }
        list.m_rows.push_back({key, *price, i});
    }
    return list;
}

QByteArray PriceList::exampleBytes()
{
    // item, size, length ft, unit, price: the worked example's rows and the
    // usual sizes beside them.
    static const char *const rows[] = {
        "Posts,4x4,8,piece,12.98",        "Posts,4x4,10,piece,16.48",     "Posts,6x6,8,piece,32.98",
        "Beam plies,2x8,12,piece,14.28",  "Beam plies,2x8,16,piece,19.98", "Beam plies,2x10,12,piece,18.98",
        "Joists,2x6,16,piece,13.48",      "Joists,2x8,16,piece,18.98",    "Joists,2x10,16,piece,24.98",
        "Rim joists,2x6,12,piece,9.98",   "Rim joists,2x6,16,piece,13.48",
        "Decking boards,5/4x6,12,piece,11.48", "Decking boards,5/4x6,16,piece,15.28",
        "Blocking,2x6,8,piece,6.98",      "Guard posts,4x4,8,piece,12.98", "Guard rails,2x4,8,piece,4.98",
        "Balusters,2x2,8,piece,2.98",     "Stringers,2x12,8,piece,19.98",  "Tread boards,5/4x6,8,piece,7.68",
        "Handrails,2x2,8,piece,2.98",     "Post bases,4x4,,piece,9.48",     "Post caps,4x4,,piece,8.98",    "Joist hangers,2x6,,piece,1.48",
        "Joist ties,2x6,,piece,0.98",     "Stringer hangers,2x12,,piece,6.28",
        "Carriage bolts,1/2 in,,piece,1.18", "Guard post bolts,1/2 in,,piece,2.48",
        "Deck screws,#10 x 2 1/2 in,,box of 350,39.98", "Rail screws,#10 x 3 in,,box of 100,14.98",
        "Connector nails,10d x 1 1/2 in,,box of 250,11.98", "Beam nails,10d x 3 in,,box of 69,7.98",
        "Concrete mix,80 lb,,bag,6.48",   "Concrete mix,60 lb,,bag,4.98",
    };
    QByteArray bytes = ExampleNote.toUtf8() + "\n# One row a price: item, size, length ft (empty where none), unit as the takeoff "
                                              "names it, price.\n" + Header.toUtf8() + "\n";
    for (const char *row : rows)
        bytes += QByteArray(row) + "\n";
    return bytes;
}

std::optional<double> PriceList::price(const PriceKey &key) const
{
    for (const Row &row : m_rows)
        if (row.key == key)
            return row.price;
    return std::nullopt;
}

void PriceList::setPrice(const PriceKey &key, double price)
{
    auto row = std::find_if(m_rows.begin(), m_rows.end(), [&](const Row &r) { return r.key == key; });
    if (row != m_rows.end()) {
        row->price = price;
        QByteArray &line = m_lines[size_t(row->line)];
        const QByteArray end = line.endsWith("\r\n") ? QByteArray("\r\n") : line.endsWith('\n') ? QByteArray("\n") : QByteArray();
        line = lineOf(key, price).toUtf8() + end;
    } else {
        if (!m_lines.empty() && !m_lines.back().endsWith('\n'))
            m_lines.back() += '\n';
        m_lines.push_back(lineOf(key, price).toUtf8() + '\n');
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
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        if (!createIfMissing)
            return jm::failure(QStringLiteral("The price list \"%1\" does not exist.").arg(name));
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return jm::failure(QStringLiteral("The folder of the price list \"%1\" could not be made.").arg(name));
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
    if (!std::isfinite(price) || price < 0)
        return jm::failure(QStringLiteral("A price is a number of at least 0."));
    const jm::Result<QByteArray> bytes = textfiles::readWhole(path);
    if (!bytes)
        return bytes.failure();
    PriceList list = PriceList::parse(*bytes, path);
    list.setPrice(key, price);
    return outputfile::writeWhole(path, list.bytes());
}

} // namespace deckmodel
