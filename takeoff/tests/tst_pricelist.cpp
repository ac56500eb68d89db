// The person's price list: rows read leniently (a bad row named by file and
// line and left out, the rest still priced: data/price-files.txt), a price
// changed rewriting only its own line and keeping every other byte, and the
// file on disk never written when it cannot be read first.
#include "datatable.h"
#include "pricelist.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

using namespace deckmodel;

namespace {

PriceKey keyOf(const QString &text)
{
    const QStringList f = text.split(u';');
    return {f.value(0), f.value(1), f.value(2), f.value(3)};
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestPriceList : public QObject {
    Q_OBJECT
private slots:
    void readsLeniently();
    void changesOneLine();
    void neverWritesWhatItCannotRead();
    void namesTheFirstBadRowsThenCounts_data();
    void namesTheFirstBadRowsThenCounts();
    void twoSavesAtOnceKeepBoth();
};

void TestPriceList::readsLeniently()
{
    const QList<QStringList> rows = dataTable(QStringLiteral(JM_TESTDATA "/price-files.txt"));
    QCOMPARE(rows.size(), 27);
    for (QStringList r : rows) {
        for (QString &field : r) // the blank each side of a '|'
            field = field.mid(field.startsWith(u' ') ? 1 : 0).chopped(field.endsWith(u' ') ? 1 : 0);
        const PriceList list = PriceList::parse(r[1].toUtf8(), QStringLiteral("prices.csv"));
        QStringList problems;
        for (const PriceProblem &p : list.problems())
            problems << p.sentence;
        QCOMPARE(r[0] + ": " + (problems.isEmpty() ? QStringLiteral("-") : problems.join(QStringLiteral("; "))),
                 r[0] + ": " + r[2]);
        const QString key = r[3].section(QStringLiteral(" = "), 0, 0);
        const std::optional<double> price = list.price(keyOf(key));
        QCOMPARE(r[0] + ": " + (price ? QString::number(*price) : QStringLiteral("none")),
                 r[0] + ": " + r[3].section(QStringLiteral(" = "), 1));
    }
}

// A changed price rewrites its own line; a bad row, a comment and the CR LF
// of another line stay byte for byte; a new key is added at the end.
void TestPriceList::changesOneLine()
{
    const QByteArray before = "# mine\r\nitem,size,length ft,unit,price\r\nJoists,2x6,16,piece,cheap\r\n"
                              "Joists,2x8,16,piece,18.98\r\nRim joists,2x6,12,piece,9.98\n";
    PriceList list = PriceList::parse(before, QStringLiteral("prices.csv"));
    list.setPrice({"Rim joists", "2x6", "12", "piece"}, 10.5);
    list.setPrice({"Beam plies", "2x8", "12", "piece"}, 14.28);
    QCOMPARE(list.bytes(), QByteArray("# mine\r\nitem,size,length ft,unit,price\r\nJoists,2x6,16,piece,cheap\r\n"
                                      "Joists,2x8,16,piece,18.98\r\nRim joists,2x6,12,piece,10.50\n"
                                      "Beam plies,2x8,12,piece,14.28\n"));

    // The examples say so until a price is changed (data/example-prices.csv: the file as first made).
    QCOMPARE(PriceList::exampleBytes(), dataBytes(JM_TESTDATA "/example-prices.csv"));
    PriceList examples = PriceList::parse(PriceList::exampleBytes(), QStringLiteral("prices.csv"));
    QVERIFY(examples.isExample());
    QVERIFY(examples.problems().empty());
    QCOMPARE(examples.price({"Lumber", "2x6", "16", "piece"}), std::optional<double>(13.48));
    examples.setPrice({"Lumber", "2x6", "16", "piece"}, 12);
    QVERIFY(!examples.isExample());
    QVERIFY(examples.bytes().contains("# Prices of your own, changed from the examples.\n"));
    QVERIFY(examples.bytes().contains("\nLumber,2x6,16,piece,12.00\n"));
    QCOMPARE(examples.bytes().count('\n'), PriceList::exampleBytes().count('\n'));
}

void TestPriceList::neverWritesWhatItCannotRead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("prices.csv"));
    // Not there and named by the person: an error, nothing made.
    const auto missing = loadPriceList(path, false);
    QCOMPARE(missing.error(), QStringLiteral("The price list \"%1\" does not exist.").arg(QDir::toNativeSeparators(path)));
    QVERIFY(!QFile::exists(path));
    // Not there at the default place: made from the examples.
    bool created = false;
    const auto made = loadPriceList(path, true, &created);
    QVERIFY(made && created && made->isExample());
    QCOMPARE(readFile(path), PriceList::exampleBytes());
    // A price saved: only its line changed on disk.
    QVERIFY(writeFile(path, "Joists,2x6,16,piece,13.48\nbroken line\n"));
    QVERIFY(savePrice(path, {"Joists", "2x6", "16", "piece"}, 14));
    QCOMPARE(readFile(path), QByteArray("Joists,2x6,16,piece,14.00\nbroken line\n"));
    // A negative price, or a file that is a folder now: refused, nothing written.
    QCOMPARE(savePrice(path, {"Joists", "2x6", "16", "piece"}, -1).error(), "A price is a number from 0 to 1,000,000.");
    QCOMPARE(savePrice(path, {"Joists", "2x6", "16", "piece"}, 1e308).error(), "A price is a number from 0 to 1,000,000.");
    QCOMPARE(savePrice(path, {"Joists", "2x6", "16", "piece"}, 1000000.5).error(), "A price is a number from 0 to 1,000,000.");
    QCOMPARE(readFile(path), QByteArray("Joists,2x6,16,piece,14.00\nbroken line\n"));
    // A file whose lines end in CR alone is not added to.
    QVERIFY(writeFile(path, "Joists,2x6,16,piece,13.48\rRim joists,2x6,12,piece,9.98\r"));
    QCOMPARE(savePrice(path, {"Joists", "2x6", "16", "piece"}, 14).error(),
             path + " ends its lines with CR alone; a price list's lines end with LF or CR LF. No row is priced.");
    QCOMPARE(readFile(path), QByteArray("Joists,2x6,16,piece,13.48\rRim joists,2x6,12,piece,9.98\r"));
    const QString folder = dir.filePath(QStringLiteral("folder.csv"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(!savePrice(folder, {"Joists", "2x6", "16", "piece"}, 14));
    QVERIFY(QFileInfo(folder).isDir());
}

// However many rows are bad, at most 20 are named, then one line counts the rest.
void TestPriceList::namesTheFirstBadRowsThenCounts_data()
{
    QTest::addColumn<int>("bad");
    QTest::addColumn<int>("problems");
    QTest::addColumn<QString>("last");
    QTest::newRow("20") << 20 << 20 << "prices.csv line 21: the price \"x\" is not a number; the row is left out.";
    QTest::newRow("21") << 21 << 21 << "prices.csv: and 1 more row that cannot be read; it is left out.";
    QTest::newRow("1,020") << 1020 << 21 << "prices.csv: and 1,000 more rows that cannot be read; they are left out.";
}

void TestPriceList::namesTheFirstBadRowsThenCounts()
{
    QFETCH(int, bad);
    QByteArray bytes = "item,size,length ft,unit,price\n";
    for (int i = 0; i < bad; ++i)
        bytes += "Joists,2x6," + QByteArray::number(i) + ",piece,x\n";
    bytes += "Joists,2x6,16,piece,13.48\n";
    const PriceList list = PriceList::parse(bytes, QStringLiteral("prices.csv"));
    QTEST(int(list.problems().size()), "problems");
    QCOMPARE(list.problems().front().sentence, "prices.csv line 2: the price \"x\" is not a number; the row is left out.");
    QTEST(list.problems().back().sentence, "last");
    QCOMPARE(list.price({"Joists", "2x6", "16", "piece"}), std::optional<double>(13.48));
}

// Two viewers saving at the same moment: every price of both is kept.
void TestPriceList::twoSavesAtOnceKeepBoth()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("prices.csv"));
    QVERIFY(writeFile(path, "item,size,length ft,unit,price\n"));
    const auto saveTen = [&](const QString &item) {
        for (int i = 0; i < 10; ++i)
            (void)savePrice(path, {item, "2x6", QString::number(i), "piece"}, i + 1);
    };
    std::thread first(saveTen, QStringLiteral("Joists"));
    std::thread second(saveTen, QStringLiteral("Rim joists"));
    first.join();
    second.join();
    const PriceList list = PriceList::parse(readFile(path), QStringLiteral("prices.csv"));
    QCOMPARE(list.priced(), 20);
    QCOMPARE(list.price({"Joists", "2x6", "9", "piece"}), std::optional<double>(10));
    QCOMPARE(list.price({"Rim joists", "2x6", "0", "piece"}), std::optional<double>(1));
    QVERIFY(!QFile::exists(path + ".lock"));
}

QTEST_APPLESS_MAIN(TestPriceList)
#include "tst_pricelist.moc"
