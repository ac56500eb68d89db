// The number rules of the size boxes and the bytes of a file line, each one
// table of hand-made rows: the leading number a finish checks and the
// whole-text number a step needs, read from the same texts; the general
// format a step writes back; one byte per character and CR LF.
#include "numbertext.h"
#include "textfiles.h"

#include <QTemporaryDir>
#include <QDir>
#include <QFile>
#include <QTest>

#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
const std::optional<double> None;
std::optional<double> whole(double value) { return value; }

// Exact equality, the sign of infinity included.
bool same(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }

// Four hundred digits: far beyond a double either way.
const QString Huge = QStringLiteral("1") + QString(400, u'0');
const QString Tiny = QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1");

} // namespace

Q_DECLARE_METATYPE(std::optional<double>)

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void reading_data();
    void reading();
    void generalFormat_data();
    void generalFormat();
    void fileLine_data();
    void fileLine();
};

void TestNumberText::reading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("leading");
    QTest::addColumn<std::optional<double>>("whole");
    QTest::newRow("empty") << "" << 0.0 << None;
    QTest::newRow("blanks only") << "   " << 0.0 << None;
    QTest::newRow("letters only") << "abc" << 0.0 << None;
    QTest::newRow("9.99") << "9.99" << 9.99 << whole(9.99);
    QTest::newRow("800.01") << "800.01" << 800.01 << whole(800.01);
    QTest::newRow("exponent 1e3") << "1e3" << 1000.0 << whole(1000);
    QTest::newRow("capital exponent 1E2") << "1E2" << 100.0 << whole(100);
    QTest::newRow("exponent with sign") << "1.5e+2" << 150.0 << whole(150);
    QTest::newRow("negative exponent") << "25E-1" << 2.5 << whole(2.5);
    QTest::newRow("number then letters") << "12ft" << 12.0 << None;
    QTest::newRow("blank between digits") << "1 0" << 10.0 << None;
    QTest::newRow("blanks around") << " 24 " << 24.0 << whole(24);
    QTest::newRow("tab between digits") << "1\t0" << 10.0 << None;
    QTest::newRow("line feed between digits") << "1\n0" << 10.0 << None;
    QTest::newRow("tab before") << "\t24" << 24.0 << None;
    QTest::newRow("blanks tabs line feeds everywhere") << " \t2\n 4. \t5\n" << 24.5 << None;
    QTest::newRow("blanks inside the exponent") << "1 e + 3" << 1000.0 << None;
    QTest::newRow("carriage return stops") << "1\r0" << 1.0 << None;
    QTest::newRow("minus") << "-5" << -5.0 << whole(-5);
    QTest::newRow("plus") << "+10" << 10.0 << whole(10);
    QTest::newRow("sign then blank") << "- 5" << -5.0 << None;
    QTest::newRow("two signs") << "--5" << 0.0 << None;
    QTest::newRow("sign alone") << "-" << 0.0 << None;
    QTest::newRow("point alone") << "." << 0.0 << None;
    QTest::newRow("leading point") << ".5" << 0.5 << whole(0.5);
    QTest::newRow("signed leading point, exponent") << "-.5e1" << -5.0 << whole(-5);
    QTest::newRow("trailing point") << "10." << 10.0 << whole(10);
    QTest::newRow("second point stops") << "1.2.3" << 1.2 << None;
    QTest::newRow("exponent letter without digits") << "1e" << 1.0 << None;
    QTest::newRow("exponent sign without digits") << "1e+" << 1.0 << None;
    QTest::newRow("fraction in the exponent stops") << "1e2.5" << 100.0 << None;
    QTest::newRow("decimal comma stops") << "2,5" << 2.0 << None;
    QTest::newRow("thousands separator stops") << "1,000" << 1.0 << None;
    QTest::newRow("minus after digits stops") << "5-3" << 5.0 << None;
    QTest::newRow("hexadecimal") << "0x1A" << 0.0 << None;
    QTest::newRow("infinity word") << "inf" << 0.0 << None;
    QTest::newRow("nan word") << "nan" << 0.0 << None;
    QTest::newRow("full-width digits") << QStringLiteral("\uFF12\uFF14") << 0.0 << None;
    QTest::newRow("other script digits") << QStringLiteral("\u0663\u0664") << 0.0 << None;
    QTest::newRow("17 digits") << "12345678901234567" << 12345678901234567.0 << whole(12345678901234567.0);
    QTest::newRow("17 fraction digits") << "0.12345678901234567" << 0.12345678901234567
                                        << whole(0.12345678901234567);
    QTest::newRow("1e309 too large") << "1e309" << Inf << None;
    QTest::newRow("-1e309 too large") << "-1e309" << -Inf << None;
    QTest::newRow("huge exponent") << "1e99999999999999999999" << Inf << None;
    QTest::newRow("400 digits too large") << Huge << Inf << None;
    QTest::newRow("1e-400 reads as 0") << "1e-400" << 0.0 << whole(0);
    QTest::newRow("400 zeros after the point read as 0") << Tiny << 0.0 << whole(0);
    QTest::newRow("many digits, negative exponent") << Huge + "e-390" << 1e10 << whole(1e10);
    QTest::newRow("largest double") << "1.7976931348623157e308" << 1.7976931348623157e308
                                    << whole(1.7976931348623157e308);
}

void TestNumberText::reading()
{
    QFETCH(QString, text);
    QFETCH(double, leading);
    QFETCH(std::optional<double>, whole);
    const double read = numbertext::leadingNumber(text);
    QVERIFY2(same(read, leading), qPrintable(QString::number(read, 'g', 17)));
    const std::optional<double> strict = numbertext::strictNumber(text);
    QCOMPARE(strict.has_value(), whole.has_value());
    QCOMPARE(numbertext::isWholeNumber(text), whole.has_value());
    if (whole)
        QVERIFY2(same(*strict, *whole), qPrintable(QString::number(*strict, 'g', 17)));
}

void TestNumberText::generalFormat_data()
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
    QTest::newRow("negative fraction") << 0.5 - 1 << "-0.5";
    QTest::newRow("9.99 + 1") << 9.99 + 1 << "10.99";
    QTest::newRow("one third") << 1.0 / 3 << "0.333333333333333";
    QTest::newRow("two thirds rounds") << 2.0 / 3 << "0.666666666666667";
    QTest::newRow("15 digits whole") << 999999999999999.0 << "999999999999999";
    QTest::newRow("16 digits need an exponent") << 1e15 << "1E+15";
    QTest::newRow("17 digits") << 12345678901234567.0 << "1.23456789012346E+16";
    QTest::newRow("large negative") << -2.5e300 << "-2.5E+300";
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << "1.79769313486232E+308";
    QTest::newRow("small") << 0.0001 << "0.0001";
    QTest::newRow("tiny") << 1e-20 << "1E-20";
    QTest::newRow("smallest double") << std::numeric_limits<double>::denorm_min() << "4.94065645841247E-324";
}

void TestNumberText::generalFormat()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(numbertext::generalNumber(value), text);
}

void TestNumberText::fileLine_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("width") << QStringList{"24.5"} << QByteArray("24.5\r\n");
    QTest::newRow("empty line") << QStringList{""} << QByteArray("\r\n");
    QTest::newRow("blanks kept") << QStringList{" 24 "} << QByteArray(" 24 \r\n");
    QTest::newRow("no lines") << QStringList{} << QByteArray();
    QTest::newRow("three lines") << QStringList{"1", "", "x"} << QByteArray("1\r\n\r\nx\r\n");
    QTest::newRow("Latin-1 letter") << QStringList{QStringLiteral("caf\u00e9")} << QByteArray("caf\xe9\r\n");
    QTest::newRow("last Latin-1 character") << QStringList{QStringLiteral("\u00ff")} << QByteArray("\xff\r\n");
    QTest::newRow("euro sign cannot be held") << QStringList{QStringLiteral("5\u20ac")} << QByteArray("5?\r\n");
    QTest::newRow("beyond the basic plane is one ?") << QStringList{QStringLiteral("a\U0001F600b")}
                                                     << QByteArray("a?b\r\n");
    QTest::newRow("lone surrogate") << QStringList{QString(QChar(0xD800))} << QByteArray("?\r\n");
    QTest::newRow("inch sign") << QStringList{"4\" Square Posts"} << QByteArray("4\" Square Posts\r\n");
    // A line break in a value would split its line: refused, the old file kept.
    QTest::newRow("CR LF dropped in") << QStringList{"3", "9\r\n7"} << QByteArray("old\r\n");
    QTest::newRow("a lone LF") << QStringList{"9\n"} << QByteArray("old\r\n");
    QTest::newRow("a lone CR") << QStringList{"\r9"} << QByteArray("old\r\n");
}

// The bytes a file holds after the lines are written over "old".
void TestNumberText::fileLine()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    QTemporaryDir folder;
    const QString path = folder.filePath("Sizes.txt");
    QVERIFY(!textfiles::writeWhole(path, "old\r\n"));
    const auto failure = textfiles::writeLines(path, lines);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Sizes.txt"});
    const QString refusal = "Could not write the file \"Sizes.txt\" in the folder \""
        + QDir::toNativeSeparators(folder.path()) + "\": the value \"" + lines.value(lines.size() - 1).simplified()
        + "\" holds a line break, which would split its line in two. Nothing was written.";
    QCOMPARE(failure ? failure->description : QString(), bytes == "old\r\n" ? refusal : QString());
    if (lines.size() == 1 && bytes != "old\r\n")
        QCOMPARE(textfiles::encodeLine(lines[0]), bytes);
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
