// The design on screen as a person changes and keeps it, headless: a framing
// value changed in the Framing panel and taken back with Undo to the same
// design bytes, Redo, the title's mark, Save As and Save through the
// window's seams, the question before leaving unsaved changes (answered
// Cancel, then Save, then Discard, recorded rather than shown), the
// suggested framing taken as one undoable change (its members counted by
// hand: docs/deck-model.md's way), the stair's move undone, and the
// wizard's folder byte for byte as it was after all of it.
// The viewer noticing a deck changed on disk: which changes count (the
// wizard's files, not a drawing exported beside them), and the window asking
// before it shows the deck again, nothing changed when the person says no.
// deckviewer --render with designs: --out X.jmdeck makes a design of a
// wizard folder (every field as the wizard's file has it), the saved design
// re-renders every output byte for byte as the folder does, --framing
// suggested writes the suggested framing (passing every rule) from a folder
// and from a design alike, a design's own check settings apply unless the
// command line gives others, and a bad design is refused in one line.
#include "codecheckpanel.h"
#include "datatable.h"
#include "designfile.h"
#include "deckwatch.h"
#include "folderhashes.h"
#include "framingpanel.h"
#include "presentertest.h"

#include <QDir>
#include <QDockWidget>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <algorithm>
#include <map>

class TestDesignWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qputenv("XDG_STATE_HOME", m_state.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", m_state.filePath(QStringLiteral("config")).toUtf8());
        QVERIFY(writeWorkedExampleFolder(m_wizard.path()));
        m_before = folderHashes(m_wizard.path());
    }

    void editUndoRedo();
    void hangOnTheHouse();
    void siteValuesGivenAndTakenBack();
    void saveAndAskBeforeLeaving();
    void useTheSuggestedFraming();
    void a2DDesignEdited();
    void framingRows();
    void deckingShownAndChosen_data();
    void deckingShownAndChosen();
    void openFindsFoldersByTheirFiles();
    void stamps_data();
    void stamps();
    void askedBeforeShowing();
    void newDeckInAFolder();
    void hostDecksNotWatched();
    // deckviewer --render
    void designOfAFolder();
    void sameOutputs_data();
    void sameOutputs();
    void suggestedFraming();
    void designSettings();
    void badDesign();
    void helpSaysSo();
    void wizardFolderUntouched();

private:
    // Opens the wizard folder in a new window and waits for its picture.
    bool open(DeckPresenter &presenter)
    {
        QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
        presenter.open(m_wizard.path());
        return drawn.wait(20000) && drawn.last().at(0).toString().startsWith(QStringLiteral("drawn "));
    }
    // A run with state and config folders of its own: the windows' stair moves are not its.
    Run render(const QStringList &arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_STATE_HOME"), m_renderHome.filePath(QStringLiteral("state")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_renderHome.filePath(QStringLiteral("config")));
        return runProgram(QStringLiteral("deckviewer"), arguments, environment);
    }

    QTemporaryDir m_state, m_wizard, m_saved, m_renderHome;
    QStringList m_before;
};

void TestDesignWindow::editUndoRedo()
{
    DeckPresenter presenter(QStringLiteral("Viewer"), m_wizard.path());
    QVERIFY(open(presenter));
    QCOMPARE(presenter.window()->windowTitle(), QStringLiteral("Viewer - Rectangle"));
    const QByteArray opened = design::designBytes(presenter.document()->design());
    QVERIFY(opened.contains("\"overhangZFt\": 2.5,"));
    auto *overhang = presenter.framingPanel()->findChild<QDoubleSpinBox *>(QStringLiteral("overhangZBox"));
    QVERIFY(overhang);
    QCOMPARE(overhang->text(), QStringLiteral("2.50 ft"));
    // 1 ft of Z overhang: beam lines from Z = 12 to 180, 168 apart, at most 72: 3 gaps, 4 beam lines of 2 plies.
    QVERIFY(redrawn(presenter, [&] { overhang->setValue(1); }));
    QCOMPARE(presenter.window()->windowTitle(), QStringLiteral("Viewer - Rectangle*"));
    QCOMPARE(factNamed(presenter, QStringLiteral("Beam plies")), QStringLiteral("8"));
    QByteArray expected = opened;
    expected.replace("\"overhangZFt\": 2.5,", "\"overhangZFt\": 1,");
    QCOMPARE(design::designBytes(presenter.document()->design()), expected);
    QAction *undo = menuAction(presenter.window(), QStringLiteral("&Edit"), QStringLiteral("&Undo"));
    QAction *redo = menuAction(presenter.window(), QStringLiteral("&Edit"), QStringLiteral("&Redo"));
    QVERIFY(undo && redo);
    QCOMPARE(undo->text(), QStringLiteral("&Undo Change the Z overhang"));
    QCOMPARE(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(redo->shortcuts().value(0), QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    QVERIFY(redrawn(presenter, [&] { undo->trigger(); }));
    QCOMPARE(design::designBytes(presenter.document()->design()), opened);
    QCOMPARE(presenter.window()->windowTitle(), QStringLiteral("Viewer - Rectangle"));
    QCOMPARE(overhang->text(), QStringLiteral("2.50 ft"));
    QCOMPARE(factNamed(presenter, QStringLiteral("Beam plies")), QStringLiteral("6"));
    QVERIFY(redrawn(presenter, [&] { redo->trigger(); }));
    QCOMPARE(design::designBytes(presenter.document()->design()), expected);
    // After an edit the deck comes first, the search for a passing framing after it.
    auto *use = presenter.codeCheckPanel()->findChild<QPushButton *>(QStringLiteral("useSuggestedButton"));
    QTRY_VERIFY_WITH_TIMEOUT(use->isEnabled(), 20000);

    // The stair moved to the back edge, and back with Undo.
    auto *edge = presenter.stairPanel()->findChild<QComboBox *>(QStringLiteral("stairEdge"));
    QVERIFY(edge);
    QVERIFY(redrawn(presenter, [&] { edge->setCurrentIndex(1); }));
    QCOMPARE(presenter.document()->design().stair.edge, 0);
    QCOMPARE(undo->text(), QStringLiteral("&Undo Move the stair"));
    QVERIFY(redrawn(presenter, [&] { undo->trigger(); }));
    QCOMPARE(design::designBytes(presenter.document()->design()), expected);
    presenter.document()->undoStack()->setClean(); // nothing to ask about when the window goes
}

// The framing panel hangs the deck on the house: the design keeps the edge
// (the back one is edge 1 of the rectangle), the ledger takes the back rim
// joist's place, the ledger's choices open up; brick veneer is refused with
// the way out; Undo brings the free-standing deck back.
void TestDesignWindow::hangOnTheHouse()
{
    DeckPresenter presenter(QStringLiteral("Viewer"), m_wizard.path());
    QVERIFY(open(presenter));
    const QByteArray opened = design::designBytes(presenter.document()->design());
    auto *house = presenter.framingPanel()->findChild<QComboBox *>(QStringLiteral("houseBox"));
    auto *to = presenter.framingPanel()->findChild<QComboBox *>(QStringLiteral("attachedToBox"));
    auto *sheathing = presenter.framingPanel()->findChild<QDoubleSpinBox *>(QStringLiteral("sheathingBox"));
    QVERIFY(house && to && sheathing);
    QCOMPARE(house->currentText(), QStringLiteral("Free-standing"));
    QVERIFY(!to->isEnabled() && !sheathing->isEnabled());
    QVERIFY(redrawn(presenter, [&] {
        house->setCurrentIndex(2);
        emit house->activated(2);
    }));
    QCOMPARE(presenter.document()->design().attachment,
             (deckmodel::Attachment{true, 0, deckmodel::HouseFraming::BandJoist, deckmodel::LedgerFastener::Lag, 0.5}));
    QVERIFY(design::designBytes(presenter.document()->design()).contains("\"version\": 2,"));
    QCOMPARE(factNamed(presenter, QStringLiteral("Ledgers")), QStringLiteral("1"));
    QCOMPARE(factNamed(presenter, QStringLiteral("Rim joists")), QStringLiteral("3"));
    QVERIFY(to->isEnabled() && sheathing->isEnabled());
    QAction *undo = menuAction(presenter.window(), QStringLiteral("&Edit"), QStringLiteral("&Undo"));
    QCOMPARE(undo->text(), QStringLiteral("&Undo Hang the deck on the house"));
    QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
    to->setCurrentIndex(int(deckmodel::HouseFraming::BrickVeneer));
    emit to->activated(int(deckmodel::HouseFraming::BrickVeneer));
    QVERIFY(drawn.wait(20000));
    QCOMPARE(presenter.document()->design().attachment.to, deckmodel::HouseFraming::BrickVeneer);
    QCOMPARE(undo->text(), QStringLiteral("&Undo Change what the ledger is fastened to"));
    QVERIFY2(drawn.last().value(0).toString().endsWith(
                 QStringLiteral("attach it free-standing: a beam line 18 in from the house.")),
             qPrintable(drawn.last().value(0).toString()));
    QVERIFY(redrawn(presenter, [&] { undo->trigger(); }));
    QVERIFY(redrawn(presenter, [&] { undo->trigger(); }));
    QCOMPARE(design::designBytes(presenter.document()->design()), opened);
    QCOMPARE(house->currentText(), QStringLiteral("Free-standing"));
    presenter.document()->undoStack()->setClean();
}

// The lot's width typed in the panel goes into the design's project, written
// only once given; the box at its least is "not given" again.
void TestDesignWindow::siteValuesGivenAndTakenBack()
{
    DeckPresenter presenter(QStringLiteral("Viewer"), m_wizard.path());
    QVERIFY(open(presenter));
    const QByteArray opened = design::designBytes(presenter.document()->design());
    QVERIFY(!opened.contains("lotWidthFt"));
    auto *lot = presenter.framingPanel()->findChild<QDoubleSpinBox *>(QStringLiteral("lotWidthBox"));
    auto *north = presenter.framingPanel()->findChild<QDoubleSpinBox *>(QStringLiteral("northBox"));
    QVERIFY(lot && north);
    QCOMPARE(lot->text(), QStringLiteral("not given"));
    QCOMPARE(north->text(), QStringLiteral("not given"));
    QVERIFY(redrawn(presenter, [&] { lot->setValue(60); }));
    QCOMPARE(presenter.document()->design().project.lotWidthFt, std::optional<double>(60));
    QVERIFY(design::designBytes(presenter.document()->design()).contains("\"lotWidthFt\": 60,"));
    QAction *undo = menuAction(presenter.window(), QStringLiteral("&Edit"), QStringLiteral("&Undo"));
    QCOMPARE(undo->text(), QStringLiteral("&Undo Change the lot's width"));
    QVERIFY(redrawn(presenter, [&] { north->setValue(0); }));
    QCOMPARE(presenter.document()->design().project.northDegrees, std::optional<double>(0));
    QCOMPARE(north->text(), QStringLiteral("0.00\u00b0"));
    QVERIFY(redrawn(presenter, [&] { lot->setValue(lot->minimum()); }));
    QCOMPARE(presenter.document()->design().project.lotWidthFt, std::nullopt);
    QCOMPARE(lot->text(), QStringLiteral("not given"));
    presenter.document()->undoStack()->setClean();
}

void TestDesignWindow::saveAndAskBeforeLeaving()
{
    DeckPresenter presenter(QStringLiteral("Viewer"), m_wizard.path());
    deckview::DeckWindow *window = presenter.window();
    QStringList asked, named;
    QList<deckview::SaveAnswer> answers;
    window->seams.askSave = [&](QWidget *, const QString &name) {
        asked << name;
        return answers.takeFirst();
    };
    const QString path = m_saved.filePath(QStringLiteral("Back deck"));
    window->seams.chooseDesignName = [&](QWidget *, const QString &suggested) {
        named << QFileInfo(suggested).fileName();
        return path;
    };
    window->seams.tellFailure = [](QWidget *, const QString &, const QString &text) { QFAIL(qPrintable(text)); };
    QVERIFY(open(presenter));
    // Save on a new design asks for a name, the documents folder's file named after the shape.
    menuAction(window, QStringLiteral("&File"), QStringLiteral("&Save"))->trigger();
    QCOMPARE(named, QStringList{QStringLiteral("Rectangle.jmdeck")});
    const QString file = path + QStringLiteral(".jmdeck");
    QCOMPARE(dataBytes(file), design::designBytes(presenter.document()->design()));
    QCOMPARE(window->windowTitle(), QStringLiteral("Viewer - Back deck"));
    QCOMPARE(menuAction(window, QStringLiteral("&File"), QStringLiteral("&Save"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    // Open Recent lists it first, told apart from the host's copies.
    emit window->recentMenu->aboutToShow();
    QVERIFY2(window->recentMenu->actions().value(0)->text().startsWith(
                 QStringLiteral("Back deck (design): rectangle, 16' 0\" x 12' 0\", saved ")),
             qPrintable(window->recentMenu->actions().value(0)->text()));

    // A change, then another deck asked for: Cancel keeps the change on screen.
    auto *plies = presenter.framingPanel()->findChild<QSpinBox *>(QStringLiteral("pliesBox"));
    QVERIFY(redrawn(presenter, [&] { plies->setValue(3); }));
    QCOMPARE(window->windowTitle(), QStringLiteral("Viewer - Back deck*"));
    answers << deckview::SaveAnswer::Cancel;
    presenter.open(m_wizard.path());
    QCOMPARE(asked, QStringList{QStringLiteral("Back deck")});
    QCOMPARE(presenter.document()->design().deck.beamPlies, 3);
    answers << deckview::SaveAnswer::Cancel;
    QVERIFY(!window->close());
    QCOMPARE(asked.size(), 2);
    // Save: the file has the change, and the other deck comes.
    answers << deckview::SaveAnswer::Cancel << deckview::SaveAnswer::Save;
    presenter.open(m_wizard.path()); // Cancel again
    QVERIFY(dataBytes(file).contains("\"beamPlies\": 2,"));
    QCOMPARE(window->statusBar()->currentMessage(), "Saved " + file); // from Save As
    window->statusBar()->clearMessage();
    QVERIFY(redrawn(presenter, [&] { presenter.open(m_wizard.path()); }));
    QVERIFY(dataBytes(file).contains("\"beamPlies\": 3,"));
    QCOMPARE(window->statusBar()->currentMessage(), "Saved " + file);
    QCOMPARE(window->windowTitle(), QStringLiteral("Viewer - Rectangle"));
    // The saved design opens again as itself, and re-renders as it was.
    QVERIFY(redrawn(presenter, [&] { presenter.open(file); }));
    QCOMPARE(window->windowTitle(), QStringLiteral("Viewer - Back deck"));
    QCOMPARE(presenter.document()->design().deck.beamPlies, 3);
    QCOMPARE(factNamed(presenter, QStringLiteral("Beam plies")), QStringLiteral("9"));
    // Discard: nothing written.
    QVERIFY(redrawn(presenter, [&] { plies->setValue(1); }));
    answers << deckview::SaveAnswer::Discard;
    QVERIFY(window->close());
    QCOMPARE(asked.size(), 5);
    QVERIFY(dataBytes(file).contains("\"beamPlies\": 3,"));
}

void TestDesignWindow::useTheSuggestedFraming()
{
    DeckPresenter presenter(QStringLiteral("Viewer"), m_wizard.path());
    QVERIFY(open(presenter));
    QCOMPARE(factNamed(presenter, QStringLiteral("Code check")),
             QStringLiteral("Fails 1 of 14 checks of the 2021 IRC deck tables; 2 outside the tables"));
    auto *use = presenter.codeCheckPanel()->findChild<QPushButton *>(QStringLiteral("useSuggestedButton"));
    QVERIFY(use && use->isEnabled());
    QCOMPARE(use->text(), QStringLiteral("Use the suggested framing"));
    QVERIFY(redrawn(presenter, [&] { use->click(); }));
    QCOMPARE(presenter.document()->undoStack()->count(), 1);
    QCOMPARE(presenter.document()->undoStack()->undoText(), QStringLiteral("Use the suggested framing"));
    QCOMPARE(factNamed(presenter, QStringLiteral("Code check")), QStringLiteral("Passes all 14 checks of the 2021 IRC deck tables"));
    // Its framing by hand: 2x8 joists at 16" from X = 16 to 128 (144 runs into the rim): 8;
    // two beam lines 28" in from the ends (136" apart), one 2x6 ply each; posts 8" in from
    // the beam ends, 32" apart: 5 a line; 4 rim joists; 34 boards as before.
    QStringList counted;
    for (const char *fact : {"Joists", "Beam plies", "Posts", "Rim joists", "Decking boards"})
        counted << factNamed(presenter, QLatin1String(fact));
    QCOMPARE(counted, (QStringList{"8", "2", "10", "4", "34"}));
    // Exports write the deck on screen: its code check passes.
    QTemporaryDir out;
    QVERIFY(presenter.window()->exportDrawing(out.filePath(QStringLiteral("check.txt"))));
    QVERIFY(dataBytes(out.filePath(QStringLiteral("check.txt"))).contains("Passes all 14 checks of the 2021 IRC deck tables"));
    QVERIFY(redrawn(presenter, [&] { presenter.document()->undoStack()->undo(); }));
    QCOMPARE(factNamed(presenter, QStringLiteral("Joists")), QStringLiteral("11"));
    presenter.document()->undoStack()->setClean();
}

// A 2D design: the Framing panel offers its style and width, the 3D deck's
// rows hidden; each change is undone and redone like the 3D values, saved in
// the file, and the drawing and the facts follow it.
void TestDesignWindow::a2DDesignEdited()
{
    const QString file = m_saved.filePath(QStringLiteral("Plan deck.jmdeck"));
    const QDateTime made(QDate(2026, 12, 7), QTime(21, 5, 9), Qt::UTC);
    QVERIFY(design::writeDesign(file, design::from2D({3, 24.5}, m_wizard.path(), made)));
    const QByteArray opened = dataBytes(file);
    QVERIFY(opened.contains("\"style\": 3,\n") && opened.contains("\"widthFt\": 24.5\n"));
    DeckPresenter presenter(QStringLiteral("Viewer"), m_wizard.path());
    QStringList askedToReload;
    const bool no = false;
    answerReloads(presenter, &askedToReload, &no);
    deckview::DeckWindow *window = presenter.window();
    QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
    presenter.open(file);
    QVERIFY(drawn.wait(20000));
    QCOMPARE(drawn.last().at(0).toString(), QStringLiteral("drawn Deck 3: 24' 6\" wide"));

    deckviewer::FramingPanel *panel = presenter.framingPanel();
    auto *style = panel->findChild<QComboBox *>(QStringLiteral("styleBox"));
    auto *width = panel->findChild<QDoubleSpinBox *>(QStringLiteral("widthBox"));
    auto *overhang = panel->findChild<QDoubleSpinBox *>(QStringLiteral("overhangZBox"));
    auto *owner = panel->findChild<QLineEdit *>(QStringLiteral("ownerEdit"));
    QVERIFY(style && width && overhang && owner);
    QVERIFY(style->isEnabled() && width->isEnabled() && owner->isEnabled() && !overhang->isEnabled());
    QVERIFY(style->isVisibleTo(panel) && width->isVisibleTo(panel) && !overhang->isVisibleTo(panel));
    auto *lot = panel->findChild<QDoubleSpinBox *>(QStringLiteral("lotWidthBox"));
    QVERIFY(lot && !lot->isVisibleTo(panel)); // a 2D deck's drawing set has no site plan
    QCOMPARE(style->currentText(), QStringLiteral("Deck 3"));
    QCOMPARE(width->text(), QStringLiteral("24.50 ft"));

    QVERIFY(redrawn(presenter, [&] { width->setValue(30); }));
    QCOMPARE(drawn.last().at(0).toString(), QStringLiteral("drawn Deck 3: 30' 0\" wide"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Viewer - Plan deck*"));
    QCOMPARE(factNamed(presenter, QStringLiteral("Width (A)")), QStringLiteral("30' 0\""));
    QByteArray widened = opened;
    widened.replace("\"widthFt\": 24.5\n", "\"widthFt\": 30\n");
    QCOMPARE(design::designBytes(presenter.document()->design()), widened);
    QVERIFY(redrawn(presenter, [&] {
        style->setCurrentIndex(6);
        emit style->activated(6);
    }));
    QCOMPARE(drawn.last().at(0).toString(), QStringLiteral("drawn Deck 7: 30' 0\" wide"));
    QCOMPARE(factNamed(presenter, QStringLiteral("Style")), QStringLiteral("Deck 7"));
    QByteArray restyled = widened;
    restyled.replace("\"style\": 3,\n", "\"style\": 7,\n");
    QCOMPARE(design::designBytes(presenter.document()->design()), restyled);

    // Undo twice: the file's bytes and the boxes as opened; Redo twice.
    QUndoStack *stack = presenter.document()->undoStack();
    QCOMPARE(stack->undoText(), QStringLiteral("Change the style"));
    QVERIFY(redrawn(presenter, [&] { stack->undo(); }));
    QCOMPARE(style->currentText(), QStringLiteral("Deck 3"));
    QCOMPARE(stack->undoText(), QStringLiteral("Change the width"));
    QVERIFY(redrawn(presenter, [&] { stack->undo(); }));
    QCOMPARE(drawn.last().at(0).toString(), QStringLiteral("drawn Deck 3: 24' 6\" wide"));
    QCOMPARE(design::designBytes(presenter.document()->design()), opened);
    QCOMPARE(width->text(), QStringLiteral("24.50 ft"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Viewer - Plan deck"));
    QVERIFY(redrawn(presenter, [&] { stack->redo(); }));
    QVERIFY(redrawn(presenter, [&] { stack->redo(); }));
    QCOMPARE(drawn.last().at(0).toString(), QStringLiteral("drawn Deck 7: 30' 0\" wide"));

    // Save keeps it in the file; an export draws it.
    window->seams.tellFailure = [](QWidget *, const QString &, const QString &text) { QFAIL(qPrintable(text)); };
    menuAction(window, QStringLiteral("&File"), QStringLiteral("&Save"))->trigger();
    QElapsedTimer sinceSave;
    sinceSave.start();
    QCOMPARE(dataBytes(file), restyled);
    QCOMPARE(window->windowTitle(), QStringLiteral("Viewer - Plan deck"));
    QTemporaryDir out;
    QVERIFY(window->exportDrawing(out.filePath(QStringLiteral("plan.svg"))));
    QVERIFY(dataBytes(out.filePath(QStringLiteral("plan.svg"))).contains("Deck 7: 30' 0&quot; wide"));
    // Its own save is no change on disk to ask about, however long it waits:
    // a second after the save, the export's time counted in it.
    QTest::qWait(int(std::max<qint64>(0, 1000 - sinceSave.elapsed())));
    QCOMPARE(askedToReload, QStringList());

    // A 3D deck again: its rows back, the 2D rows hidden.
    QVERIFY(redrawn(presenter, [&] { presenter.open(m_wizard.path()); }));
    QVERIFY(overhang->isEnabled() && overhang->isVisibleTo(panel) && !style->isVisibleTo(panel) && !width->isVisibleTo(panel));
    QVERIFY(lot->isEnabled() && lot->isVisibleTo(panel));
}

// The framing panel's rows in order, each box's name, range and unit, or
// its choices, and the Edit menu's name of a change made in it: on a 3D
// deck hung on the house, or on a 2D deck for the style and width
// (data/framing-rows.txt).
void TestDesignWindow::framingRows()
{
    deckviewer::FramingPanel panel;
    auto *form = panel.findChild<QFormLayout *>();
    QVERIFY(form);
    const auto box = [&](int r) { return form->itemAt(r, QFormLayout::FieldRole)->widget(); };
    std::map<QWidget *, QString> changeOf;
    QWidget *changing = nullptr;
    connect(&panel, &deckviewer::FramingPanel::edited, this, [&](const QString &what) { changeOf[changing] = what; });
    for (const bool plan : {false, true}) {
        design::Design shown;
        shown.is2D = plan;
        shown.deck.deckType = 2, shown.deck.depthA = 16, shown.deck.widthB = 12, shown.deck.postSize = 4;
        shown.deck.beamHeight = 7.25, shown.deck.joistHeight = 5.5, shown.deck.joistSpacing = 12;
        shown.plan.style = 1, shown.plan.widthFeet = 10;
        shown.attachment.attached = true, shown.attachment.edge = 0;
        panel.setDesign(&shown);
        for (int r = 0; r < form->rowCount(); ++r) {
            changing = box(r);
            if (!changing->isEnabled() || changeOf.count(changing))
                continue;
            if (auto *feet = qobject_cast<QDoubleSpinBox *>(changing))
                feet->setValue(feet->value() == feet->maximum() ? feet->minimum() : feet->maximum());
            else if (auto *count = qobject_cast<QSpinBox *>(changing))
                count->setValue(count->value() == count->maximum() ? count->minimum() : count->maximum());
            else if (auto *choices = qobject_cast<QComboBox *>(changing))
                emit choices->activated((choices->currentIndex() + 1) % choices->count());
            else if (auto *edit = qobject_cast<QLineEdit *>(changing)) {
                edit->setText(QStringLiteral("x"));
                emit edit->editingFinished();
            }
        }
    }
    QStringList rows;
    for (int r = 0; r < form->rowCount(); ++r) {
        QString row = qobject_cast<QLabel *>(form->itemAt(r, QFormLayout::LabelRole)->widget())->text() + " | "
            + box(r)->objectName() + " | ";
        if (auto *feet = qobject_cast<QDoubleSpinBox *>(box(r)))
            row += QStringLiteral("%1 to %2%3 by %4").arg(feet->minimum()).arg(feet->maximum()).arg(feet->suffix()).arg(feet->singleStep());
        else if (auto *count = qobject_cast<QSpinBox *>(box(r)))
            row += QStringLiteral("%1 to %2").arg(count->minimum()).arg(count->maximum());
        else if (auto *choices = qobject_cast<QComboBox *>(box(r)))
            for (int i = 0; i < choices->count(); ++i)
                row += (i ? ", " : "") + choices->itemText(i);
        else if (qobject_cast<QLineEdit *>(box(r)))
            row += "text";
        rows << row + " | " + changeOf[box(r)];
    }
    QCOMPARE(rows.join(u'\n') + u'\n', QString::fromUtf8(dataBytes(JM_TESTDATA "/framing-rows.txt")));
    // A value no choice holds (a hand-made file's) is shown in inches.
    design::Design odd;
    odd.deck.joistSpacing = 13.5;
    panel.setDesign(&odd);
    QCOMPARE(panel.findChild<QComboBox *>(QStringLiteral("joistSpacingBox"))->currentText(), QStringLiteral("13.5 in"));
}

// Each board a design may be decked with, shown by its name; chosen on a
// design decked otherwise, handed on as the board's thickness and width.
void TestDesignWindow::deckingShownAndChosen_data()
{
    QTest::addColumn<double>("thickness");
    QTest::addColumn<double>("width");
    QTest::addColumn<QString>("name");
    QTest::newRow("5/4x6") << 1.0 << 5.5 << "5/4x6";
    QTest::newRow("2x4") << 1.5 << 3.5 << "2x4";
    QTest::newRow("2x6") << 1.5 << 5.5 << "2x6";
}

void TestDesignWindow::deckingShownAndChosen()
{
    QFETCH(double, thickness);
    QFETCH(double, width);
    QFETCH(QString, name);
    design::Design shown;
    shown.deck.deckType = 2;
    shown.deck.deckingThickness = thickness;
    shown.deck.deckingWidth = width;
    deckviewer::FramingPanel panel;
    panel.setDesign(&shown);
    auto *decking = panel.findChild<QComboBox *>(QStringLiteral("deckingBox"));
    QCOMPARE(decking->currentText(), name);
    shown.deck.deckingThickness = name == u"2x6" ? 1 : 1.5; // 5/4x6, or 2x6
    shown.deck.deckingWidth = 5.5;
    panel.setDesign(&shown);
    QList<design::Design> edits;
    connect(&panel, &deckviewer::FramingPanel::edited, this, [&](const QString &, const design::Design &d) { edits << d; });
    decking->setCurrentIndex(decking->findText(name));
    emit decking->activated(decking->currentIndex());
    QCOMPARE(edits.size(), 1);
    QCOMPARE(edits[0].deck.deckingThickness, thickness);
    QCOMPARE(edits[0].deck.deckingWidth, width);
}

void TestDesignWindow::wizardFolderUntouched()
{
    QCOMPARE(folderHashes(m_wizard.path()), m_before);
    QCOMPARE(m_before.size(), 2); // Deck_Rectangle.txt and DeckType.txt
}

// File > Open's one dialog: a wizard folder by one of its files, anything else as itself.
void TestDesignWindow::openFindsFoldersByTheirFiles()
{
    QStringList opened;
    for (const char *chosen : {"/a/DeckType.txt", "/a/DeckSize.txt", "/b/symbols.txt", "/a/Deck_Slice.txt", "/a/Back deck.jmdeck"})
        opened << deckview::openTarget(QLatin1String(chosen));
    QCOMPARE(opened, (QStringList{"/a", "/a", "/b", "/a/Deck_Slice.txt", "/a/Back deck.jmdeck"}));
}

// What changes the stamp of a folder or of a file (data/stamps.txt).
void TestDesignWindow::stamps_data()
{
    QTest::addColumn<bool>("ofFolder");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("changed");
    for (const QStringList &f : dataTable(JM_TESTDATA "/stamps.txt", QStringLiteral(" | ")))
        QTest::newRow(qPrintable(f[0])) << (f[1] == u"folder") << f[2] << (f[3] == u"changed");
}
void TestDesignWindow::stamps()
{
    QFETCH(bool, ofFolder);
    QFETCH(QString, written);
    QTemporaryDir folder;
    const QString deck = copyWorkedExample(folder.path());
    QVERIFY(!deck.isEmpty());
    const QString watched = ofFolder ? folder.path() : deck;
    const QByteArray before = deckFilesStamp(watched);
    QVERIFY(writeBytes(folder.filePath(written), "14        ' Z,   ', Deck Depth\r\n"));
    QTEST(deckFilesStamp(watched) != before, "changed");
}

// The file rewritten with another depth: the window asks, names the
// file, and shows the new deck; rewritten once more and declined: the
// deck shown stays.
void TestDesignWindow::askedBeforeShowing()
{
    QTemporaryDir folder;
    const QString deck = copyWorkedExample(folder.path());
    QVERIFY(!deck.isEmpty());
    DeckPresenter presenter(QStringLiteral("Viewer"), folder.path());
    QStringList asked;
    bool answer = true;
    answerReloads(presenter, &asked, &answer);
    QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
    presenter.open(deck);
    QVERIFY(drawn.wait(20000));
    QCOMPARE(factNamed(presenter, "A"), "16' 0\"");
    QVERIFY(asked.isEmpty());

    QByteArray changed = workedExampleBytes();
    changed.replace(0, 2, "14");
    QVERIFY(writeBytes(deck, changed));
    QVERIFY(drawn.wait(20000));
    QCOMPARE(asked, QStringList{deck});
    QCOMPARE(factNamed(presenter, "A"), "14' 0\"");

    answer = false;
    changed.replace(0, 2, "18");
    QVERIFY(writeBytes(deck, changed));
    QTRY_COMPARE_WITH_TIMEOUT(asked.size(), 2, 20000);
    QCOMPARE(factNamed(presenter, "A"), "14' 0\"");
    QCOMPARE(drawn.size(), 2); // the first deck and the one shown again, no more
}

// A folder opened without a deck in it: a deck made there later is offered.
void TestDesignWindow::newDeckInAFolder()
{
    QTemporaryDir folder;
    DeckPresenter presenter(QStringLiteral("Viewer"), folder.path());
    QStringList asked;
    const bool yes = true;
    answerReloads(presenter, &asked, &yes);
    QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
    presenter.open(folder.path());
    QVERIFY(drawn.wait(20000));
    QVERIFY(drawn.last().at(0).toString().startsWith("cannot draw: "));
    QVERIFY(writeBytes(folder.filePath("Deck_Rectangle.txt"), workedExampleBytes()));
    QVERIFY(QFile::copy(JM_DECK3D_DATA "/DeckType-worked-example.txt", folder.filePath("DeckType.txt")));
    QVERIFY(drawn.wait(20000));
    QCOMPARE(asked, QStringList{folder.path()});
    QCOMPARE(drawn.last().at(0).toString(), "drawn Deck_Rectangle: 16' 0\" x 12' 0\"");
}

// A deck the host was asked for is not watched: the wizard that wrote
// its files asks again itself.
void TestDesignWindow::hostDecksNotWatched()
{
    QTemporaryDir folder;
    const QString deck = copyWorkedExample(folder.path());
    QVERIFY(!deck.isEmpty());
    DeckPresenter presenter(QStringLiteral("Host"), folder.path());
    QStringList asked;
    const bool yes = true;
    answerReloads(presenter, &asked, &yes);
    QVERIFY(openAndWait(presenter, deck));
    QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
    // As the wizard does: its files written, then the host asked.
    QByteArray changed = workedExampleBytes();
    changed.replace(0, 2, "14");
    QVERIFY(writeBytes(deck, changed));
    presenter.symbolFileOpened(QStringLiteral("C:\\Program Data\\3D Decks\\Deck_Rectangle.bsx"));
    QVERIFY(drawn.wait(20000));
    // The host's deck changed by someone else later: the host tells, not a watch.
    changed.replace(0, 2, "15");
    QVERIFY(writeBytes(deck, changed));
    QTest::qWait(3 * DeckWatch::settleMs); // time for a change to be told, were it watched
    QVERIFY(asked.isEmpty());
}

void TestDesignWindow::designOfAFolder()
{
    const QString design = m_saved.filePath(QStringLiteral("deck.jmdeck"));
    const Run run = render({"--render", m_wizard.path(), "--out", design});
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    // The golden worked example, but for where and when it was made.
    QList<QByteArray> expected = byteLines(dataBytes(QStringLiteral(JM_DESIGN_DATA "/worked-example.jmdeck")));
    QList<QByteArray> written = byteLines(dataBytes(design));
    QCOMPARE(written.size(), expected.size());
    for (qsizetype i = 0; i < written.size(); ++i)
        if (expected[i].contains("\"at\": ") || expected[i].contains("\"wizardFolder\": "))
            written[i] = expected[i];
    QCOMPARE(written, expected);
}

void TestDesignWindow::sameOutputs_data()
{
    wordRows(JM_TESTDATA "/same-outputs.txt", 8);
}
// A design saved from the folder writes what the folder writes (data/same-outputs.txt).
void TestDesignWindow::sameOutputs()
{
    QFETCH(QStringList, words);
    const QString out = words.value(0);
    const QStringList options = words.mid(1);
    // The design saved from the folder: one for all the rows, which only read it.
    const QString design = m_saved.filePath(QStringLiteral("same.jmdeck"));
    if (!QFile::exists(design))
        QCOMPARE(render({"--render", m_wizard.path(), "--out", design}).exitCode, 0);
    QTemporaryDir a, b;
    const Run fromFolder = render(QStringList{"--render", m_wizard.path(), "--out", a.filePath(out)} + options);
    const Run fromDesign = render(QStringList{"--render", design, "--out", b.filePath(out)} + options);
    QCOMPARE(fromFolder.exitCode, 0);
    QCOMPARE(fromDesign.exitCode, 0);
    QCOMPARE(folderHashes(b.path()), folderHashes(a.path()));
    QVERIFY(!folderHashes(a.path()).isEmpty());
}

void TestDesignWindow::suggestedFraming()
{
    const QString suggested = m_saved.filePath(QStringLiteral("suggested.jmdeck"));
    QCOMPARE(render({"--render", m_wizard.path(), "--framing", "suggested", "--out", suggested}).exitCode, 0);
    // The framing itself, counted by hand: useTheSuggestedFraming. Written
    // from the design, and checked straight from the folder, it passes.
    const QString check = m_saved.filePath(QStringLiteral("suggested.txt"));
    QCOMPARE(render({"--render", suggested, "--out", check}).exitCode, 0);
    QVERIFY(dataBytes(check).contains("\nPasses all 14 checks of the 2021 IRC deck tables\n"));
    QCOMPARE(render({"--render", m_wizard.path(), "--framing", "suggested", "--out", check}).exitCode, 0);
    QVERIFY(dataBytes(check).contains("\nPasses all 14 checks of the 2021 IRC deck tables\n"));
    // A passing deck has no suggestion: its own framing is written.
    QCOMPARE(render({"--render", suggested, "--framing", "suggested", "--out", check}).exitCode, 0);
    QVERIFY(dataBytes(check).contains("\nPasses all 14 checks of the 2021 IRC deck tables\n"));
}

void TestDesignWindow::designSettings()
{
    QByteArray bytes = dataBytes(QStringLiteral(JM_DESIGN_DATA "/worked-example.jmdeck"));
    bytes.replace("\"species\": \"southern-pine\"", "\"species\": \"redwood\"");
    const QString design = m_saved.filePath(QStringLiteral("redwood.jmdeck"));
    QVERIFY(writeBytes(design, bytes));
    const QString check = m_saved.filePath(QStringLiteral("redwood.txt"));
    QCOMPARE(render({"--render", design, "--out", check}).exitCode, 0);
    QVERIFY(dataBytes(check).contains("Settings: Redwood, western cedars, ponderosa pine, red pine;"));
    QCOMPARE(render({"--render", design, "--species", "dfl", "--out", check}).exitCode, 0);
    QVERIFY(dataBytes(check).contains("Settings: Douglas fir-larch, hem-fir, spruce-pine-fir;"));
}

void TestDesignWindow::badDesign()
{
    const QString design = m_saved.filePath(QStringLiteral("bad.jmdeck"));
    QVERIFY(writeBytes(design, "{\"format\": \"Joistmaster deck design\", \"version\": 7}"));
    const Run run = render({"--render", design, "--out", m_saved.filePath(QStringLiteral("x.txt"))});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err, QByteArray("deckviewer: \"bad.jmdeck\" is a deck design of version 7, made by a newer Joistmaster; "
                                 "this one reads version 2.\n"));
    QVERIFY(!QFile::exists(m_saved.filePath(QStringLiteral("x.txt"))));
}

void TestDesignWindow::helpSaysSo()
{
    const Run run = render({"--help"});
    QCOMPARE(QString::number(run.exitCode) + run.err, "0");
    QCOMPARE(run.out, dataBytes(JM_TESTDATA "/help.txt")); // with --framing suggested and .jmdeck
}

QTEST_MAIN(TestDesignWindow)
#include "tst_designwindow.moc"
