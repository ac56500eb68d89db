// Lengths and areas as a person reads them, one table of hand-made rows in
// data/lengths.txt.
#include "datatable.h"
#include "lengthtext.h"

#include <QTest>

class TestLengthText : public QObject {
    Q_OBJECT
private slots:
    void lengths();
};

void TestLengthText::lengths()
{
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/lengths.txt", QStringLiteral(" | "));
    QCOMPARE(rows.size(), 19);
    for (const QStringList &r : rows) {
        const bool area = r[1].startsWith(u"area ");
        const double value = QStringView(r[1]).mid(area ? 5 : 0).toDouble();
        const QString text = area ? lengthtext::squareFeetText(value) : lengthtext::feetAndInchesFromInches(value);
        QCOMPARE(r[0] + ": " + text, r[0] + ": " + r[2]);
    }
}

QTEST_APPLESS_MAIN(TestLengthText)
#include "tst_lengthtext.moc"
