// The three host conversations against the in-process fake host: the calls in
// order, on the right objects, where the wizard's own steps fall among them,
// and every object released in the right order, against the golden journals
// in data/sequences.journals.
#include "fakehost.h"
#include "journals.h"
#include "sequences.h"

#include <QTest>

class TestSequences : public QObject {
    Q_OBJECT
private slots:
    void conversations_data();
    void conversations();
};

void TestSequences::conversations_data()
{
    QTest::addColumn<QStringList>("journal");
    for (const auto &[name, journal] : readJournals(JM_HOST_TESTDATA "/sequences.journals"))
        QTest::newRow(qPrintable(name)) << journal;
}

void TestSequences::conversations()
{
    QFETCH(QStringList, journal);
    const QStringList row = QString::fromLatin1(QTest::currentDataTag()).split(u'|');
    const QString conversation = row.value(0).trimmed(), wrong = row.value(1).trimmed();
    host::testing::FakeConnector host;
    auto &state = host.state();
    state.running = wrong != u"no host";
    state.failing.insert(wrong.section(u' ', 0, 0).toStdString());
    const auto note = [&](const char *step) { return [&state, step] { state.journal.push_back(step); }; };

    host::Status status = host::success();
    if (conversation == u"start-up") {
        host::runStartup(host, note("show page"));
    } else if (conversation == u"2D finish") {
        status = host::runFinish2D(host, 19, note("hide page"), [&]() -> host::Status {
            state.journal.push_back("write DeckSize.txt");
            if (wrong == u"DeckSize.txt cannot be written")
                return host::Error{2, "disk full"};
            return host::success();
        });
    } else {
        status = host::runFinish3D(host, "*Program Data\\3D Decks\\Deck_Slice.bsx");
    }
    QStringList seen;
    for (const auto &line : host.journal())
        seen << QString::fromStdString(line);
    seen << "= " + (status ? QStringLiteral("ok") : QString::number(status.error().number, 16));
    QCOMPARE(seen, journal);
    QCOMPARE(state.live, 0);
}

QTEST_GUILESS_MAIN(TestSequences)
#include "tst_sequences.moc"
