// deckviewer's command line, read without starting it, against the table in
// data/command-lines.txt.
#include "datatable.h"
#include "vieweroptions.h"

#include <QTest>

using namespace deckviewer;

class TestViewerOptions : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
};

void TestViewerOptions::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("parsed");
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/command-lines.txt", QStringLiteral(" | "));
    QCOMPARE(rows.size(), 26);
    for (const QStringList &f : rows)
        QTest::newRow(qPrintable(f[0])) << f[1].split(u' ', Qt::SkipEmptyParts) << f[2];
}

void TestViewerOptions::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, parsed);
    const jm::Result<Options> read = parseOptions(arguments);
    QCOMPARE(read ? QStringLiteral("open=%1 render=%2 out=%3 view=%4 mode=%5 help=%6 code=%7/%8/%9/%10 framing=%11 code-given=%12")
                        .arg(read->open, read->render, read->out, read->view, read->mode)
                        .arg(read->help)
                        .arg(deckmodel::speciesKey(read->code.species))
                        .arg(read->code.snowLoadPsf)
                        .arg(read->code.soilBearingPsf)
                        .arg(deckmodel::footingKey(read->code.footing))
                        .arg(read->suggestedFraming ? QStringLiteral("suggested") : QStringLiteral("designed"))
                        .arg(read->codeGiven)
                  : QStringLiteral("error: ") + read.error(),
             parsed);
}

QTEST_GUILESS_MAIN(TestViewerOptions)
#include "tst_vieweroptions.moc"
