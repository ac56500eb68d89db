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
};

void TestPriceList::readsLeniently()
{
    const QList<QStringList> rows = dataTable(QStringLiteral(JM_TESTDATA "/price-files.txt"));
    QCOMPARE(rows.size(), 11);
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

    // The examples say so until a price is changed.
    PriceList examples = PriceList::parse(PriceList::exampleBytes(), QStringLiteral("prices.csv"));
    QVERIFY(examples.isExample());
    QVERIFY(examples.problems().empty());
    QCOMPARE(examples.price({"Joists", "2x6", "16", "piece"}), std::optional<double>(13.48));
    examples.setPrice({"Joists", "2x6", "16", "piece"}, 12);
    QVERIFY(!examples.isExample());
    QVERIFY(examples.bytes().contains("# Prices of your own, changed from the examples.\n"));
    QVERIFY(examples.bytes().contains("\nJoists,2x6,16,piece,12.00\n"));
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
    QCOMPARE(savePrice(path, {"Joists", "2x6", "16", "piece"}, -1).error(), "A price is a number of at least 0.");
    QCOMPARE(readFile(path), QByteArray("Joists,2x6,16,piece,14.00\nbroken line\n"));
    const QString folder = dir.filePath(QStringLiteral("folder.csv"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(!savePrice(folder, {"Joists", "2x6", "16", "piece"}, 14));
    QVERIFY(QFileInfo(folder).isDir());
}

QTEST_APPLESS_MAIN(TestPriceList)
#include "tst_pricelist.moc"
