#include "pricelist.h"

#include "outputfile.h"
#include "textfiles.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace deckmodel {

namespace {

const QString Header = QStringLiteral("item,size,length ft,unit,price");
const QString ExampleNote = QStringLiteral(
    "# These are example prices, not a yard's: change them to what you pay. Once one is changed this line goes.");

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
    const QString text = QString::fromUtf8(bytes);
    list.m_lines = text.split(u'\n');
    if (!list.m_lines.isEmpty() && list.m_lines.back().isEmpty())
        list.m_lines.removeLast();
    auto problem = [&](int index, const QString &why) {
        list.m_problems.push_back(
            {index + 1, QStringLiteral("%1 line %2: %3; the row is left out.").arg(fileName).arg(index + 1).arg(why)});
    };
    for (int i = 0; i < list.m_lines.size(); ++i) {
        QString &line = list.m_lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed == ExampleNote)
            list.m_exampleLine = i;
        if (trimmed.isEmpty() || trimmed.startsWith(u'#') || trimmed == Header)
            continue;
        const std::optional<QStringList> fields = fieldsOf(line);
        if (!fields || fields->size() != 5) {
            problem(i, QStringLiteral("%1 holds %2 fields, not the 5 of item, size, length ft, unit, price")
                           .arg(textfiles::quoted(trimmed, 60))
                           .arg(fields ? fields->size() : 0));
            continue;
        }
        const QStringList &f = *fields;
        bool number = false;
        const double price = f[4].toDouble(&number);
        if (!number || !std::isfinite(price)) {
            problem(i, QStringLiteral("the price %1 is not a number").arg(textfiles::quoted(f[4], 40)));
            continue;
        }
        if (price < 0) {
            problem(i, QStringLiteral("the price %1 is negative").arg(f[4]));
            continue;
        }
        const PriceKey key{f[0], f[1], f[2], f[3]};
        if (list.price(key)) {
            problem(i, QStringLiteral("%1 %2 %3 is priced on an earlier line already")
                           .arg(f[0], f[1], f[2].isEmpty() ? f[3] : f[2] + QStringLiteral(" ft")));
            continue;
        }
        list.m_rows.push_back({key, price, i});
    }
    return list;
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
        m_lines[row->line] = lineOf(key, price);
    } else {
        m_lines << lineOf(key, price);
        m_rows.push_back({key, price, int(m_lines.size()) - 1});
    }
    if (m_exampleLine >= 0) {
        m_lines.removeAt(m_exampleLine);
        for (Row &r : m_rows)
            if (r.line > m_exampleLine)
                --r.line;
        m_exampleLine = -1;
    }
}

QByteArray PriceList::bytes() const
{
    return m_lines.isEmpty() ? QByteArray() : (m_lines.join(u'\n') + u'\n').toUtf8();
}

QString defaultPriceListPath()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/joistmaster/prices.csv");
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
