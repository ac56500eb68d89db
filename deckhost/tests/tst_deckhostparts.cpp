// deckhost's command line, read without starting it, against the table in
// data/command-lines.txt; the calls panel with a megabyte argument.
#include "callspanel.h"
#include "datatable.h"
#include "options.h"

#include <QFile>
#include <QListWidget>
#include <QTest>

namespace {
QString summary(const ParsedOptions &parsed)
{
    if (!parsed.error.isEmpty())
        return QStringLiteral("error: ") + parsed.error;
    const Options &o = parsed.options;
    QStringList failing(o.behaviour.failing.begin(), o.behaviour.failing.end());
    QStringList wrong(o.behaviour.wrongType.begin(), o.behaviour.wrongType.end());
    QStringList delays;
    for (auto it = o.behaviour.delaysMs.begin(); it != o.behaviour.delaysMs.end(); ++it)
        delays << QStringLiteral("%1=%2").arg(it.key()).arg(it.value());
    failing.sort();
    wrong.sort();
    delays.sort();
    QString summary = QStringLiteral("journal=%1 folder=%2 headless=%3 help=%4 fail=%5 wrong=%6 delay=%7")
                          .arg(o.journal, o.wizardFolder)
                          .arg(o.headless)
                          .arg(o.help)
                          .arg(failing.join(u','), wrong.join(u','), delays.join(u','));
    if (const std::optional<deckviewer::Options> &v = o.viewer)
        summary += QStringLiteral(" viewer: open=%1 render=%2 out=%3 view=%4 mode=%5")
                       .arg(v->open, v->render, v->out, v->view, v->mode);
    return summary;
}

} // namespace

class TestDeckHostParts : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
    void aLongCallIsShownShort();
};

void TestDeckHostParts::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("parsed");
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/command-lines.txt", QStringLiteral(" | "));
    QCOMPARE(rows.size(), 16);
    for (const QStringList &f : rows)
        QTest::newRow(qPrintable(f[0])) << f[1].split(u' ', Qt::SkipEmptyParts) << f[2];
}

void TestDeckHostParts::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, parsed);
    QCOMPARE(summary(parseOptions(arguments, QStringLiteral("/own"))), parsed);
}

void TestDeckHostParts::aLongCallIsShownShort()
{
    CallsPanel panel(QStringLiteral("/own"));
    const QString path = QStringLiteral("*\\") + QString(1 << 20, u'x');
    panel.addCall({"/Application/ActiveTarget", "Plankora.SymbolTarget", "OpenSymbolFile", "call", {path}});
    panel.addCall({"/Application", "Plankora.HostApplication", "Prepare", "call", {}});
    QTRY_COMPARE(panel.calls->count(), 2);
    // 300 characters: the 49 of `call /Application/ActiveTarget OpenSymbolFile "*\`, 248 x and "...".
    QCOMPARE(panel.calls->item(0)->text(),
             QStringLiteral("call /Application/ActiveTarget OpenSymbolFile \"*\\") + QString(248, u'x') + "...");
    QCOMPARE(panel.calls->item(1)->text(), "call /Application Prepare");
}

QTEST_MAIN(TestDeckHostParts)
#include "tst_deckhostparts.moc"
