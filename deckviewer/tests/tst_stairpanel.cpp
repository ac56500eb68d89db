// The Stair panel as a person uses it, headless: the worked example's stair
// moved to another edge and then taken away through the panel's list, the
// deck rebuilt each time (the guard posts counted by hand in
// docs/deck-model.md's way), the choice kept in the user's state folder and
// found again by a new window, the wizard's folder left as it was.
#include "presenter.h"
#include "savedstairs.h"

#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString factNamed(const DeckPresenter &presenter, const QString &name)
{
    for (const QString &line : presenter.window()->facts->text().split(u'\n'))
        if (line.startsWith(name + QStringLiteral(": ")))
            return line.mid(name.size() + 2);
    return QStringLiteral("none");
}

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}
} // namespace

class TestStairPanel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("XDG_STATE_HOME", m_state.path().toUtf8()); }

    void moveAndRemoveTheStair()
    {
        QTemporaryDir folder;
        const QString deck = folder.filePath(QStringLiteral("Deck_Rectangle.txt"));
        QVERIFY(QFile::copy(QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"), deck));
        {
            DeckPresenter presenter(QStringLiteral("Viewer"), folder.path());
            QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
            presenter.open(deck);
            QVERIFY(drawn.wait(20000));
            auto *dock = presenter.window()->findChild<QDockWidget *>(QStringLiteral("stairDock"));
            QVERIFY(dock);
            auto *edge = dock->findChild<QComboBox *>(QStringLiteral("stairEdge"));
            auto *offset = dock->findChild<QDoubleSpinBox *>(QStringLiteral("stairOffset"));
            QVERIFY(edge && offset);
            // The outline from (144, 0) counter-clockwise: its four edges, the front one (X = 0) third.
            QCOMPARE(items(edge), (QStringList{"No stair", "Edge 1: 16' 0\" long, facing +X", "Edge 2: 12' 0\" long, facing +Z",
                                               "Edge 3: 16' 0\" long, facing -X", "Edge 4: 12' 0\" long, facing -Z"}));
            QCOMPARE(edge->currentIndex(), 3);
            QCOMPARE(offset->value(), 96.0);
            QCOMPARE(factNamed(presenter, "Guard posts"), "17");

            // To the 12-foot edge at Z = 192: its runs of (144 - 36) / 2 = 54
            // hold 2 posts each, the front edge now 4: 4 + 4 + 4 + 3 + the stair's.
            edge->setCurrentIndex(2);
            QVERIFY(drawn.wait(20000));
            QCOMPARE(edge->currentIndex(), 2);
            QCOMPARE(offset->value(), 72.0);
            QCOMPARE(factNamed(presenter, "Guard posts"), "16");
            QCOMPARE(factNamed(presenter, "Stringers"), "3");

            // Along it, then none at all: 4 + 3 + 4 + 3 posts and no stringer.
            offset->setValue(40);
            QVERIFY(drawn.wait(20000));
            QCOMPARE(offset->value(), 40.0);
            edge->setCurrentIndex(0);
            QVERIFY(drawn.wait(20000));
            QCOMPARE(factNamed(presenter, "Guard posts"), "14");
            QCOMPARE(factNamed(presenter, "Stringers"), "none");
        }
        // A new window finds the choice; the wizard's folder holds only its file.
        DeckPresenter again(QStringLiteral("Viewer"), folder.path());
        QSignalSpy drawn(&again, &DeckPresenter::drawn);
        again.open(deck);
        QVERIFY(drawn.wait(20000));
        QCOMPARE(again.stairPanel()->edge->currentText(), "No stair");
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Deck_Rectangle.txt"});
        QVERIFY(QFile::exists(m_state.filePath(QStringLiteral("joistmaster/stairs.json"))));
        const auto saved = savedstairs::savedStair(deck);
        QVERIFY(saved && !saved->present && saved->edge == 1 && saved->offsetInches == 40);
    }

    // A stairs.json another program wrote: a stair no deck can have is
    // refused with its sentence and the default stair shown; junk is no stair
    // saved. Nothing of it reaches the geometry kernel.
    void hostileSavedStairs_data()
    {
        QTest::addColumn<QByteArray>("record"); // the deck's record, or the whole file where it starts with '!'
        QTest::addColumn<QString>("note");
        QTest::addColumn<int>("edge"); // the list's row shown
        const QString saved = QStringLiteral("The stair is saved for this deck and shown in every view, the takeoff and the facts.");
        QTest::newRow("no width") << QByteArray(R"({"edge": 0, "offsetInches": 96, "widthInches": 0})")
                                  << "A stair 0 inches wide is narrower than the 36 inches the code asks for." << 3;
        QTest::newRow("a billionth of an inch") << QByteArray(R"({"edge": 0, "offsetInches": 96, "widthInches": 1e-9})")
                                                << "A stair 0 inches wide is narrower than the 36 inches the code asks for." << 3;
        QTest::newRow("wider than its edge") << QByteArray(R"({"edge": 0, "offsetInches": 96, "widthInches": 11000})")
                                             << "The edge of Rim joist 1 is 192 inches long; a stair 11000 inches wide needs 11014 with "
                                                "room for a guard post each side. Choose a longer edge."
                                             << 3;
        QTest::newRow("an edge past the outline's") << QByteArray(R"({"edge": 99999999999, "widthInches": 36})")
                                                    << "The stair is set on edge 1073741824, but the deck's outline has 4 edges." << 3;
        QTest::newRow("its own") << QByteArray(R"({"edge": 0, "offsetInches": 96, "widthInches": 36})") << saved << 1;
        QTest::newRow("junk") << QByteArray("!\x1b[2J{{{") << saved << 3;
    }
    void hostileSavedStairs()
    {
        QFETCH(QByteArray, record);
        QTemporaryDir state, folder;
        qputenv("XDG_STATE_HOME", state.path().toUtf8());
        const QString deck = folder.filePath(QStringLiteral("Deck_Rectangle.txt"));
        QVERIFY(QFile::copy(QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"), deck));
        QVERIFY(QDir().mkdir(state.filePath("joistmaster"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QFile file(state.filePath("joistmaster/stairs.json"));
        const QByteArray bytes = record.startsWith('!') ? record.mid(1)
                                                        : "{\"" + QDir::cleanPath(deck).toUtf8() + "\": " + record + "}";
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        DeckPresenter presenter(QStringLiteral("Viewer"), folder.path());
        QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
        presenter.open(deck);
        QVERIFY(drawn.wait(20000));
        qputenv("XDG_STATE_HOME", m_state.path().toUtf8());
        QTEST(presenter.stairPanel()->note->text(), "note");
        QTEST(presenter.stairPanel()->edge->currentIndex(), "edge");
    }

    // A stair that cannot be saved (the state folder others may write to)
    // says why, and the deck rebuilt after does not cover that with "saved".
    void aRefusedSaveIsSaid()
    {
        QTemporaryDir state, folder;
        qputenv("XDG_STATE_HOME", state.path().toUtf8());
        QVERIFY(QDir().mkdir(state.filePath("joistmaster"), QFile::Permissions(0x7777)));
        QVERIFY(QFile::setPermissions(state.filePath("joistmaster"), QFile::Permissions(0x7777)));
        const QString deck = folder.filePath(QStringLiteral("Deck_Rectangle.txt"));
        QVERIFY(QFile::copy(QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"), deck));
        DeckPresenter presenter(QStringLiteral("Viewer"), folder.path());
        QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
        presenter.open(deck);
        QVERIFY(drawn.wait(20000));
        presenter.stairPanel()->edge->setCurrentIndex(2);
        QVERIFY(drawn.wait(20000));
        qputenv("XDG_STATE_HOME", m_state.path().toUtf8());
        QCOMPARE(presenter.stairPanel()->note->text(),
                 QStringLiteral("\"%1/joistmaster\" is not a folder of yours alone (it must be a folder, owned by you and "
                                "writable by no one else); move it aside and start again.")
                     .arg(state.path()));
        QVERIFY(!QFile::exists(state.filePath("joistmaster/stairs.json")));
    }

private:
    QTemporaryDir m_state;
};

QTEST_MAIN(TestStairPanel)
#include "tst_stairpanel.moc"
