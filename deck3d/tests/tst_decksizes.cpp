// The size rules of the deck shape and size page without the page: every
// limit, half-foot step, repair and message, one named row each. The page
// tests prove the wiring with one case of each kind.
#include "decksizes.h"

#include <QTest>

using namespace decksizes;

Q_DECLARE_METATYPE(decksizes::Row)
Q_DECLARE_METATYPE(QList<decksizes::Repair>)

namespace {
const QString AHigh = QStringLiteral("Deck length can not exceed 99 feet.");
const QString ALow = QStringLiteral("Deck length can not be less than 10 feet.");
const QString BHigh = QStringLiteral("Deck width can not exceed 99 feet.");
const QString BLow = QStringLiteral("Deck width can not be less than 10 feet.");
const QString HHigh = QStringLiteral("Deck height can not exceed 6 feet.");
const QString HLow = QStringLiteral("Deck height can not be less than 1 foot.");
const QString LeftAHigh = QStringLiteral("The deck Width can not exceed 99 feet.");
const QString LeftALow = QStringLiteral("The deck Width can not be less than 10 feet.");
const QString LeftBHigh = QStringLiteral("The deck Length can not exceed 99 feet.");
const QString LeftBLow = QStringLiteral("The deck Length can not be less than 10 feet.");
const QString LeftHHigh = QStringLiteral("The deck height can not exceed 6 feet.");
const QString LeftHLow = QStringLiteral("The deck height can not be less than 3 feet.");
} // namespace

class TestDeckSizes : public QObject {
    Q_OBJECT
private slots:
    void steps_data();
    void steps();
    void repairs_data();
    void repairs();
};

void TestDeckSizes::steps_data()
{
    QTest::addColumn<Row>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("after"); // "(nothing)": the step does nothing at all
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, Row r, const char *text, int direction, const char *after,
                        const QString &message = {}) {
        QTest::newRow(name) << r << QString::fromLatin1(text) << direction << QString::fromLatin1(after) << message;
    };
    row("A + 98.5 to 99", Row::A, "98.5", +1, "99");
    row("A + at 99 refused", Row::A, "99", +1, "99", AHigh);
    row("A + 98.75 refused", Row::A, "98.75", +1, "98.75", AHigh);
    row("A + off the grid stays off", Row::A, "20.25", +1, "20.75");
    row("A + to a whole foot", Row::A, "20.5", +1, "21");
    row("A + blanks around", Row::A, " 20 ", +1, "20.5");
    row("A - 10.5 to 10", Row::A, "10.5", -1, "10");
    row("A - at 10 refused", Row::A, "10", -1, "10", ALow);
    row("A - 10.25 refused", Row::A, "10.25", -1, "10.25", ALow);
    row("B + 98.5 to 99", Row::B, "98.5", +1, "99");
    row("B + at 99 refused", Row::B, "99", +1, "99", BHigh);
    row("B - 10.5 to 10", Row::B, "10.5", -1, "10");
    row("B - at 10 refused", Row::B, "10", -1, "10", BLow);
    row("height + 5.5 to 6", Row::Height, "5.5", +1, "6");
    row("height + at 6 refused", Row::Height, "6", +1, "6", HHigh);
    row("height - 3 to 2.5, below the typed range", Row::Height, "3", -1, "2.5");
    row("height - 1.5 to 1", Row::Height, "1.5", -1, "1");
    row("height - at 1 refused", Row::Height, "1", -1, "1", HLow);
    row("height + from 1", Row::Height, "1", +1, "1.5");
    row("letters: nothing", Row::A, "abc", +1, "(nothing)");
    row("a unit: nothing", Row::B, "12ft", -1, "(nothing)");
    row("empty: nothing", Row::Height, "", +1, "(nothing)");
}

void TestDeckSizes::steps()
{
    QFETCH(Row, row);
    QFETCH(QString, text);
    QFETCH(int, direction);
    QFETCH(QString, after);
    QFETCH(QString, message);
    const std::optional<Step> stepped = step(row, text, direction);
    QCOMPARE(stepped.value_or(Step{QStringLiteral("(nothing)"), {}}), (Step{after, message}));
}

void TestDeckSizes::repairs_data()
{
    QTest::addColumn<Row>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<Repair>>("made");
    const auto row = [](const char *name, Row r, const char *text, const QList<Repair> &made = {}) {
        QTest::newRow(name) << r << QString::fromLatin1(text) << made;
    };
    row("A 150 too high", Row::A, "150", {{LeftAHigh, "99"}});
    row("A 99.5 just above", Row::A, "99.5", {{LeftAHigh, "99"}});
    row("A 99 passes", Row::A, "99");
    row("A 10 passes", Row::A, "10");
    row("A 20.0 passes as it stands", Row::A, "20.0");
    row("A 9.5 too low", Row::A, "9.5", {{LeftALow, "10"}});
    row("A empty", Row::A, "", {{LeftALow, "10"}});
    row("A letters", Row::A, "abc", {{LeftALow, "10"}});
    row("B 9 too low", Row::B, "9", {{LeftBLow, "10"}});
    row("B 100 too high", Row::B, "100", {{LeftBHigh, "99"}});
    row("B 12.5 passes", Row::B, "12.5");
    row("B a unit", Row::B, "12ft", {{LeftBLow, "10"}});
    row("height 2.5 too low", Row::Height, "2.5", {{LeftHLow, "3"}});
    row("height 7 too high goes to 3", Row::Height, "7", {{LeftHHigh, "3"}});
    row("height 6.5 just above", Row::Height, "6.5", {{LeftHHigh, "3"}});
    row("height 6 passes", Row::Height, "6");
    row("height 3 passes", Row::Height, "3");
    row("height letters", Row::Height, "high", {{LeftHLow, "3"}});
}

void TestDeckSizes::repairs()
{
    QFETCH(Row, row);
    QFETCH(QString, text);
    QFETCH(QList<Repair>, made);
    QCOMPARE(decksizes::repairs(row, text), made);
}

QTEST_APPLESS_MAIN(TestDeckSizes)
#include "tst_decksizes.moc"
