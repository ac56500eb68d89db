// The code check panel, headless, with hand-made records: its rows, marks and
// the members a selected row names, the selected row's finding read whole
// under the list, the settings a person picks, when the suggested framing
// may be chosen, and the columns' widths and the divider remembered.
#include "codecheckpanel.h"
#include "panellayout.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace deckviewer;
using namespace deckmodel;

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

class TestCodeCheckPanel : public QObject {
    Q_OBJECT
private slots:
    void init() { qputenv("XDG_CONFIG_HOME", m_config.filePath(QTest::currentTestFunction()).toUtf8()); }

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
        QTest::newRow("fail") << 0 << "\u2717 fail: R507.6 joist span\n\nToo long.\n\nTable cell: SP 2x8 @ 16: 11-10";
        QTest::newRow("pass") << 1 << "\u2713 pass: R507.5 beam span\n\nShort enough.\n\nTable cell: SP 2-2x10, 8 ft: 6-8";
        QTest::newRow("outside")
            << 2
            << "\u26a0 outside: R507.4 post height\n\nToo tall.\n\nOutside the tables: the code's prescriptive deck "
               "tables do not cover this, so the check can neither pass nor fail it. Either have this part of the framing "
               "designed by an engineer (a registered design professional), or change it so that the tables cover it: "
               "add posts, so that each carries less deck, or use larger posts.";
        QTest::newRow("information, no cell") << 4 << "i info: R312.1.1 guard\n\nNo guard needed.";
        QTest::newRow("none selected")
            << -1
            << "Outside the tables: the code's prescriptive deck tables do not cover some part of this deck, so the "
               "check can neither pass nor fail it. That part needs framing designed by an engineer, or a change that "
               "brings it inside the tables: select a row marked \u26a0 outside to read which.";
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

    // Each rule's change that brings it inside the tables.
    void outsideChanges_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("change");
        QTest::newRow("joist span") << "R507.6 joist span" << ""
                                    << "shorten the joists' span between beam lines (add a beam line), or use deeper "
                                       "joists or joists closer together";
        QTest::newRow("joist cantilever") << "R507.6 joist cantilever" << ""
                                          << "move the outer beam out, so that the joists cantilever less past it";
        QTest::newRow("beam under two spans") << "R507.5 beam carrying one span of joists" << ""
                                              << "frame with two beam lines, so that each beam carries the joists from "
                                                 "one side only";
        QTest::newRow("beam span") << "R507.5 beam span" << "Table R507.5(1), 40 psf"
                                   << "put the posts closer together along the beam, or the beam lines closer together "
                                      "so that the joists they carry span less";
        QTest::newRow("beam span, joists cantilevered") << "R507.5 beam span" << "Table R507.5(5) ends at C/J 1/4"
                                                        << "move the beam out, so that the joists cantilever past it "
                                                           "at most a quarter of their span";
        QTest::newRow("beam cantilever") << "R507.5 beam cantilever" << "" << "move the end posts out towards the beam's ends";
        QTest::newRow("footing") << "R507.3.1 footing size" << "" << "add posts, so that each footing carries less deck";
        QTest::newRow("decking") << "R507.7 decking span" << "" << "use 5/4 or 2-inch wood decking boards, on joists close "
                                                             "enough for them";
        QTest::newRow("another rule") << "R311.7.2 stair width" << "" << "change this part of the deck to one the tables list";
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
        QTest::newRow("three") << QByteArray("check_columns=90, 170, 480") << QList<int>{90, 170, 480};
        QTest::newRow("no blanks") << QByteArray("check_columns=90,170") << QList<int>{90, 170};
        QTest::newRow("one") << QByteArray("check_columns=90") << QList<int>{90};
        QTest::newRow("largest") << QByteArray("check_columns=1, 10000") << QList<int>{1, 10000};
        QTest::newRow("too large") << QByteArray("check_columns=1, 10001") << QList<int>{};
        QTest::newRow("zero") << QByteArray("check_columns=0, 170") << QList<int>{};
        QTest::newRow("negative") << QByteArray("check_columns=-90, 170") << QList<int>{};
        QTest::newRow("a word") << QByteArray("check_columns=90, wide") << QList<int>{};
        QTest::newRow("a fraction") << QByteArray("check_columns=90.5, 170") << QList<int>{};
        QTest::newRow("missing") << QByteArray("other=1") << QList<int>{};
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

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(TestCodeCheckPanel)
#include "tst_codecheckpanel.moc"
