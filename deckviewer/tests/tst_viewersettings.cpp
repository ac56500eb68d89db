// What the viewer is told and what it keeps: its command line, read without
// starting it, against the table in data/command-lines.txt, and the help's
// wrapping (the help whole: tst_designwindow runs --help); the code check
// panel with hand-made records (its rows, marks and the members a selected
// row names, the selected row's finding read whole under the list, the
// settings a person picks, when the suggested framing may be chosen, and the
// columns' widths and the divider remembered); and what the host remembers of
// a wizard folder in the user's state folder, and what opening the folder or
// a saved copy of it shows.
#include "codecheckpanel.h"
#include "datatable.h"
#include "testclasses.h"
#include "panellayout.h"
#include "presenter.h"
#include "recentdecks.h"
#include "showdeck.h"
#include "textfiles.h"
#include "vieweroptions.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <sys/stat.h>

using namespace deckviewer;
using namespace deckmodel;
using namespace recentdecks;

static const QString Style3 = QStringLiteral("C:\\Joistmaster\\Program Data\\2D Decks\\Deck 3.dc");

namespace {
CodeReport report()
{
    CodeReport r;
    r.checks = {{"R507.6 joist span", {"Joist 1", "Joist 4"}, 150, 132, "SP 2x8 @ 16: 11-10", Verdict::Fail, "Too long."},
                {"R507.5 beam span", {"Beam 1"}, 70, 80, "SP 2-2x10, 8 ft: 6-8", Verdict::Pass, "Short enough."},
                {"R507.4 post height", {"Post 2", "Post 5"}, 200, {}, "", Verdict::Outside, "Too tall."},
                {"R507.3.1 footing size", {}, {}, {}, "1,500 psf: 20 in", Verdict::Information, "Build 20 in."}};
    return r;
}

Suggestion suggestion(bool found)
{
    Suggestion s{std::nullopt, "No joist within the tables spans 30 ft.", {"Joists 2x10 at 12\" instead of 2x8 at 16\""},
                 250.04, 240, 9};
    if (found)
        s.parameters = DeckParameters{};
    return s;
}
} // namespace

class TestViewerSettings : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        qputenv("XDG_CONFIG_HOME", m_config.filePath(QTest::currentTestFunction()).toUtf8());
        qputenv("XDG_STATE_HOME", m_config.filePath(QStringLiteral("state/") + QTest::currentTestFunction()).toUtf8());
    }

    // Each row's columns, and the names its selection hands on (-1: none selected).
    void rows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("fail") << 0 << QStringList{"\u2717 fail", "R507.6 joist span", "Too long.", "SP 2x8 @ 16: 11-10"}
                              << QStringList{"Joist 1", "Joist 4"};
        QTest::newRow("outside") << 2 << QStringList{"\u26a0 outside", "R507.4 post height", "Too tall.", ""}
                                 << QStringList{"Post 2", "Post 5"};
        QTest::newRow("information") << 3 << QStringList{"i info", "R507.3.1 footing size", "Build 20 in.", "1,500 psf: 20 in"}
                                     << QStringList();
        QTest::newRow("deselected") << -1 << QStringList() << QStringList();
    }
    void rows()
    {
        QFETCH(int, row);
        CodeCheckPanel panel;
        panel.setReport(report(), suggestion(true));
        QCOMPARE(panel.findChild<QLabel *>("verdictLabel")->text(),
                 QStringLiteral("Fails 1 of 3 checks of the 2021 IRC deck tables; 1 outside the tables"));
        auto *table = panel.findChild<QTreeWidget *>("checksTable");
        QCOMPARE(table->topLevelItemCount(), 4);
        QCOMPARE(table->topLevelItem(1)->text(0), QStringLiteral("\u2713 pass"));
        table->setCurrentItem(table->topLevelItem(1)); // Beam 1 first, to change from
        QList<QStringList> emitted;
        connect(&panel, &CodeCheckPanel::membersSelected, this, [&](const QStringList &names) { emitted << names; });
        row < 0 ? table->clearSelection() : table->setCurrentItem(table->topLevelItem(row));
        QCOMPARE(emitted.size(), 1);
        QTEST(emitted.first(), "names");
        QStringList texts;
        for (int column = 0; row >= 0 && column < 4; ++column)
            texts << table->topLevelItem(row)->text(column);
        QTEST(texts, "texts");
    }

    void settings_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("index");
        QTest::addColumn<CodeSettings>("expected");
        QTest::newRow("species") << "speciesBox" << 2 << CodeSettings{Species::Redwood, 60, 2000, FootingShape::Square};
        QTest::newRow("live load") << "loadBox" << 0 << CodeSettings{Species::DouglasFirLarch, 0, 2000, FootingShape::Square};
        QTest::newRow("soil") << "soilBox" << 2 << CodeSettings{Species::DouglasFirLarch, 60, 3000, FootingShape::Square};
        QTest::newRow("footing") << "footingBox" << 0 << CodeSettings{Species::DouglasFirLarch, 60, 2000, FootingShape::Round};
    }
    void settings()
    {
        QFETCH(QString, box);
        QFETCH(int, index);
        CodeCheckPanel panel;
        QList<CodeSettings> emitted;
        connect(&panel, &CodeCheckPanel::settingsChanged, this, [&](const CodeSettings &s) { emitted << s; });
        const CodeSettings shown{Species::DouglasFirLarch, 60, 2000, FootingShape::Square};
        panel.setSettings(shown);
        QVERIFY(emitted.isEmpty() && panel.settings() == shown); // shown, not changed by a person
        panel.findChild<QComboBox *>(box)->setCurrentIndex(index);
        QFETCH(CodeSettings, expected);
        QCOMPARE(emitted, QList<CodeSettings>{expected});
    }

    void suggestedButton_data()
    {
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("line");
        QTest::newRow("found") << true << "" << "\u2022 Joists 2x10 at 12\" instead of 2x8 at 16\"\n"
                                                 "250.0 board feet of framing lumber (240.0 as designed), 9 footings";
        QTest::newRow("none") << false << "No joist within the tables spans 30 ft."
                              << "No suggested framing: No joist within the tables spans 30 ft.";
    }
    // Chosen while there was one; a report without one goes back to the design.
    void suggestedButton()
    {
        QFETCH(bool, found);
        CodeCheckPanel panel;
        auto *suggested = panel.findChild<QRadioButton *>("suggestedButton");
        panel.setReport(report(), suggestion(true));
        QList<bool> chosen;
        connect(&panel, &CodeCheckPanel::framingChosen, this, [&](bool s) { chosen << s; });
        suggested->click();
        panel.setReport(report(), suggestion(found));
        QVERIFY(suggested->isEnabled() == found && suggested->isChecked() == found);
        QCOMPARE(panel.findChild<QRadioButton *>("designedButton")->isChecked(), !found);
        QCOMPARE(chosen, found ? QList<bool>({true}) : QList<bool>({true, false}));
        QTEST(suggested->toolTip(), "toolTip");
        QTEST(panel.findChild<QLabel *>("suggestionLabel")->text(), "line");
    }

    // The text under the list: the selected row whole; with none selected,
    // what "outside" means when a row is outside, else a hint.
    void findingRead_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        for (const QStringList &f : dataTable(JM_TESTDATA "/findings.txt"))
            QTest::newRow(qPrintable(f[0])) << f[1].toInt() << f[2];
    }
    void findingRead()
    {
        QFETCH(int, row);
        CodeCheckPanel panel;
        CodeReport r = report();
        r.checks.push_back({"R312.1.1 guard", {}, {}, {}, "", Verdict::Information, "No guard needed."});
        panel.setReport(r, suggestion(false));
        auto *table = panel.findChild<QTreeWidget *>("checksTable");
        auto *finding = panel.findChild<QPlainTextEdit *>("findingText");
        QVERIFY(finding && finding->isReadOnly() && finding->lineWrapMode() == QPlainTextEdit::WidgetWidth);
        table->setCurrentItem(table->topLevelItem(3));
        row < 0 ? table->clearSelection() : table->setCurrentItem(table->topLevelItem(row));
        QTEST(finding->toPlainText(), "text");
        if (row < 0) // the verdict's "outside the tables" explained where it is said
            QCOMPARE(panel.findChild<QLabel *>("verdictLabel")->toolTip(), finding->toPlainText());
        if (row >= 0) // the Finding cell's tooltip holds the sentence whole
            QCOMPARE(table->topLevelItem(row)->toolTip(2), r.checks[size_t(row)].sentence);
    }

    // Without a row outside, nothing is said until a row is selected.
    void findingHint()
    {
        CodeCheckPanel panel;
        CodeReport r = report();
        r.checks.erase(r.checks.begin() + 2);
        panel.setReport(r, suggestion(false));
        auto *finding = panel.findChild<QPlainTextEdit *>("findingText");
        QCOMPARE(finding->toPlainText(), QString());
        QCOMPARE(finding->placeholderText(), QStringLiteral("Select a row to read its finding whole."));
    }

    // Each rule's change that brings it inside the tables (data/outside-changes.txt).
    void outsideChanges_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("change");
        for (const QStringList &f : dataTable(JM_TESTDATA "/outside-changes.txt"))
            QTest::newRow(qPrintable(f[0])) << f[1] << f[2] << f[3];
    }
    void outsideChanges()
    {
        QFETCH(QString, rule);
        QFETCH(QString, cell);
        QFETCH(QString, change);
        CodeCheck row{rule, {}, {}, {}, cell, Verdict::Outside, "Why."};
        QVERIFY(outsideMeaning(row).endsWith(QStringLiteral("so that the tables cover it: ") + change + u'.'));
        row.result = Verdict::Fail;
        QCOMPARE(outsideMeaning(row), QString());
    }

    // Widened columns and a moved divider come back in the next panel.
    void sizesRemembered()
    {
        {
            CodeCheckPanel panel;
            panel.resize(500, 700);
            auto *table = panel.findChild<QTreeWidget *>("checksTable");
            table->setColumnWidth(0, 90);
            table->setColumnWidth(1, 170);
            table->setColumnWidth(2, 480);
            auto *divider = panel.findChild<QSplitter *>("checkDivider");
            QVERIFY(divider);
            divider->setSizes({300, 200}); // as a drag ends: reported by splitterMoved
            emit divider->splitterMoved(300, 1);
        }
        QFile file(m_config.filePath("sizesRemembered/joistmaster/deckviewer.conf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.value(0), QByteArray("[layout]"));
        QCOMPARE(lines.value(1), QByteArray("check_columns=90, 170, 480"));
        QVERIFY(lines.value(2).startsWith("check_divider="));
        const QList<int> divider = savedSizes("check_divider");
        QCOMPARE(divider.size(), 2);

        CodeCheckPanel again;
        auto *table = again.findChild<QTreeWidget *>("checksTable");
        QCOMPARE(table->columnWidth(0), 90);
        QCOMPARE(table->columnWidth(1), 170);
        QCOMPARE(table->columnWidth(2), 480);
        QCOMPARE(again.findChild<QSplitter *>("checkDivider")->sizes(), divider);
    }

    // What a stored line reads as: whole numbers from 1 to 10000, or nothing.
    void storedSizes_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QList<int>>("sizes");
        for (const QStringList &f : dataTable(JM_TESTDATA "/stored-sizes.txt")) {
            QList<int> sizes;
            for (const QString &size : f[2].split(u' ', Qt::SkipEmptyParts))
                sizes << size.toInt();
            QTest::newRow(qPrintable(f[0])) << f[1].toUtf8() << sizes;
        }
    }
    void storedSizes()
    {
        QFETCH(QByteArray, line);
        // A file of its own for each row: Qt keeps a file it has read while
        // its size and time look the same.
        qputenv("XDG_CONFIG_HOME", m_config.filePath(QStringLiteral("storedSizes/") + QTest::currentDataTag()).toUtf8());
        const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + "/joistmaster";
        QVERIFY(QDir().mkpath(folder));
        QFile file(folder + "/deckviewer.conf");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[layout]\n" + line + "\n");
        file.close();
        QTEST(savedSizes("check_columns"), "sizes");
    }

    void commandLine_data();
    void commandLine();
    void hostileArguments_data();
    void hostileArguments();
    void anOutputThatIsAnInputIsRefused_data();
    void anOutputThatIsAnInputIsRefused();
    void wrapped_data();
    void wrapped();
    void a2DDeckReopensPastALeftoverDeckType();
    void tenCopiesKeptAndOneOpensAfterTheWizardDeletedItsFiles();
    void noLinkIsFollowed();
    void pruningRemovesOnlyWhatTheHostMade();
    void aStateFolderNotTheUsersAloneIsRefused_data();
    void aStateFolderNotTheUsersAloneIsRefused();

private:
    QTemporaryDir m_config;
};

void TestViewerSettings::commandLine_data()
{
    wordRows(JM_TESTDATA "/command-lines.txt", 37);
}

void TestViewerSettings::commandLine()
{
    QFETCH(QStringList, words);
    QFETCH(QString, expected);
    const jm::Result<Options> read = parseOptions(words);
    QCOMPARE(read ? QStringLiteral("open=%1 render=%2 out=%3 view=%4 mode=%5 help=%6 code=%7/%8/%9/%10 framing=%11 code-given=%12 sheets=%13 paper=%14")
                        .arg(read->open, read->render, read->out, read->view, read->mode)
                        .arg(read->help)
                        .arg(deckmodel::speciesKey(read->code.species))
                        .arg(read->code.snowLoadPsf)
                        .arg(read->code.soilBearingPsf)
                        .arg(deckmodel::footingKey(read->code.footing))
                        .arg(read->suggestedFraming ? QStringLiteral("suggested") : QStringLiteral("designed"))
                        .arg(read->codeGiven)
                        .arg(read->sheets, read->paper)
                  : QStringLiteral("error: ") + read.error(),
             expected);
}

// Values no one types on purpose: empty, with terminal escapes, very long.
// A message quotes at most 80 characters of one, its control characters
// escaped; an option that would be silently ignored is refused. And the
// waste allowance's bounds.
void TestViewerSettings::hostileArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    const QStringList render{"--render", "d", "--out", "x.pdf"};
    QTest::newRow("--sheets empty") << render + QStringList{"--sheets", ""} << "--sheets \"\": the value is empty (see --help).";
    QTest::newRow("--prices empty") << render + QStringList{"--prices", ""} << "--prices \"\": the value is empty (see --help).";
    QTest::newRow("--out empty") << QStringList{"--render", "d", "--out", ""} << "--out \"\": the value is empty (see --help).";
    QTest::newRow("a terminal escape in a value") << render + QStringList{"--view", "\x1b[2Jiso"}
                                                  << "--view \"\\x1b[2Jiso\": write iso, plan, front or side.";
    QTest::newRow("a long value")
        << render + QStringList{"--species", QString(100000, u'p')}
        << "--species \"" + QString(80, u'p') + "...\": write southern-pine, dfl or redwood.";
    QTest::newRow("a value of 80 plain characters, as typed")
        << render + QStringList{"--mode", QString(80, u'm')} << "--mode " + QString(80, u'm') + ": write wireframe, hidden or shaded.";
    QTest::newRow("a long unknown option with a line break")
        << render + QStringList{"--x\r\n" + QString(200, u'y')}
        << "unknown option \"--x\\r\\n" + QString(75, u'y') + "...\" (see --help).";
    QTest::newRow("--waste 0, the least") << render + QStringList{"--waste", "0"} << "";
    QTest::newRow("--waste 100, the most") << render + QStringList{"--waste", "100"} << "";
    QTest::newRow("--waste past 100") << render + QStringList{"--waste", "100.5"} << "--waste 100.5: write a percentage from 0 to 100.";
    QTest::newRow("--waste with a NUL") << render + QStringList{"--waste", QString::fromLatin1("1\0", 2)}
                                        << "--waste \"1\\0\": write a percentage from 0 to 100.";
}

void TestViewerSettings::hostileArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    QCOMPARE(parseOptions(arguments).error(), error);
}

// --out naming a file the run reads (data/outputs-read.txt).
void TestViewerSettings::anOutputThatIsAnInputIsRefused_data()
{
    QTest::addColumn<QString>("render");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("refused");
    for (const QStringList &f : dataTable(JM_TESTDATA "/outputs-read.txt", QStringLiteral(" | ")))
        QTest::newRow(qPrintable(f[0])) << f[1] << f[2] << (f[3] == u"-" ? QString() : f[3]);
}

void TestViewerSettings::anOutputThatIsAnInputIsRefused()
{
    QFETCH(QString, render);
    QFETCH(QString, out);
    QFETCH(QString, refused);
    QTemporaryDir dir;
    const auto write = [&](const QString &name) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write("x\r\n") == 3;
    };
    QVERIFY(QDir(dir.path()).mkdir("deck") && write("deck/Deck_Rectangle.txt") && write("deck/DeckType.txt")
            && write("deck/notes.txt") && write("prices.csv"));
    QVERIFY(QFile::link(dir.filePath("deck/Deck_Rectangle.txt"), dir.filePath("link.txt")));
    Options options;
    options.render = dir.filePath(render);
    options.out = dir.filePath(out);
    const jm::Status checked = outputIsNoInput(options, {dir.filePath("prices.csv"), dir.filePath("deckviewer.conf")});
    QCOMPARE(checked.error(), refused.isEmpty() ? QString()
                                                : QStringLiteral("--out \"%1\" is \"%2\", which this run reads: name another file.")
                                                      .arg(dir.filePath(out), dir.filePath(refused)));
    QCOMPARE(dataBytes(dir.filePath("deck/Deck_Rectangle.txt")), QByteArray("x\r\n"));
}

// Lines of at most the width, broken only between words; a word longer than
// the width stands alone on its line.
void TestViewerSettings::wrapped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("lines");
    for (const QStringList &f : dataTable(JM_TESTDATA "/wrapped.txt"))
        QTest::newRow(qPrintable(f[0])) << f[1] << f[2].toInt() << f[3];
}

void TestViewerSettings::wrapped()
{
    QFETCH(QString, text);
    QFETCH(int, columns);
    QFETCH(QString, lines);
    QCOMPARE(deckviewer::wrapped(text, columns), lines);
}

// A 2D deck 12 feet wide beside a 3D road's DeckType.txt left from before:
// the load and the open keep one copy, named after the style, in a state
// folder of the user's alone.
void TestViewerSettings::a2DDeckReopensPastALeftoverDeckType()
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

void TestViewerSettings::tenCopiesKeptAndOneOpensAfterTheWizardDeletedItsFiles()
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
void TestViewerSettings::noLinkIsFollowed()
{
    QTemporaryDir elsewhere;
    const QString state = qEnvironmentVariable("XDG_STATE_HOME") + "/joistmaster";
    QVERIFY(QDir().mkpath(qEnvironmentVariable("XDG_STATE_HOME")) && QFile::link(elsewhere.path(), state));
    QCOMPARE(remember(elsewhere.path(), {Style3, {}}).error(),
             QStringLiteral("\"%1\" is not a folder of yours alone (it must be a folder, owned by you and writable by no "
                            "one else); move it aside and start again.")
                 .arg(state));
    QVERIFY(QDir(elsewhere.path()).isEmpty());
}

// Links planted among the copies, named like one and inside the oldest, and a
// file of someone else's beside the host's: the pruning removes the host's own
// files and folders and nothing that a link points at.
void TestViewerSettings::pruningRemovesOnlyWhatTheHostMade()
{
    QTemporaryDir wizard, victim;
    QVERIFY(textfiles::writeWhole(wizard.filePath("DeckType.txt"), " 3 \r\n"));
    QVERIFY(textfiles::writeWhole(victim.filePath("symbols.txt"), "mine\r\n") && QDir(victim.path()).mkdir("sub")
            && textfiles::writeWhole(victim.filePath("sub/DeckSize.txt"), "mine\r\n")
            && textfiles::writeWhole(victim.filePath("DeckSize.txt"), "mine\r\n"));
    QVERIFY(textfiles::writeWhole(wizard.filePath("DeckSize.txt"), "1\r\n") && remember(wizard.path(), {Style3, {}}));
    const QString oldest = recentDecks(wizard.path()).value(0).folder;
    const QString decks = QFileInfo(oldest).absolutePath();
    // Named like the oldest copies, so pruned first.
    QVERIFY(QFile::link(victim.path(), decks + "/19990101-000000-000"));
    QVERIFY(QFile::link(victim.filePath("DeckSize.txt"), oldest + "/DeckType.txt.link"));
    QVERIFY(QFile::remove(oldest + "/DeckType.txt") && QFile::link(victim.filePath("DeckSize.txt"), oldest + "/DeckType.txt"));
    for (int width = 2; width <= 12; ++width)
        QVERIFY(textfiles::writeWhole(wizard.filePath("DeckSize.txt"), QByteArray::number(width) + "\r\n")
                && remember(wizard.path(), {Style3, {}}));
    QCOMPARE(recentDecks(wizard.path()).size(), 10);
    // The victim's files all there; the oldest copy kept only for what was planted in it.
    QCOMPARE(dataBytes(victim.filePath("symbols.txt")) + dataBytes(victim.filePath("DeckSize.txt"))
                 + dataBytes(victim.filePath("sub/DeckSize.txt")),
             QByteArray("mine\r\nmine\r\nmine\r\n"));
    QCOMPARE(QDir(oldest).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
             QStringList({"DeckType.txt", "DeckType.txt.link"}));
    QVERIFY(QFileInfo(decks + "/19990101-000000-000").isSymLink());
}

void TestViewerSettings::aStateFolderNotTheUsersAloneIsRefused_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("writable by the group") << 0770;
    QTest::newRow("writable by anyone") << 0777;
    QTest::newRow("anyone's, sticky") << 01777;
    QTest::newRow("the user's alone") << 0700;
    QTest::newRow("readable by others") << 0755;
}

// A state folder others may write to is neither written nor read; one made
// by the host is the user's alone.
void TestViewerSettings::aStateFolderNotTheUsersAloneIsRefused()
{
    QFETCH(int, mode);
    qputenv("XDG_STATE_HOME", m_config.filePath(QStringLiteral("state/modes/%1").arg(mode, 0, 8)).toUtf8());
    QTemporaryDir wizard;
    QVERIFY(textfiles::writeWhole(wizard.filePath("DeckType.txt"), " 3 \r\n")
            && textfiles::writeWhole(wizard.filePath("DeckSize.txt"), "12\r\n"));
    const QString state = qEnvironmentVariable("XDG_STATE_HOME") + "/joistmaster";
    QVERIFY(remember(wizard.path(), {Style3, {}}));
    QCOMPARE(QFileInfo(state).permissions() & 0x7777, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                           | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    QVERIFY(::chmod(QFile::encodeName(state).constData(), mode_t(mode)) == 0);
    const bool alone = (mode & 022) == 0;
    const jm::Status again = remember(wizard.path(), {Style3, "C:\\Joistmaster\\Program Data\\2D Decks\\2ddecks.bsx"});
    QCOMPARE(again.error(), alone ? QString()
                                  : QStringLiteral("\"%1\" is not a folder of yours alone (it must be a folder, owned by "
                                                   "you and writable by no one else); move it aside and start again.")
                                        .arg(state));
    QCOMPARE(recentDecks(wizard.path()).size(), alone ? 1 : 0);
    QCOMPARE(askedIn(wizard.path()).has_value(), alone);
}

JM_TEST_CLASS(TestViewerSettings)
#include "tst_viewersettings.moc"
