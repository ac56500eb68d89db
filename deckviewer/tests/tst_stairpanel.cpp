// The Stair panel as a person uses it, headless: the worked example's stair
// moved to another edge and then taken away through the panel's list, the
// deck rebuilt each time (the guard posts counted by hand in
// docs/deck-model.md's way), the choice kept in the user's state folder and
// found again by a new window, the wizard's folder left as it was. The edges
// of an outline named as a person sees the deck (data/stair-edges.txt), and
// the edges a stair fits on of a cut shape, with their words and reach
// counted by hand.
#include "codecheckpanel.h"
#include "datatable.h"
#include "testclasses.h"
#include "framing.h"
#include "handoff.h"
#include "panellayout.h"
#include "presentertest.h"
#include "recentdesigns.h"
#include "savedstairs.h"
#include "stairedges.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFile>
#include <QTreeWidget>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {
// The edges a stair fits on, a line each: number, words, (name,) the end its
// reach is measured from, the reach, and where its label stands.
QStringList edgeLines(const deckmodel::Deck &deck, bool withName)
{
    QStringList lines;
    for (const StairEdge &e : stairedges::stairEdges(deck))
        lines << QStringLiteral("%1 | %2 | %3%4 | %5 to %6 | label %7 %8 %9")
                     .arg(e.edge)
                     .arg(e.words, withName ? e.name + QStringLiteral(" | ") : QString(), e.fromEnd)
                     .arg(e.fromInches, 0, 'f', 2).arg(e.toInches, 0, 'f', 2)
                     .arg(e.labelAt.x, 0, 'f', 2).arg(e.labelAt.z, 0, 'f', 2).arg(e.labelHeightInches);
    return lines;
}

// A deck file of the 3D road's test data, read under the name the wizard
// gives it (the name says the shape).
auto dataDeck(const QString &name, const char *dataFile)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(name);
    QFile::copy(QStringLiteral(JM_DECK3D_DATA "/") + QLatin1String(dataFile), file);
    return deckfile::readDeck(file);
}
} // namespace

class TestStairPanel : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("XDG_STATE_HOME", m_state.path().toUtf8()); }

    void moveAndRemoveTheStair()
    {
        QTemporaryDir folder;
        const QString deck = copyWorkedExample(folder.path());
        {
            DeckPresenter presenter(QStringLiteral("Viewer"), folder.path());
            QVERIFY(openAndWait(presenter, deck));
            QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
            auto *dock = presenter.window()->findChild<QDockWidget *>(QStringLiteral("stairDock"));
            QVERIFY(dock);
            auto *edge = dock->findChild<QComboBox *>(QStringLiteral("stairEdge"));
            auto *offset = dock->findChild<QDoubleSpinBox *>(QStringLiteral("stairOffset"));
            QVERIFY(edge && offset);
            // The outline from (144, 0) counter-clockwise: its four edges, the
            // front one (X = 0, where the Front view looks from) third, run
            // from its right corner (Z = 192) to its left.
            QCOMPARE(comboItems(edge), (QStringList{"No stair", "Back edge, 16' 0\" long", "Right edge, 12' 0\" long",
                                               "Front edge, 16' 0\" long", "Left edge, 12' 0\" long"}));
            QCOMPARE(edge->currentIndex(), 3);
            QCOMPARE(offset->value(), 96.0);
            QCOMPARE(offset->suffix(), " in");
            auto *offsetLabel = dock->findChild<QLabel *>(QStringLiteral("stairOffsetLabel"));
            QCOMPARE(offsetLabel->text(), "&Centre from the right corner");
            QCOMPARE(offsetLabel->buddy(), offset);
            QCOMPARE(factNamed(presenter, "Guard posts"), "17");

            // To the 12-foot edge at Z = 192: its runs of (144 - 36) / 2 = 54
            // hold 2 posts each, the front edge now 4: 4 + 4 + 4 + 3 + the stair's.
            edge->setCurrentIndex(2);
            QVERIFY(drawn.wait(20000));
            QCOMPARE(edge->currentIndex(), 2);
            QCOMPARE(offset->value(), 72.0);
            QCOMPARE(offsetLabel->text(), "&Centre from the back corner"); // the right edge runs from X = 144 to 0
            QCOMPARE(factNamed(presenter, "Guard posts"), "16");
            QCOMPARE(factNamed(presenter, "Stringers"), "3");

            // A centre where the stair would not fit: 36 / 2 + two 3 1/2" posts
            // = 25" from either corner of the 144" edge at least; refused in
            // words, the box back at the stair's place, nothing rebuilt.
            QSignalSpy changed(presenter.stairPanel(), &StairPanel::stairChanged);
            offset->setValue(20);
            QCOMPARE(presenter.stairPanel()->note->text(),
                     "At 1' 8\" from the back corner the stair would not fit. Its centre can be from 2' 1\" to 9' 11\" "
                     "from the back corner, so that the 3' 0\" stair and room for the guard posts beside it (7\" each "
                     "side) lie on the edge. The stair stays where it was.");
            QCOMPARE(offset->value(), 72.0);
            offset->setValue(500);
            QCOMPARE(presenter.stairPanel()->note->text(),
                     "41' 8\" is past the end of the 12' 0\" right edge. Its centre can be from 2' 1\" to 9' 11\" from "
                     "the back corner, so that the 3' 0\" stair and room for the guard posts beside it (7\" each side) "
                     "lie on the edge. The stair stays where it was.");
            QCOMPARE(offset->value(), 72.0);
            offset->setValue(119.5);
            QCOMPARE(offset->value(), 72.0);
            QCOMPARE(changed.size(), 0);

            // Along it, then none at all: 4 + 3 + 4 + 3 posts and no stringer.
            offset->setValue(40);
            QVERIFY(drawn.wait(20000));
            QCOMPARE(offset->value(), 40.0);
            QCOMPARE(presenter.stairPanel()->note->text(),
                     "The stair is saved for this deck and shown in every view, the takeoff and the facts.");
            edge->setCurrentIndex(0);
            QVERIFY(drawn.wait(20000));
            QCOMPARE(factNamed(presenter, "Guard posts"), "14");
            QCOMPARE(factNamed(presenter, "Stringers"), "none");
        }
        // A new window finds the choice; the wizard's folder holds only its file.
        DeckPresenter again(QStringLiteral("Viewer"), folder.path());
        QVERIFY(openAndWait(again, deck));
        QCOMPARE(again.stairPanel()->edge->currentText(), "No stair");
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Deck_Rectangle.txt"});
        QVERIFY(QFile::exists(m_state.filePath(QStringLiteral("joistmaster/stairs.json"))));
        const auto saved = savedstairs::savedStair(deck);
        QVERIFY(saved && !saved->present && saved->edge == 1 && saved->offsetInches == 40);
    }

    // A stair moved, the deck checked again with another setting, the waste
    // changed: each time the person's viewing mode, camera and keyboard focus
    // stay as they were (the file asks for wireframe).
    void viewAndFocusKept()
    {
        ExampleWindow example;
        DeckPresenter &presenter = example.presenter;
        QVERIFY(example.open());
        deckview::DeckWindow *window = example.window;
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(window->view->mode(), deckview::ViewMode::Wireframe);
        QCOMPARE(QApplication::focusWidget(), window->view); // a deck first shown takes the focus
        window->view->setMode(deckview::ViewMode::Shaded);
        deckview::Camera camera = window->view->camera();
        camera.yaw = 30;
        camera.scale *= 2;
        window->view->setCamera(camera);
        auto *dock = window->findChild<QDockWidget *>(QStringLiteral("stairDock"));
        dock->raise();
        StairPanel *panel = presenter.stairPanel();
        panel->edge->setFocus();
        QCOMPARE(QApplication::focusWidget(), panel->edge);

        QVERIFY(redrawn(presenter, [&] { panel->edge->setCurrentIndex(2); }));
        QCOMPARE(factNamed(presenter, "Stringers"), "3"); // drawn anew
        QCOMPARE(window->view->mode(), deckview::ViewMode::Shaded);
        QCOMPARE(window->view->camera().yaw, 30.0);
        QCOMPARE(window->view->camera().scale, camera.scale);
        QCOMPARE(QApplication::focusWidget(), panel->edge);

        auto *species = window->findChild<QComboBox *>(QStringLiteral("speciesBox"));
        species->setFocus();
        QVERIFY(redrawn(presenter, [&] { species->setCurrentIndex((species->currentIndex() + 1) % species->count()); }));
        QCOMPARE(window->view->mode(), deckview::ViewMode::Shaded);
        QCOMPARE(window->view->camera().scale, camera.scale);
        QCOMPARE(QApplication::focusWidget(), species);
    }

    // The 3D deck, then a 2D plan, then the 3D deck again: the plan leaves
    // the Stair and Code check panels empty and disabled, saying why.
    void panelsOfA2DDeck()
    {
        ExampleWindow example(QStringLiteral("Host"));
        QVERIFY(writeBytes(example.folder.filePath("DeckSize.txt"), "24.5\r\n"));
        DeckPresenter &presenter = example.presenter;
        QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
        StairPanel *stair = presenter.stairPanel();
        auto *check = presenter.codeCheckPanel();
        auto *verdict = check->findChild<QLabel *>(QStringLiteral("verdictLabel"));
        auto *rows = check->findChild<QTreeWidget *>(QStringLiteral("checksTable"));
        for (int round = 0; round < 2; ++round) {
            presenter.symbolFileOpened(QStringLiteral("C:\\Program Data\\3D Decks\\Deck_Rectangle.bsx"));
            QVERIFY(drawn.wait(20000));
            QVERIFY(stair->isEnabled() && check->isEnabled());
            QCOMPARE(stair->edge->count(), 5);
            QCOMPARE(rows->topLevelItemCount(), 17); // the framing's 9 rules, the guard's and stair's 7, the rim advice

            presenter.symbolLoaded(QStringLiteral("C:\\Program Data\\2D Decks\\Deck 3.dc"));
            presenter.symbolFileOpened(QStringLiteral("C:\\Program Data\\2D Decks\\2ddecks.bsx"));
            QVERIFY(drawn.wait(20000));
            QCOMPARE(drawn.last().at(0).toString(), QStringLiteral("drawn Deck 3: 24' 6\" wide"));
            QVERIFY(!stair->isEnabled() && !check->isEnabled());
            QCOMPARE(comboItems(stair->edge), QStringList{"No stair"});
            QCOMPARE(stair->note->text(), QStringLiteral("A 2D deck is a plan on the ground, with no stair to place."));
            QCOMPARE(verdict->text(), QStringLiteral("A 2D deck is a plan on the ground, with no framing to check."));
            QCOMPARE(rows->topLevelItemCount(), 0);
        }
    }

    // While the Stair panel is shown, the view names the edges it lists, 18"
    // outside each one's middle at the deck's top (3' up); not otherwise.
    void edgesLabelled()
    {
        ExampleWindow example;
        QVERIFY(example.open());
        deckview::DeckView *view = example.window->view;
        QVERIFY(view->labels().empty()); // the deck's facts are in front
        example.window->findChild<QDockWidget *>(QStringLiteral("stairDock"))->raise();
        QStringList labels;
        for (const auto &label : view->labels())
            labels << QStringLiteral("%1 at %2 %3 %4").arg(label.text).arg(label.at.x).arg(label.at.y).arg(label.at.z);
        QCOMPARE(labels, (QStringList{"Back edge at 162 36 96", "Right edge at 72 36 210", "Front edge at -18 36 96",
                                      "Left edge at 72 36 -18"}));
        example.window->findChild<QDockWidget *>(QStringLiteral("deckDock"))->raise();
        QVERIFY(view->labels().empty());
    }

    // The viewer's config file as a FIFO, a folder or a link to a FIFO: the
    // window opens, lays out its panels and closes without waiting on it or
    // writing through it, and what it remembers reads as nothing.
    void hostileLayoutFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a FIFO") << "fifo";
        QTest::newRow("a link to a FIFO") << "link";
        QTest::newRow("a folder") << "folder";
    }
    void hostileLayoutFile()
    {
        QFETCH(QString, kind);
        QTemporaryDir config;
        const ScopedEnv configHome("XDG_CONFIG_HOME", config.path());
        QVERIFY(QDir(config.path()).mkdir("joistmaster")
                && QFile::setPermissions(config.filePath("joistmaster"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QString conf = config.filePath("joistmaster/deckviewer.conf");
        const QString fifo = kind == u"link" ? config.filePath("fifo") : conf;
        if (kind == u"folder")
            QVERIFY(QDir().mkdir(conf));
        else
            QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        if (kind == u"link")
            QVERIFY(QFile::link(fifo, conf));
        {
            DeckPresenter presenter(QStringLiteral("Joistmaster Deck Viewer"), QString());
            presenter.window()->show();
            presenter.window()->resize(900, 600);
            QVERIFY(QTest::qWaitForWindowExposed(presenter.window()));
            presenter.window()->close();
        }
        QCOMPARE(deckviewer::savedSizes(QStringLiteral("check_columns")), QList<int>());
        deckviewer::rememberDesign(config.filePath("deck.jmdeck"));
        QCOMPARE(deckviewer::recentDesigns().size(), 0);
        QCOMPARE(QFileInfo(conf).isSymLink(), kind == u"link");
        QCOMPARE(QFileInfo(fifo).isDir(), kind == u"folder");
        const QStringList top = kind == u"link" ? QStringList{"fifo", "joistmaster"} : QStringList{"joistmaster"};
        QCOMPARE(QDir(config.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot), top);
        QCOMPARE(QDir(config.filePath("joistmaster")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList(QStringLiteral("deckviewer.conf")));
    }

    // The window's size and the panel in front come back in the next window,
    // from the viewer's config file.
    void layoutRemembered()
    {
        QTemporaryDir config;
        const ScopedEnv configHome("XDG_CONFIG_HOME", config.path());
        const auto frontTab = [](const DeckPresenter &presenter) {
            const QList<QTabBar *> bars = presenter.window()->findChildren<QTabBar *>();
            for (const QTabBar *bar : bars) {
                QStringList tabs; // the docked panels' bar holds the code check's tab among others
                for (int i = 0; i < bar->count(); ++i)
                    tabs << bar->tabText(i);
                if (bar->isVisible() && tabs.contains(QStringLiteral("Code check")))
                    return bar->tabText(bar->currentIndex());
            }
            return QStringLiteral("none");
        };
        {
            DeckPresenter presenter(QStringLiteral("Joistmaster Deck Viewer"), QString());
            presenter.window()->show();
            presenter.window()->resize(1000, 640);
            presenter.window()->findChild<QDockWidget *>(QStringLiteral("codeCheckDock"))->raise();
            QCOMPARE(frontTab(presenter), "Code check");
            presenter.window()->close();
        }
        QSettings stored(config.filePath("joistmaster/deckviewer.conf"), QSettings::IniFormat);
        QVERIFY(stored.contains("layout/joistmasterdeckviewer_geometry"));
        QVERIFY(stored.contains("layout/joistmasterdeckviewer_panels"));
        DeckPresenter again(QStringLiteral("Joistmaster Deck Viewer"), QString());
        again.window()->show();
        QCOMPARE(again.window()->size(), QSize(1000, 640));
        QCOMPARE(frontTab(again), "Code check");
    }

    // A stairs.json another program wrote: a stair no deck can have is
    // refused with its sentence and the default stair shown; junk is no stair
    // saved (data/saved-stairs.txt). Nothing of it reaches the geometry kernel.
    void hostileSavedStairs_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("note");
        QTest::addColumn<int>("edge");
        for (const QStringList &f : dataTable(JM_TESTDATA "/saved-stairs.txt"))
            QTest::newRow(qPrintable(f[0])) << f[1].toUtf8() << f[2] << f[3].toInt();
    }
    void hostileSavedStairs()
    {
        QFETCH(QByteArray, record);
        QTemporaryDir state;
        const ScopedEnv stateHome("XDG_STATE_HOME", state.path());
        QTemporaryDir folder;
        const QString deck = copyWorkedExample(folder.path());
        QVERIFY(QDir().mkdir(state.filePath("joistmaster"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QByteArray bytes = record.startsWith('!') ? record.mid(1)
                                                        : "{\"" + QDir::cleanPath(deck).toUtf8() + "\": " + record + "}";
        QVERIFY(writeBytes(state.filePath("joistmaster/stairs.json"), bytes));
        DeckPresenter presenter(QStringLiteral("Viewer"), folder.path());
        QVERIFY(openAndWait(presenter, deck));
        QTEST(presenter.stairPanel()->note->text(), "note");
        QTEST(presenter.stairPanel()->edge->currentIndex(), "edge");
    }

    // A stair that cannot be saved (the state folder others may write to)
    // says why, and the deck rebuilt after does not cover that with "saved".
    void aRefusedSaveIsSaid()
    {
        QTemporaryDir state;
        const ScopedEnv stateHome("XDG_STATE_HOME", state.path());
        QVERIFY(QDir().mkdir(state.filePath("joistmaster"), QFile::Permissions(0x7777)));
        QVERIFY(QFile::setPermissions(state.filePath("joistmaster"), QFile::Permissions(0x7777)));
        ExampleWindow example;
        DeckPresenter &presenter = example.presenter;
        QVERIFY(example.open());
        QVERIFY(redrawn(presenter, [&] { presenter.stairPanel()->edge->setCurrentIndex(2); }));
        QCOMPARE(presenter.stairPanel()->note->text(),
                 QStringLiteral("\"%1/joistmaster\" is not a folder of yours alone (it must be a folder, owned by you and "
                                "writable by no one else); move it aside and start again.")
                     .arg(state.path()));
        QVERIFY(!QFile::exists(state.filePath("joistmaster/stairs.json")));
    }

    // The edges named as a person sees the outline, from the table.
    void names_data()
    {
        QTest::addColumn<QString>("corners");
        QTest::addColumn<int>("edge");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("from");
        for (const QStringList &row : dataTable(JM_TESTDATA "/stair-edges.txt", QStringLiteral(" | ")))
            QTest::newRow(qPrintable(row[0])) << row[1] << row[2].toInt() << row[3] << row[4];
    }
    void names()
    {
        QFETCH(QString, corners);
        QFETCH(int, edge);
        deckmodel::Polygon outline;
        for (const QString &corner : corners.split(u' '))
            outline.push_back({corner.section(u',', 0, 0).toDouble(), corner.section(u',', 1, 1).toDouble()});
        QTEST(stairedges::edgeName(outline, edge), "name");
        QTEST(stairedges::startEnd(outline, edge), "from");
    }

    // The cut shape 7 of the typed sizes: 16 ft deep, 20 ft wide, its front
    // corners cut 45 in each way. A 36" stair needs 18" + two 3 1/2" posts =
    // 25" from each corner; a cut edge is 45 x 1.4142 = 63.64" (5' 3 5/8") long.
    // The labels stand 18" out from each middle, at the top of the 4.5 ft deck: 54".
    void edgesOfACutShape()
    {
        const auto read = dataDeck(QStringLiteral("Deck_Slice2.txt"), "Deck_Slice2-typed-sizes.txt");
        QVERIFY(read);
        const auto deck = deckmodel::buildDeck(*read);
        QVERIFY(deck);
        QCOMPARE(edgeLines(*deck, true), (QStringList{
                            "0 | Back edge, 20' 0\" long | Back edge | left | 25.00 to 215.00 | label 210.00 120.00 54",
                            "1 | Right edge, 12' 3\" long | Right edge | back | 25.00 to 122.00 | label 118.50 258.00 54",
                            "2 | 45-degree edge at the front right, 5' 3 5/8\" long | 45-degree edge at the front right "
                            "| right | 25.00 to 38.64 | label 9.77 230.23 54",
                            "3 | Front edge, 12' 6\" long | Front edge | right | 25.00 to 125.00 | label -18.00 120.00 54",
                            "4 | 45-degree edge at the front left, 5' 3 5/8\" long | 45-degree edge at the front left "
                            "| right | 25.00 to 38.64 | label 9.77 9.77 54",
                            "5 | Left edge, 12' 3\" long | Left edge | front | 25.00 to 122.00 | label 118.50 -18.00 54"}));
    }

    // The worked example hung on the house along its back edge is framed
    // turned a quarter turn; its edges are still named and labelled where
    // they stand: 192" back and front, 144" right and left, the labels 18"
    // out from each middle at the 3 ft deck's top.
    void edgesOfADeckFramedTurned()
    {
        const auto read = dataDeck(QStringLiteral("Deck_Rectangle.txt"), "Deck_Rectangle-worked-example.txt");
        QVERIFY(read);
        deckmodel::Extras extras;
        extras.attachment = {true, 0, deckmodel::HouseFraming::BandJoist, deckmodel::LedgerFastener::Lag, 0.5};
        const auto deck = deckmodel::buildDeck(*read, extras);
        QVERIFY(deck && deck->turned);
        QCOMPARE(edgeLines(*deck, false), (QStringList{"0 | Back edge, 16' 0\" long | left | 25.00 to 167.00 | label 162.00 96.00 36",
                                     "1 | Right edge, 12' 0\" long | back | 25.00 to 119.00 | label 72.00 210.00 36",
                                     "2 | Front edge, 16' 0\" long | right | 25.00 to 167.00 | label -18.00 96.00 36",
                                     "3 | Left edge, 12' 0\" long | front | 25.00 to 119.00 | label 72.00 -18.00 36"}));
    }

private:
    QTemporaryDir m_state;
};

JM_TEST_CLASS(TestStairPanel)
JM_TEST_MAIN(QApplication)
#include "tst_stairpanel.moc"
