// The shape page's size rules without the page, one table of named rows: the
// sizes' limits, half-foot steps and repairs with their messages. The files
// these sizes go to are proved in deckfile/tests, whole files through the
// pages in tst_road3d.
#include "datatable.h"
#include "decksizes.h"

#include <QTest>

// A row's result, named so that a failure says which row it is.
#define COMPARE_ROW(name, actual, expected) QCOMPARE(QString(name) + ": " + (actual), QString(name) + ": " + (expected))

class TestDeck3dRules : public QObject {
    Q_OBJECT
private slots:
    void sizes();
};

// The rows are in data/size-rules.txt.
void TestDeck3dRules::sizes()
{
    using enum decksizes::Row;
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/size-rules.txt");
    QCOMPARE(rows.size(), 33);
    for (const QStringList &r : rows) {
        const decksizes::Row row = r[1] == u"A" ? A : r[1] == u"B" ? B : Height;
        QStringList result{r[2]};
        if (r[3] == u"l") {
            for (const decksizes::Repair &repair : decksizes::repairs(row, result[0])) {
                result << repair.message;
                result[0] = repair.text;
            }
        } else if (const auto step = decksizes::step(row, result[0], r[3] == u"+" ? 1 : -1)) {
            result = QStringList{step->text, step->message};
            result.removeAll(QString());
        } else {
            result[0] = QStringLiteral("(nothing)");
        }
        COMPARE_ROW(r[0], result.join(u'|'), r.mid(4).join(u'|'));
    }
}

QTEST_GUILESS_MAIN(TestDeck3dRules)
#include "tst_deck3drules.moc"
