// What the host remembers of a wizard folder in the user's state folder, and
// what opening the folder or a saved copy of it shows.
#include "recentdecks.h"
#include "showdeck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace recentdecks;

namespace {
const QString Style3 = QStringLiteral("C:\\Joistmaster\\Program Data\\2D Decks\\Deck 3.dc");
const QString TwoD = QStringLiteral("C:\\Joistmaster\\Program Data\\2D Decks\\2ddecks.bsx");
const QString Rectangle = QStringLiteral("C:\\Joistmaster\\Program Data\\3D Decks\\Deck_Rectangle.bsx");

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}
} // namespace

class TestRecentDecks : public QObject {
    Q_OBJECT
private slots:
    void init() { qputenv("XDG_STATE_HOME", m_root.filePath(QTest::currentTestFunction()).toUtf8()); }
    void a2DDeckReopensPastALeftoverDeckType();
    void tenCopiesKeptAndOneOpensAfterTheWizardDeletedItsFiles();
    void aFolderNeverAskedAboutSaysWhatItHolds();
    void noLinkIsFollowed();

private:
    QTemporaryDir m_root;
};

// A 2D deck 12 feet wide beside a 3D road's DeckType.txt left from before:
// the load and the open keep one copy, named after the style.
void TestRecentDecks::a2DDeckReopensPastALeftoverDeckType()
{
    QTemporaryDir wizard;
    put(wizard.filePath("DeckType.txt"), " 3 \r\n");
    put(wizard.filePath("DeckSize.txt"), "12\r\n");
    QVERIFY(remember(wizard.path(), {Style3, {}}));
    QVERIFY(remember(wizard.path(), {Style3, TwoD}));
    const QDir folders(qEnvironmentVariable("XDG_STATE_HOME") + "/joistmaster/folders");
    QCOMPARE(folders.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
    const QString state = folders.filePath(folders.entryList(QDir::Dirs | QDir::NoDotAndDotDot).first());
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
        | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFileInfo(folders.filePath("..")).permissions() & others, QFile::Permissions());
    QCOMPARE(bytesOf(state + "/folder.txt"), wizard.path().toUtf8() + "\r\n");
    QCOMPARE(bytesOf(state + "/last.txt"), QByteArray("loaded C:\\Joistmaster\\Program Data\\2D Decks\\Deck 3.dc\r\n"
                                                      "opened C:\\Joistmaster\\Program Data\\2D Decks\\2ddecks.bsx\r\n"));
    const QList<SavedDeck> saved = recentDecks(wizard.path());
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved[0].deckName, QStringLiteral("Deck 3"));
    QCOMPARE(QDir(saved[0].folder).entryList(QDir::Files), QStringList({"DeckSize.txt", "DeckType.txt", "symbols.txt"}));
    for (const QString &folder : {wizard.path(), saved[0].folder}) {
        const ShownDeck shown = deckFrom(folder);
        QCOMPARE(shown.error, QString());
        QCOMPARE(shown.block.title, QStringLiteral("Deck 3: 12' 0\" wide"));
    }
    // --render FOLDER draws the plan, its width lettered.
    QVERIFY(drawDeck(wizard.path(), deckview::StandardView::Plan, std::nullopt, wizard.filePath("plan.svg")));
    QVERIFY(bytesOf(wizard.filePath("plan.svg")).contains(">12' 0&quot;</text>"));
}

void TestRecentDecks::tenCopiesKeptAndOneOpensAfterTheWizardDeletedItsFiles()
{
    QTemporaryDir wizard;
    QVERIFY(QFile::copy(JM_DECK3D_DATA "/DeckType-worked-example.txt", wizard.filePath("DeckType.txt")));
    QVERIFY(QFile::copy(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt", wizard.filePath("Deck_Rectangle.txt")));
    for (int width = 1; width <= 12; ++width) {
        put(wizard.filePath("DeckSize.txt"), QByteArray::number(width) + "\r\n");
        QVERIFY(remember(wizard.path(), {Style3, Rectangle}));
    }
    QVERIFY(remember(wizard.path(), {Style3, Rectangle})); // the same files again: no new copy
    const QList<SavedDeck> saved = recentDecks(wizard.path());
    QCOMPARE(saved.size(), 10);
    QCOMPARE(bytesOf(saved.first().folder + "/DeckSize.txt"), QByteArray("12\r\n"));
    QCOMPARE(bytesOf(saved.last().folder + "/DeckSize.txt"), QByteArray("3\r\n"));
    QCOMPARE(saved.first().deckName, QStringLiteral("Deck_Rectangle"));
    QVERIFY(saved.first().at.isValid() && saved.first().at >= saved.last().at);
    for (const QString &name : QDir(wizard.path()).entryList(QDir::Files))
        QVERIFY(QFile::remove(wizard.filePath(name)));
    QCOMPARE(deckFrom(saved.first().folder).block.title, QStringLiteral("Deck_Rectangle: 16' 0\" x 12' 0\""));
}

void TestRecentDecks::aFolderNeverAskedAboutSaysWhatItHolds()
{
    QTemporaryDir wizard;
    put(wizard.filePath("DeckSize.txt"), "12\r\n");
    QVERIFY(QFile::copy(JM_DECK3D_DATA "/Deck_L-Shape-defaults.txt", wizard.filePath("Deck_L-Shape.txt")));
    QCOMPARE(deckFrom(wizard.path()).error,
             QStringLiteral("deckhost was never asked for a deck in %1, and it shows none there by itself: Could not read the "
                            "file \"DeckType.txt\" in the folder \"%1\": No such file or directory. It holds DeckSize.txt, "
                            "Deck_L-Shape.txt. Open Deck_L-Shape.txt to see the 3D deck it holds.")
                 .arg(wizard.path()));
}

// A link where the state's folder or a file of it would be: refused, its
// target left as it was.
void TestRecentDecks::noLinkIsFollowed()
{
    QTemporaryDir wizard, elsewhere;
    const QString state = qEnvironmentVariable("XDG_STATE_HOME") + "/joistmaster";
    QVERIFY(QDir().mkpath(qEnvironmentVariable("XDG_STATE_HOME")) && QFile::link(elsewhere.path(), state));
    QCOMPARE(remember(wizard.path(), {Style3, {}}).error(),
             QStringLiteral("%1 is a link; the host's state is not written through links.").arg(state));
    QCOMPARE(QDir(elsewhere.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    QVERIFY(QFile::remove(state));
}

QTEST_GUILESS_MAIN(TestRecentDecks)
#include "tst_recentdecks.moc"
