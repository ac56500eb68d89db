// The viewer noticing a deck changed on disk: which changes count (the
// wizard's files, not a drawing exported beside them), and the window asking
// before it shows the deck again, nothing changed when the person says no.
#include "deckwatch.h"
#include "presenter.h"
#include "presenterfacts.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray workedExample()
{
    QFile file(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestDeckWatch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("XDG_STATE_HOME", m_state.path().toUtf8()); }

    // What changes the stamp of a folder or of a file.
    void stamps_data()
    {
        QTest::addColumn<bool>("ofFolder");
        QTest::addColumn<QString>("written"); // the file written after the first stamp
        QTest::addColumn<bool>("changed");
        QTest::newRow("folder: the deck file") << true << "Deck_Rectangle.txt" << true;
        QTest::newRow("folder: DeckType.txt made") << true << "DeckType.txt" << true;
        QTest::newRow("folder: another deck made") << true << "Deck_L-Shape.txt" << true;
        QTest::newRow("folder: DeckSize.txt made") << true << "DeckSize.txt" << true;
        QTest::newRow("folder: a drawing exported") << true << "deck.pdf" << false;
        QTest::newRow("folder: a file of its own") << true << "notes.txt" << false;
        QTest::newRow("file: itself") << false << "Deck_Rectangle.txt" << true;
        QTest::newRow("file: another deck beside it") << false << "Deck_L-Shape.txt" << false;
    }
    void stamps()
    {
        QFETCH(bool, ofFolder);
        QFETCH(QString, written);
        QTemporaryDir folder;
        const QString deck = folder.filePath("Deck_Rectangle.txt");
        QVERIFY(write(deck, workedExample()));
        const QString watched = ofFolder ? folder.path() : deck;
        const QByteArray before = deckFilesStamp(watched);
        QVERIFY(write(folder.filePath(written), "14        ' Z,   ', Deck Depth\r\n"));
        QTEST(deckFilesStamp(watched) != before, "changed");
    }

    // The file rewritten with another depth: the window asks, names the
    // file, and shows the new deck; rewritten once more and declined: the
    // deck shown stays.
    void askedBeforeShowing()
    {
        QTemporaryDir folder;
        const QString deck = folder.filePath("Deck_Rectangle.txt");
        QVERIFY(write(deck, workedExample()));
        DeckPresenter presenter(QStringLiteral("Viewer"), folder.path());
        QStringList asked;
        bool answer = true;
        presenter.askReload = [&](QWidget *parent, const QString &path) {
            asked << path;
            return parent == presenter.window() && answer;
        };
        QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
        presenter.open(deck);
        QVERIFY(drawn.wait(20000));
        QCOMPARE(factNamed(presenter, "A"), "16' 0\"");
        QVERIFY(asked.isEmpty());

        QByteArray changed = workedExample();
        changed.replace(0, 2, "14");
        QVERIFY(write(deck, changed));
        QVERIFY(drawn.wait(20000));
        QCOMPARE(asked, QStringList{deck});
        QCOMPARE(factNamed(presenter, "A"), "14' 0\"");

        answer = false;
        changed.replace(0, 2, "18");
        QVERIFY(write(deck, changed));
        QTRY_COMPARE_WITH_TIMEOUT(asked.size(), 2, 20000);
        QCOMPARE(factNamed(presenter, "A"), "14' 0\"");
        QCOMPARE(drawn.size(), 2); // the first deck and the one shown again, no more
    }

    // A folder opened without a deck in it: a deck made there later is offered.
    void newDeckInAFolder()
    {
        QTemporaryDir folder;
        DeckPresenter presenter(QStringLiteral("Viewer"), folder.path());
        QStringList asked;
        presenter.askReload = [&](QWidget *, const QString &path) {
            asked << path;
            return true;
        };
        QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
        presenter.open(folder.path());
        QVERIFY(drawn.wait(20000));
        QVERIFY(drawn.last().at(0).toString().startsWith("cannot draw: "));
        QVERIFY(write(folder.filePath("Deck_Rectangle.txt"), workedExample()));
        QVERIFY(QFile::copy(JM_DECK3D_DATA "/DeckType-worked-example.txt", folder.filePath("DeckType.txt")));
        QVERIFY(drawn.wait(20000));
        QCOMPARE(asked, QStringList{folder.path()});
        QCOMPARE(drawn.last().at(0).toString(), "drawn Deck_Rectangle: 16' 0\" x 12' 0\"");
    }

    // A deck the host was asked for is not watched: the wizard that wrote
    // its files asks again itself.
    void hostDecksNotWatched()
    {
        QTemporaryDir folder;
        const QString deck = folder.filePath("Deck_Rectangle.txt");
        QVERIFY(write(deck, workedExample()));
        DeckPresenter presenter(QStringLiteral("Host"), folder.path());
        QStringList asked;
        presenter.askReload = [&](QWidget *, const QString &path) {
            asked << path;
            return true;
        };
        QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
        presenter.open(deck);
        QVERIFY(drawn.wait(20000));
        // As the wizard does: its files written, then the host asked.
        QByteArray changed = workedExample();
        changed.replace(0, 2, "14");
        QVERIFY(write(deck, changed));
        presenter.symbolFileOpened(QStringLiteral("C:\\Program Data\\3D Decks\\Deck_Rectangle.bsx"));
        QVERIFY(drawn.wait(20000));
        QTest::qWait(3 * DeckWatch::settleMs); // time for a change to be told, were it watched
        QVERIFY(asked.isEmpty());
    }

private:
    QTemporaryDir m_state;
};

QTEST_MAIN(TestDeckWatch)
#include "tst_deckwatch.moc"
