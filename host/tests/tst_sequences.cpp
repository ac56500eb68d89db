// The three host conversations against the in-process fake host: the calls in
// order, on the right objects, and every object released in the right order.
#include "fakehost.h"
#include "sequences.h"

#include <QTest>

using host::testing::FakeConnector;

namespace {
QStringList journalOf(const FakeConnector &host)
{
    QStringList lines;
    for (const auto &line : host.journal())
        lines << QString::fromStdString(line);
    return lines;
}
const QString Attach = QStringLiteral("attach Plankora.Application");
} // namespace

class TestSequences : public QObject {
    Q_OBJECT
private slots:
    void startUpShowsThePageBeforeReleasing();
    void finish2D_data();
    void finish2D();
    void finish3D_data();
    void finish3D();
    void styleSymbolPaths();
};

void TestSequences::startUpShowsThePageBeforeReleasing()
{
    FakeConnector host;
    host::runStartup(host, [&] { host.state().journal.push_back("show page"); });
    QCOMPARE(journalOf(host), (QStringList{Attach, "app.ActiveProvider", "app.ActiveTarget", "app.Prepare", "show page",
                                           "release provider", "release activeTarget", "release app"}));
}

void TestSequences::finish2D_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QStringList>("journal");
    const QStringList full{Attach,
                           "app.ActiveProvider",
                           "app.ActiveTarget",
                           "hide page",
                           "activeTarget.Mode2D = True",
                           "write DeckSize.txt",
                           "provider.Target",
                           "release activeTarget",
                           "providerTarget.SymbolLoader",
                           "loader.LoadSymbol (\"*\\Program Data\\2D Decks\\Deck 19.dc\", False, True, True)",
                           "providerTarget.OpenSymbolFile (\"*\\Program Data\\2D Decks\\2ddecks.bsx\")",
                           "release loader",
                           "release providerTarget",
                           "release provider",
                           "release app"};
    QTest::newRow("host running") << true << QString() << full;
    QTest::newRow("no host") << false << QString() << QStringList{Attach};
    QTest::newRow("ActiveTarget fails") << true << "ActiveTarget"
        << QStringList{Attach, "app.ActiveProvider", "app.ActiveTarget", "release provider", "release app"};
    QTest::newRow("Mode2D fails") << true << "Mode2D"
        << QStringList{Attach, "app.ActiveProvider", "app.ActiveTarget", "hide page", "activeTarget.Mode2D = True",
                       "release activeTarget", "release provider", "release app"};
    QTest::newRow("LoadSymbol fails") << true << "LoadSymbol" << [&] {
        QStringList j = full.mid(0, 10);
        j << "release loader" << "release providerTarget" << "release provider" << "release app";
        return j;
    }();
}

void TestSequences::finish2D()
{
    QFETCH(bool, running);
    QFETCH(QString, failing);
    QFETCH(QStringList, journal);
    FakeConnector host;
    host.state().running = running;
    if (!failing.isEmpty())
        host.state().failing.insert(failing.toStdString());
    const auto result = host::runFinish2D(
        host, 19, [&] { host.state().journal.push_back("hide page"); },
        [&]() -> host::Status {
            host.state().journal.push_back("write DeckSize.txt");
            return host::success();
        });
    QCOMPARE(journalOf(host), journal);
    QCOMPARE(result.ok(), running && failing.isEmpty());
    if (!running)
        QCOMPARE(result.error().number, host::errors::NoHost);
    else if (!failing.isEmpty())
        QCOMPARE(result.error().number, host::errors::MemberFailed);
    QCOMPARE(host.state().live, 0);
}

void TestSequences::finish3D_data()
{
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QStringList>("journal");
    QTest::newRow("host running") << QString()
        << QStringList{Attach, "app.ActiveProvider", "app.ActiveTarget", "app.Prepare", "activeTarget.Mode2D = False",
                       "provider.Target", "release activeTarget",
                       "providerTarget.OpenSymbolFile (\"*Program Data\\3D Decks\\Deck_Slice.bsx\")",
                       "release app", "release provider", "release providerTarget"};
    QTest::newRow("Prepare fails") << "Prepare"
        << QStringList{Attach, "app.ActiveProvider", "app.ActiveTarget", "app.Prepare", "release app",
                       "release provider", "release activeTarget"};
    QTest::newRow("OpenSymbolFile fails") << "OpenSymbolFile"
        << QStringList{Attach, "app.ActiveProvider", "app.ActiveTarget", "app.Prepare", "activeTarget.Mode2D = False",
                       "provider.Target", "release activeTarget",
                       "providerTarget.OpenSymbolFile (\"*Program Data\\3D Decks\\Deck_Slice.bsx\")",
                       "release app", "release provider", "release providerTarget"};
}

void TestSequences::finish3D()
{
    QFETCH(QString, failing);
    QFETCH(QStringList, journal);
    FakeConnector host;
    if (!failing.isEmpty())
        host.state().failing.insert(failing.toStdString());
    const auto result = host::runFinish3D(host, "*Program Data\\3D Decks\\Deck_Slice.bsx");
    QCOMPARE(journalOf(host), journal);
    QCOMPARE(result.ok(), failing.isEmpty());
    QCOMPARE(host.state().live, 0);
}

void TestSequences::styleSymbolPaths()
{
    QCOMPARE(host::styleSymbolPath(1), std::string("*\\Program Data\\2D Decks\\Deck 1.dc"));
    QCOMPARE(host::styleSymbolPath(19), std::string("*\\Program Data\\2D Decks\\Deck 19.dc"));
}

QTEST_GUILESS_MAIN(TestSequences)
#include "tst_sequences.moc"
