// The user's price list: a plain CSV the person owns (item, size, length ft,
// unit, price), read leniently and changed one line at a time. A row that
// cannot be read is named with its line and left out, the rest still apply;
// a price changed from the viewer rewrites only its own line (or adds one)
// and, the first time, the line saying the prices are examples; every other
// line is kept byte for byte, so the file never ends up with less than it
// had. Plain data, no widgets.
#pragma once

#include "result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace deckmodel {

// What a price is for: a takeoff row's item, size, stock length in feet
// (empty where it has none) and unit.
struct PriceKey {
    QString item;    // "Joists"
    QString size;    // "2x6"
    QString length;  // "16", or empty
    QString unit;    // "piece", "bag", "box of 100"
    bool operator==(const PriceKey &) const = default;
};

struct PriceProblem {
    int line = 0;      // counted from 1
    QString sentence;  // names the file and the line
};

class PriceList {
public:
    // A list read from a file's bytes; `fileName` names it in the problems.
    static PriceList parse(const QByteArray &bytes, const QString &fileName);
    // The example list written on first use: its opening lines say the
    // prices are examples.
    static QByteArray exampleBytes();

    std::optional<double> price(const PriceKey &key) const;
    // Still the example prices: the file's line saying so is there.
    bool isExample() const { return m_exampleLine >= 0; }
    int priced() const { return int(m_rows.size()); }
    const std::vector<PriceProblem> &problems() const { return m_problems; }

    // A new price for a key: its line rewritten, or a row added at the end;
    // every other line kept as it was. The list is the person's own once a
    // price is changed: the example note becomes a line saying so.
    void setPrice(const PriceKey &key, double price);
    QByteArray bytes() const;

private:
    struct Row {
        PriceKey key;
        double price = 0;
        int line = 0; // index into m_lines
    };
    std::vector<QByteArray> m_lines; // as read, each with its own line end
    std::vector<Row> m_rows;
    std::vector<PriceProblem> m_problems;
    int m_exampleLine = -1;
};

// A file of the person's own settings: $XDG_CONFIG_HOME/joistmaster/<name>,
// or ~/.config/joistmaster/<name> where that is unset or not absolute.
QString configFile(const QString &name);

// Where the price list lives: configFile("prices.csv").
QString defaultPriceListPath();

// The price list in a file. A missing file at the default place is created
// with the example prices (`created` says so); a missing file named by the
// person, or one that cannot be read, is a failure naming it.
jm::Result<PriceList> loadPriceList(const QString &path, bool createIfMissing, bool *created = nullptr);

// Changes one price in the file: read afresh, the one line changed, written
// whole or not at all. A file that cannot be read now is not written.
jm::Status savePrice(const QString &path, const PriceKey &key, double price);

} // namespace deckmodel
