// Reading DeckType.txt and Sizes.txt back as free-format fields.
#include "freeformat.h"

#include <QTest>

using namespace freeformat;

class TestFreeFormat : public QObject {
    Q_OBJECT
private slots:
    void fields_data();
    void fields();
    void numbers_data();
    void numbers();
    void deckType_data();
    void deckType();
};

void TestFreeFormat::fields_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("deck type line") << QByteArray(" 3 \r\n") << QStringList{"3"};
    QTest::newRow("sizes, three lines") << QByteArray("12.5\r\n20\r\n3\r\n") << QStringList{"12.5", "20", "3"};
    QTest::newRow("leading blanks and tabs") << QByteArray("   \t7\r\n") << QStringList{"7"};
    QTest::newRow("comma ends a field") << QByteArray("12,20\r\n") << QStringList{"12", "20"};
    QTest::newRow("blank after a number ends it") << QByteArray("12 20\r\n") << QStringList{"12", "20"};
    QTest::newRow("blanks then comma: one delimiter") << QByteArray("12  ,20\r\n") << QStringList{"12", "20"};
    QTest::newRow("blank inside text does not end it") << QByteArray("2 X 6\r\n") << QStringList{"2", "X 6"};
    QTest::newRow("text with blanks up to the line end") << QByteArray("abc def  \r\n9\r\n")
                                                          << QStringList{"abc def", "9"};
    QTest::newRow("no last line end") << QByteArray("12\r\n20") << QStringList{"12", "20"};
    QTest::newRow("bare LF line ends") << QByteArray("12\n20\n") << QStringList{"12", "20"};
    QTest::newRow("empty line is an empty field") << QByteArray("\r\n20\r\n") << QStringList{"", "20"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("only blanks") << QByteArray("   ") << QStringList{};
    QTest::newRow("Latin-1 text") << QByteArray("d\xe9""ck\r\n") << QStringList{QStringLiteral("d\u00e9ck")};
}

void TestFreeFormat::fields()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    Reader reader(bytes);
    QStringList read;
    while (auto field = reader.next())
        read << *field;
    QCOMPARE(read, fields);
}

void TestFreeFormat::numbers_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<qint64>("failure");
    QTest::addColumn<QString>("description");
    const QList<double> none;
    QTest::newRow("width and length") << QByteArray("12\r\n16\r\n3\r\n") << QList<double>{12, 16} << 0LL << QString();
    QTest::newRow("decimal width") << QByteArray("12.5\r\n20.0\r\n3\r\n") << QList<double>{12.5, 20} << 0LL
                                   << QString();
    QTest::newRow("third line not read") << QByteArray("12\r\n16\r\nthree\r\n") << QList<double>{12, 16} << 0LL
                                         << QString();
    QTest::newRow("only one line") << QByteArray("12\r\n") << none << PastTheEnd
                                   << "The file \"Sizes.txt\" ends before its second value.";
    QTest::newRow("empty file") << QByteArray() << none << PastTheEnd
                                << "The file \"Sizes.txt\" ends before its first value.";
    QTest::newRow("width not a number") << QByteArray("twelve\r\n16\r\n") << none << NotANumber
                                        << "The first value of the file \"Sizes.txt\" is \"twelve\", which is not a number.";
    QTest::newRow("length not a number") << QByteArray("12\r\n16ft\r\n") << none << NotANumber
                                         << "The second value of the file \"Sizes.txt\" is \"16ft\", which is not a number.";
    QTest::newRow("empty width") << QByteArray("\r\n16\r\n") << none << NotANumber
                                 << "The first value of the file \"Sizes.txt\" is \"\", which is not a number.";
    QTest::newRow("too large") << QByteArray("1E+999\r\n16\r\n") << none << NotANumber
                               << "The first value of the file \"Sizes.txt\" is \"1E+999\", which is not a number.";
}

void TestFreeFormat::numbers()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<double>, values);
    QFETCH(qint64, failure);
    QFETCH(QString, description);
    const Numbers read = readNumbers(bytes, 2, QStringLiteral("Sizes.txt"));
    QCOMPARE(read.failure.has_value(), failure != 0);
    if (read.failure) {
        QCOMPARE(read.failure->number, failure);
        QCOMPARE(read.failure->description, description);
    } else {
        QCOMPARE(QList<double>(read.values.begin(), read.values.end()), values);
    }
}

void TestFreeFormat::deckType_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("description");
    for (int type = 1; type <= 9; ++type)
        QTest::addRow("written by the hand-off: %d", type)
            << (" " + QByteArray::number(type) + " \r\n") << type << QString();
    QTest::newRow("no blanks, no line end") << QByteArray("4") << 4 << QString();
    QTest::newRow("zero") << QByteArray(" 0 \r\n") << 0
                          << "The file \"DeckType.txt\" holds the deck type 0, which is not one of 1 to 9.";
    QTest::newRow("ten") << QByteArray(" 10 \r\n") << 0
                         << "The file \"DeckType.txt\" holds the deck type 10, which is not one of 1 to 9.";
    QTest::newRow("a fraction") << QByteArray(" 2.5 \r\n") << 0
                                << "The file \"DeckType.txt\" holds the deck type 2.5, which is not one of 1 to 9.";
    QTest::newRow("a word") << QByteArray("square\r\n") << 0
                            << "The first value of the file \"DeckType.txt\" is \"square\", which is not a number.";
    QTest::newRow("empty") << QByteArray() << 0 << "The file \"DeckType.txt\" ends before its first value.";
}

void TestFreeFormat::deckType()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, value);
    QFETCH(QString, description);
    const DeckType read = readDeckType(bytes);
    QCOMPARE(read.value, value);
    QCOMPARE(read.failure ? read.failure->description : QString(), description);
}

QTEST_GUILESS_MAIN(TestFreeFormat)
#include "tst_freeformat.moc"
