// The bytes of the three hand-off files and their writing, without a page.
#include "handoff.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The head of a deck parameter file as it must read, byte for byte.
QByteArray head(const QByteArray &a, const QByteArray &b, const QByteArray &height)
{
    return a + "        ' Z,   ', Deck Depth\r\n" + b + "        ' X,   ', Deck Width\r\n" + height
           + "        ' Y,   ', Deck Height\r\n";
}

QByteArray readFile(const QTemporaryDir &dir, const QString &name)
{
    QFile file(dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestHandoff : public QObject {
    Q_OBJECT
private slots:
    void integerLines_data();
    void integerLines();
    void textsAreWrittenAsTheyStand_data();
    void textsAreWrittenAsTheyStand();
    void aFailedWriteStopsAndLeavesWholeFiles_data();
    void aFailedWriteStopsAndLeavesWholeFiles();
};

void TestHandoff::integerLines_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("deck type 3") << 3 << QByteArray("\x20\x33\x20\x0D\x0A", 5);
    QTest::newRow("two digits") << 12 << QByteArray(" 12 \r\n");
    QTest::newRow("negative") << -5 << QByteArray("-5 \r\n");
    QTest::newRow("lowest") << -32768 << QByteArray("-32768 \r\n");
}

void TestHandoff::integerLines()
{
    QFETCH(int, value);
    QFETCH(QByteArray, bytes);
    QCOMPARE(handoff::integerLine(qint16(value)), bytes);
}

void TestHandoff::textsAreWrittenAsTheyStand_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QByteArray>("sizes");
    QTest::addColumn<QByteArray>("dimensions");
    QTest::newRow("initial texts") << "20" << "20" << "3" << QByteArray("20\r\n20\r\n3\r\n") << head("20", "20", "3");
    QTest::newRow("fractions and a trailing zero") << "20.0" << "12.5" << "4.5" << QByteArray("12.5\r\n20.0\r\n4.5\r\n")
                                                   << head("20.0", "12.5", "4.5");
    QTest::newRow("blank and exponent kept") << " 20" << "1e1" << "3" << QByteArray("1e1\r\n 20\r\n3\r\n")
                                             << head(" 20", "1e1", "3");
}

void TestHandoff::textsAreWrittenAsTheyStand()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, height);
    QFETCH(QByteArray, sizes);
    QFETCH(QByteArray, dimensions);
    QCOMPARE(handoff::sizesBytes({a, b, height}), sizes);
    QCOMPARE(handoff::dimensionBytes({a, b, height}), dimensions);
}

void TestHandoff::aFailedWriteStopsAndLeavesWholeFiles_data()
{
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QStringList>("rewritten");
    QTest::newRow("DeckType.txt") << "DeckType.txt" << QStringList{};
    QTest::newRow("parameter file") << "Deck_Slice.txt" << QStringList{"DeckType.txt"};
    QTest::newRow("Sizes.txt") << "Sizes.txt" << QStringList{"DeckType.txt", "Deck_Slice.txt"};
}

void TestHandoff::aFailedWriteStopsAndLeavesWholeFiles()
{
    QFETCH(QString, blocked);
    QFETCH(QStringList, rewritten);
    QTemporaryDir dir;
    // What an earlier run left, each file whole; a folder in the blocked file's place.
    const QMap<QString, QByteArray> earlier{
        {"DeckType.txt", " 8 \r\n"}, {"Sizes.txt", "10\r\n20\r\n3\r\n"}, {"Deck_Slice.txt", head("20", "10", "3")}};
    const QMap<QString, QByteArray> now{
        {"DeckType.txt", " 9 \r\n"}, {"Sizes.txt", "15\r\n30\r\n4\r\n"}, {"Deck_Slice.txt", head("30", "15", "4")}};
    for (auto it = earlier.begin(); it != earlier.end(); ++it) {
        QFile file(dir.filePath(it.key()));
        QVERIFY(it.key() == blocked ? QDir(dir.path()).mkdir(blocked)
                                    : file.open(QIODevice::WriteOnly) && file.write(it.value()) == it.value().size());
    }

    const auto failure = handoff::write(dir.path(), 9, {"30", "15", "4"});

    QVERIFY(failure);
    QVERIFY2(failure->description.contains('"' + blocked + '"'), qPrintable(failure->description));
    for (auto it = earlier.begin(); it != earlier.end(); ++it)
        if (it.key() != blocked)
            QCOMPARE(readFile(dir, it.key()), rewritten.contains(it.key()) ? now[it.key()] : it.value());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary files left
}

QTEST_GUILESS_MAIN(TestHandoff)
#include "tst_handoff.moc"
