// The number rules of the size boxes and the bytes of a file line, each one
// table of hand-made rows: the leading number a finish checks and the
// whole-text number a step needs, read from the same texts; the general
// format a step writes back; one byte per character and CR LF; lengths and
// areas for a person.
#include "lengthtext.h"
#include "numbertext.h"
#include "textfiles.h"
#include "datatable.h"

#include <QTemporaryDir>
#include <QDir>
#include <QFile>
#include <QTest>

#include <cmath>
#include <limits>
#include <optional>

namespace {

// Exact equality, the sign of infinity included.
bool same(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }

double number(const QString &text)
{
    if (text == u"max")
        return std::numeric_limits<double>::max();
    if (text == u"denorm_min")
        return std::numeric_limits<double>::denorm_min();
    if (text.endsWith(u"inf"))
        return text.startsWith(u'-') ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    return text.toDouble();
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void reading();
    void generalFormat();
    void fileLine();
    void lengths();
};

// The rows are in data/readings.txt.
void TestNumberText::reading()
{
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/readings.txt");
    QCOMPARE(rows.size(), 49);
    for (const QStringList &row : rows) {
        const QString text = QString(row[1])
                                 .replace(QStringLiteral("%HUGE%"), QStringLiteral("1") + QString(400, u'0'))
                                 .replace(QStringLiteral("%TINY%"), QStringLiteral("0.") + QString(400, u'0') + u'1');
        const double read = numbertext::leadingNumber(text);
        QVERIFY2(same(read, number(row[2])), qPrintable(row[0] + ": " + QString::number(read, 'g', 17)));
        const std::optional<double> strict = numbertext::strictNumber(text);
        QVERIFY2(strict.has_value() == (row[3] != u"-") && numbertext::isWholeNumber(text) == strict.has_value(),
                 qPrintable(row[0]));
        if (strict)
            QVERIFY2(same(*strict, number(row[3])), qPrintable(row[0] + ": " + QString::number(*strict, 'g', 17)));
    }
}

// The rows are in data/general-format.txt.
void TestNumberText::generalFormat()
{
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/general-format.txt");
    QCOMPARE(rows.size(), 19);
    for (const QStringList &row : rows) {
        const double a = number(row[1]), b = number(row[3]);
        const double value = row[2] == u"+" ? a + b : row[2] == u"-" ? a - b : row[2] == u"/" ? a / b : a;
        QCOMPARE(row[0] + ": " + numbertext::generalNumber(value), row[0] + ": " + row[4]);
    }
}

// The rows are in data/file-lines.txt.
void TestNumberText::fileLine()
{
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/file-lines.txt");
    QCOMPARE(rows.size(), 14);
    for (const QStringList &row : rows) {
        const QStringList lines = row.mid(2);
        const QByteArray bytes = row[1].toLatin1();
        QTemporaryDir folder;
        const QString path = folder.filePath("Sizes.txt");
        QVERIFY(textfiles::writeWhole(path, "old\r\n"));
        const jm::Status written = textfiles::writeLines(path, lines);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(row[0] + ": " + file.readAll().toPercentEncoding(), row[0] + ": " + bytes.toPercentEncoding());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Sizes.txt"});
        const QString refusal = "Could not write the file \"Sizes.txt\" in the folder \""
            + QDir::toNativeSeparators(folder.path()) + "\": the value \"" + lines.value(lines.size() - 1).simplified()
            + "\" holds a line break, which would split its line in two. Nothing was written.";
        QCOMPARE(written.error(), bytes == "old\r\n" ? refusal : QString());
        if (lines.size() == 1 && bytes != "old\r\n")
            QCOMPARE(textfiles::encodeLine(lines[0]), bytes);
    }
}

// Lengths and areas as a person reads them; the rows are in data/lengths.txt.
void TestNumberText::lengths()
{
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/lengths.txt", QStringLiteral(" | "));
    QCOMPARE(rows.size(), 23);
    for (const QStringList &r : rows) {
        const QString unit = r[1].section(u' ', 0, 0);
        const bool plain = !unit.front().isLetter();
        const double value = r[1].section(u' ', plain ? 0 : 1).toDouble();
        const QString text = unit == u"area" ? lengthtext::squareFeetText(value)
            : unit == u"inches"              ? lengthtext::inchesText(value)
                                             : lengthtext::feetAndInchesFromInches(value);
        QCOMPARE(r[0] + ": " + text, r[0] + ": " + r[2]);
    }
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
