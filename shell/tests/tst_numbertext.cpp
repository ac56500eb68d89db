// The number text rules the size boxes live by: the leading number a finish
// checks, the strict reading of the step buttons, the general format a step
// writes back, and the bytes of a parameter file line.
#include "numbertext.h"
#include "textfiles.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <optional>

using numbertext::generalNumber;
using numbertext::isWholeNumber;
using numbertext::leadingNumber;
using numbertext::strictNumber;

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

// Exact equality, sign of infinity included: no fuzzy compare for numbers read.
bool same(double a, double b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

QString show(double value)
{
    return QString::number(value, 'g', 17);
}

// Four hundred digits: far beyond a double either way.
const QString Huge = QStringLiteral("1") + QString(400, u'0');
const QString Tiny = QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1");

} // namespace

Q_DECLARE_METATYPE(std::optional<double>)

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void leadingNumberReadsTheStart_data();
    void leadingNumberReadsTheStart();
    void strictNumberTakesTheWholeText_data();
    void strictNumberTakesTheWholeText();
    void generalNumberPrintsShortest_data();
    void generalNumberPrintsShortest();
    void encodeLineGivesOneBytePerCharacterAndCrLf_data();
    void encodeLineGivesOneBytePerCharacterAndCrLf();
    void encodeLinesEndsEveryLine();
};

void TestNumberText::leadingNumberReadsTheStart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("9.99") << "9.99" << 9.99;
    QTest::newRow("10") << "10" << 10.0;
    QTest::newRow("800") << "800" << 800.0;
    QTest::newRow("800.01") << "800.01" << 800.01;
    QTest::newRow("exponent 1e3") << "1e3" << 1000.0;
    QTest::newRow("capital exponent 1E2") << "1E2" << 100.0;
    QTest::newRow("exponent with sign") << "1.5e+2" << 150.0;
    QTest::newRow("negative exponent") << "25e-1" << 2.5;
    QTest::newRow("number then letters") << "12ft" << 12.0;
    QTest::newRow("blank between digits") << "1 0" << 10.0;
    QTest::newRow("blanks around") << " 24 " << 24.0;
    QTest::newRow("tab between digits") << "1\t0" << 10.0;
    QTest::newRow("line feed between digits") << "1\n0" << 10.0;
    QTest::newRow("blanks tabs line feeds everywhere") << " \t2\n 4. \t5\n" << 24.5;
    QTest::newRow("blanks inside the exponent") << "1 e + 3" << 1000.0;
    QTest::newRow("carriage return stops") << "1\r0" << 1.0;
    QTest::newRow("minus") << "-5" << -5.0;
    QTest::newRow("plus") << "+10" << 10.0;
    QTest::newRow("sign then blank") << "- 5" << -5.0;
    QTest::newRow("two signs") << "--5" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("signed leading point with exponent") << "-.5e1" << -5.0;
    QTest::newRow("trailing point") << "10." << 10.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("exponent letter without digits") << "1e" << 1.0;
    QTest::newRow("exponent sign without digits") << "1e+" << 1.0;
    QTest::newRow("fraction in the exponent stops") << "1e2.5" << 100.0;
    QTest::newRow("comma stops") << "2,5" << 2.0;
    QTest::newRow("thousands separator stops") << "1,000" << 1.0;
    QTest::newRow("minus after digits stops") << "5-3" << 5.0;
    QTest::newRow("hexadecimal is not read") << "0x1A" << 0.0;
    QTest::newRow("infinity word is not read") << "inf" << 0.0;
    QTest::newRow("nan word is not read") << "nan" << 0.0;
    QTest::newRow("other script digits are not read") << QStringLiteral("\u0663\u0664") << 0.0;
    QTest::newRow("full-width digits are not read") << QStringLiteral("\uFF12\uFF14") << 0.0;
    QTest::newRow("17 digits") << "12345678901234567" << 12345678901234567.0;
    QTest::newRow("17 nines") << "99999999999999999" << 1e17;
    QTest::newRow("17 fraction digits") << "0.12345678901234567" << 0.12345678901234567;
    QTest::newRow("1e309 too large") << "1e309" << Infinity;
    QTest::newRow("-1e309 too large") << "-1e309" << -Infinity;
    QTest::newRow("huge exponent") << "1e99999999999999999999" << Infinity;
    QTest::newRow("400 digits too large") << Huge << Infinity;
    QTest::newRow("1e-400 too small") << "1e-400" << 0.0;
    QTest::newRow("400 zeros after the point too small") << Tiny << 0.0;
    QTest::newRow("many digits with negative exponent") << Huge + "e-390" << 1e10;
    QTest::newRow("largest double") << "1.7976931348623157e308" << std::numeric_limits<double>::max();
}

void TestNumberText::leadingNumberReadsTheStart()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    const double read = leadingNumber(text);
    QVERIFY2(same(read, value), qPrintable(show(read) + " != " + show(value)));
}

void TestNumberText::strictNumberTakesTheWholeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<double>>("value");
    const std::optional<double> none;
    QTest::newRow("empty") << "" << none;
    QTest::newRow("blanks only") << "   " << none;
    QTest::newRow("letters only") << "abc" << none;
    QTest::newRow("9.99") << "9.99" << std::optional(9.99);
    QTest::newRow("10") << "10" << std::optional(10.0);
    QTest::newRow("800") << "800" << std::optional(800.0);
    QTest::newRow("800.01") << "800.01" << std::optional(800.01);
    QTest::newRow("exponent 1e3") << "1e3" << std::optional(1000.0);
    QTest::newRow("capital exponent 1E2") << "1E2" << std::optional(100.0);
    QTest::newRow("exponent with sign") << "2.5E-1" << std::optional(0.25);
    QTest::newRow("number then letters") << "12ft" << none;
    QTest::newRow("blank between digits") << "1 0" << none;
    QTest::newRow("blanks around") << " 24 " << std::optional(24.0);
    QTest::newRow("tab between digits") << "1\t0" << none;
    QTest::newRow("line feed between digits") << "1\n0" << none;
    QTest::newRow("tab before") << "\t24" << none;
    QTest::newRow("line feed after") << "24\n" << none;
    QTest::newRow("minus") << "-5" << std::optional(-5.0);
    QTest::newRow("plus") << "+10" << std::optional(10.0);
    QTest::newRow("sign then blank") << "- 5" << none;
    QTest::newRow("sign alone") << "-" << none;
    QTest::newRow("point alone") << "." << none;
    QTest::newRow("leading point") << ".5" << std::optional(0.5);
    QTest::newRow("trailing point") << "10." << std::optional(10.0);
    QTest::newRow("two points") << "1.2.3" << none;
    QTest::newRow("exponent letter without digits") << "1e" << none;
    QTest::newRow("exponent sign without digits") << "1e+" << none;
    QTest::newRow("decimal comma") << "2,5" << none;
    QTest::newRow("thousands separator") << "1,000" << none;
    QTest::newRow("hexadecimal") << "0x10" << none;
    QTest::newRow("infinity word") << "inf" << none;
    QTest::newRow("nan word") << "nan" << none;
    QTest::newRow("full-width digits") << QStringLiteral("\uFF12\uFF14") << none;
    QTest::newRow("17 digits") << "12345678901234567" << std::optional(12345678901234567.0);
    QTest::newRow("1e309 too large") << "1e309" << none;
    QTest::newRow("-1e309 too large") << "-1e309" << none;
    QTest::newRow("400 digits too large") << Huge << none;
    QTest::newRow("1e-400 too small reads as 0") << "1e-400" << std::optional(0.0);
    QTest::newRow("400 zeros after the point reads as 0") << Tiny << std::optional(0.0);
}

void TestNumberText::strictNumberTakesTheWholeText()
{
    QFETCH(QString, text);
    QFETCH(std::optional<double>, value);
    const std::optional<double> read = strictNumber(text);
    QCOMPARE(read.has_value(), value.has_value());
    QCOMPARE(isWholeNumber(text), value.has_value());
    if (value)
        QVERIFY2(same(*read, *value), qPrintable(show(*read) + " != " + show(*value)));
}

void TestNumberText::generalNumberPrintsShortest_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("20 - 1") << 20.0 - 1 << "19";
    QTest::newRow("10.5 - 1") << 10.5 - 1 << "9.5";
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << "0.3";
    QTest::newRow("800 + 1") << 800.0 + 1 << "801";
    QTest::newRow("1 - 1") << 1.0 - 1 << "0";
    QTest::newRow("0 - 1") << 0.0 - 1 << "-1";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("fraction below one") << 0.5 << "0.5";
    QTest::newRow("negative fraction") << 0.5 - 1 << "-0.5";
    QTest::newRow("9.99 + 1") << 9.99 + 1 << "10.99";
    QTest::newRow("one third") << 1.0 / 3 << "0.333333333333333";
    QTest::newRow("two thirds rounds") << 2.0 / 3 << "0.666666666666667";
    QTest::newRow("15 digits whole") << 999999999999999.0 << "999999999999999";
    QTest::newRow("16 digits need an exponent") << 1e15 << "1E+15";
    QTest::newRow("17 digits") << 12345678901234567.0 << "1.23456789012346E+16";
    QTest::newRow("large") << 1e20 << "1E+20";
    QTest::newRow("large negative") << -2.5e300 << "-2.5E+300";
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << "1.79769313486232E+308";
    QTest::newRow("small") << 0.0001 << "0.0001";
    QTest::newRow("tiny") << 1e-20 << "1E-20";
    QTest::newRow("smallest double") << std::numeric_limits<double>::denorm_min() << "4.94065645841247E-324";
}

void TestNumberText::generalNumberPrintsShortest()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(generalNumber(value), text);
}

void TestNumberText::encodeLineGivesOneBytePerCharacterAndCrLf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("width") << "24.5" << QByteArray("24.5\r\n");
    QTest::newRow("empty") << "" << QByteArray("\r\n");
    QTest::newRow("blanks kept") << " 24 " << QByteArray(" 24 \r\n");
    QTest::newRow("Latin-1 letter") << QStringLiteral("caf\u00e9") << QByteArray("caf\xe9\r\n");
    QTest::newRow("last Latin-1 character") << QStringLiteral("\u00ff") << QByteArray("\xff\r\n");
    QTest::newRow("euro sign cannot be held") << QStringLiteral("5\u20ac") << QByteArray("5?\r\n");
    QTest::newRow("character beyond the basic plane is one ?") << QStringLiteral("a\U0001F600b")
                                                                << QByteArray("a?b\r\n");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?\r\n");
    QTest::newRow("inch sign") << QStringLiteral("4\" Square Posts") << QByteArray("4\" Square Posts\r\n");
}

void TestNumberText::encodeLineGivesOneBytePerCharacterAndCrLf()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(textfiles::encodeLine(text), bytes);
}

void TestNumberText::encodeLinesEndsEveryLine()
{
    QCOMPARE(textfiles::encodeLines({}), QByteArray());
    QCOMPARE(textfiles::encodeLines({QStringLiteral("1"), QString(), QStringLiteral("x")}),
             QByteArray("1\r\n\r\nx\r\n"));
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
