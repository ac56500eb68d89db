// The 2D width's rules without the page: which message the finish gives a
// text, in which order the checks decide, and what a step makes of a text.
// How a text reads as a number is told case by case in tst_numbertext.
// The style ring is proved press by press on the page itself (tst_wiz_2d_1).
#include "deckwidth.h"

#include <QTest>

using deckwidth::Refusal;

namespace {
const Refusal TooSmall{QStringLiteral("Deck Width must be at least 10 feet"), false};
const Refusal NotANumber{QStringLiteral("Please enter a valid Deck Width and try again"), true};
const Refusal TooLarge{QStringLiteral("Please enter a Deck Width between 10 and 800 feet"), true};
const Refusal Accepted{};
} // namespace

Q_DECLARE_METATYPE(Refusal)
Q_DECLARE_METATYPE(std::optional<QString>)

class TestDeckWidth : public QObject {
    Q_OBJECT
private slots:
    void finishRefusesInOrder_data();
    void finishRefusesInOrder();
    void stepChangesOnlyWholeNumbers_data();
    void stepChangesOnlyWholeNumbers();
};

void TestDeckWidth::finishRefusesInOrder_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Refusal>("refusal");
    QTest::newRow("empty reads as 0") << "" << TooSmall;
    QTest::newRow("letters only read as 0") << "abc" << TooSmall;
    QTest::newRow("9.99") << "9.99" << TooSmall;
    QTest::newRow("10 inclusive") << "10" << Accepted;
    QTest::newRow("800 inclusive") << "800" << Accepted;
    QTest::newRow("800.01") << "800.01" << TooLarge;
    QTest::newRow("1e3 is a whole number above 800") << "1e3" << TooLarge;
    QTest::newRow("12ft") << "12ft" << NotANumber;
    QTest::newRow("9ft: below 10 wins over the letters") << "9ft" << TooSmall;
    QTest::newRow("1 0 reads as 10 but is not whole") << "1 0" << NotANumber;
    QTest::newRow("blanks around") << " 24 " << Accepted;
    QTest::newRow("-5") << "-5" << TooSmall;
    QTest::newRow("10.2.3") << "10.2.3" << NotANumber;
    QTest::newRow("10e") << "10e" << NotANumber;
    QTest::newRow("2,5") << "2,5" << TooSmall;
    QTest::newRow("20,5") << "20,5" << NotANumber;
    QTest::newRow("tab inside") << "2\t0" << NotANumber;
    QTest::newRow("17 digits above 800") << "12345678901234567" << TooLarge;
    QTest::newRow("17 digits rounding up to 10") << "9.9999999999999999" << Accepted;
    QTest::newRow("1e309 beyond a double") << "1e309" << NotANumber;
    QTest::newRow("-1e309 beyond a double") << "-1e309" << TooSmall;
}

void TestDeckWidth::finishRefusesInOrder()
{
    QFETCH(QString, text);
    QFETCH(Refusal, refusal);
    QCOMPARE(deckwidth::refusalOf(text).value_or(Accepted), refusal);
}

void TestDeckWidth::stepChangesOnlyWholeNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("by");
    QTest::addColumn<std::optional<QString>>("result");
    const std::optional<QString> unchanged;
    const auto to = [](const char *text) { return std::optional(QString::fromLatin1(text)); };
    QTest::newRow("20 down") << "20" << -1 << to("19");
    QTest::newRow("10 down, no limit") << "10" << -1 << to("9");
    QTest::newRow("800 up, no limit") << "800" << +1 << to("801");
    QTest::newRow("1 down") << "1" << -1 << to("0");
    QTest::newRow("0 down") << "0" << -1 << to("-1");
    QTest::newRow("10.5 down") << "10.5" << -1 << to("9.5");
    QTest::newRow("blanks around go") << " 24 " << +1 << to("25");
    QTest::newRow("exponent written out") << "1e3" << +1 << to("1001");
    QTest::newRow("empty") << "" << +1 << unchanged;
    QTest::newRow("number then letters") << "12ft" << +1 << unchanged;
    QTest::newRow("blank inside") << "1 0" << -1 << unchanged;
    QTest::newRow("decimal comma") << "2,5" << +1 << unchanged;
    QTest::newRow("beyond a double") << "1e309" << -1 << unchanged;
}

void TestDeckWidth::stepChangesOnlyWholeNumbers()
{
    QFETCH(QString, text);
    QFETCH(int, by);
    QFETCH(std::optional<QString>, result);
    QCOMPARE(deckwidth::stepped(text, by), result);
}

QTEST_APPLESS_MAIN(TestDeckWidth)
#include "tst_deckwidth.moc"
