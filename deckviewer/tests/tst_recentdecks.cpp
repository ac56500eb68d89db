// What the host remembers of a wizard folder in the user's state folder, and
// what opening the folder or a saved copy of it shows.
#include "datatable.h"
#include "presenter.h"
#include "recentdecks.h"
#include "showdeck.h"
#include "textfiles.h"

#include <QDir>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace recentdecks;

static const QString Style3 = QStringLiteral("C:\\Joistmaster\\Program Data\\2D Decks\\Deck 3.dc");

class TestRecentDecks : public QObject {
    Q_OBJECT
private slots:
    void init() { qputenv("XDG_STATE_HOME", m_root.filePath(QTest::currentTestFunction()).toUtf8()); }
    void a2DDeckReopensPastALeftoverDeckType();
    void tenCopiesKeptAndOneOpensAfterTheWizardDeletedItsFiles();
    void noLinkIsFollowed();

private:
    QTemporaryDir m_root;
};

// A 2D deck 12 feet wide beside a 3D road's DeckType.txt left from before:
// the load and the open keep one copy, named after the style, in a state
// folder of the user's alone.
void TestRecentDecks::a2DDeckReopensPastALeftoverDeckType()
{
    QTemporaryDir wizard;
    QVERIFY(textfiles::writeWhole(wizard.filePath("DeckType.txt"), " 3 \r\n"));
    QVERIFY(textfiles::writeWhole(wizard.filePath("DeckSize.txt"), "12\r\n"));
    QVERIFY(remember(wizard.path(), {Style3, {}}) && remember(wizard.path(), {Style3, "C:\\Joistmaster\\Program Data\\2D Decks\\2ddecks.bsx"}));
    const QDir folders(qEnvironmentVariable("XDG_STATE_HOME") + "/joistmaster/folders");
    QCOMPARE(QFileInfo(folders.filePath("..")).permissions() & 0x0077, QFile::Permissions());
    const QString state = folders.filePath(folders.entryList(QDir::Dirs | QDir::NoDotAndDotDot).value(0));
    QCOMPARE(dataBytes(state + "/folder.txt"), wizard.path().toUtf8() + "\r\n");
    QCOMPARE(dataBytes(state + "/last.txt"),
             QByteArray("loaded C:\\Joistmaster\\Program Data\\2D Decks\\Deck 3.dc\r\n"
                        "opened C:\\Joistmaster\\Program Data\\2D Decks\\2ddecks.bsx\r\n"));
    const QList<SavedDeck> saved = recentDecks(wizard.path());
    QCOMPARE(saved.size() == 1 ? saved[0].deckName : QString(), QStringLiteral("Deck 3"));
    QCOMPARE(QDir(saved[0].folder).entryList(QDir::Files), QStringList({"DeckSize.txt", "DeckType.txt", "symbols.txt"}));
    for (const QString &folder : {wizard.path(), saved[0].folder})
        QCOMPARE(deckFrom(folder).block.title + deckFrom(folder).error, QStringLiteral("Deck 3: 12' 0\" wide"));
    // --render FOLDER draws the plan, its width lettered.
    QVERIFY(drawDeck(wizard.path(), deckview::StandardView::Plan, std::nullopt, wizard.filePath("plan.svg")));
    QVERIFY(dataBytes(wizard.filePath("plan.svg")).contains(">12' 0&quot;</text>"));
}

void TestRecentDecks::tenCopiesKeptAndOneOpensAfterTheWizardDeletedItsFiles()
{
    QTemporaryDir wizard;
    QVERIFY(QFile::copy(JM_DECK3D_DATA "/DeckType-worked-example.txt", wizard.filePath("DeckType.txt")));
    QVERIFY(QFile::copy(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt", wizard.filePath("Deck_Rectangle.txt")));
    for (int width = 1; width <= 13; ++width) // the last the same files again: no new copy
        QVERIFY(textfiles::writeWhole(wizard.filePath("DeckSize.txt"), QByteArray::number(std::min(width, 12)) + "\r\n")
                && remember(wizard.path(), {Style3, "C:\\Joistmaster\\Program Data\\3D Decks\\Deck_Rectangle.bsx"}));
    const QList<SavedDeck> saved = recentDecks(wizard.path());
    QCOMPARE(saved.size(), 10);
    QCOMPARE(saved.first().deckName.toUtf8() + dataBytes(saved.first().folder + "/DeckSize.txt")
                 + dataBytes(saved.last().folder + "/DeckSize.txt"),
             QByteArray("Deck_Rectangle12\r\n3\r\n"));
    QVERIFY(saved.first().at.isValid() && saved.first().at >= saved.last().at);
    // File > Open Recent lists them, newest first, each opening its copy.
    DeckPresenter presenter(QStringLiteral("Joistmaster Deck Viewer"), wizard.path());
    emit presenter.window()->recentMenu->aboutToShow();
    const QList<QAction *> listed = presenter.window()->recentMenu->actions();
    QCOMPARE(listed.size(), 10);
    QVERIFY2(listed.first()->text().startsWith(QStringLiteral("Deck_Rectangle, rectangle, 16' 0\" x 12' 0\", ")),
             qPrintable(listed.first()->text()));
    QSignalSpy opened(presenter.window(), &deckview::DeckWindow::openRequested);
    listed.last()->trigger();
    QCOMPARE(opened.value(0).value(0).toString(), saved.last().folder);
    for (const QString &name : QDir(wizard.path()).entryList(QDir::Files))
        QVERIFY(QFile::remove(wizard.filePath(name)));
    QCOMPARE(deckFrom(saved.first().folder).block.title, QStringLiteral("Deck_Rectangle: 16' 0\" x 12' 0\""));
}

// A link where the state's folder would be: refused, its target left as it was.
void TestRecentDecks::noLinkIsFollowed()
{
    QTemporaryDir elsewhere;
    const QString state = qEnvironmentVariable("XDG_STATE_HOME") + "/joistmaster";
    QVERIFY(QDir().mkpath(qEnvironmentVariable("XDG_STATE_HOME")) && QFile::link(elsewhere.path(), state));
    QCOMPARE(remember(elsewhere.path(), {Style3, {}}).error(),
             QStringLiteral("%1 is a link; the host's state is not written through links.").arg(state));
    QVERIFY(QDir(elsewhere.path()).isEmpty());
}

QTEST_MAIN(TestRecentDecks)
#include "tst_recentdecks.moc"
