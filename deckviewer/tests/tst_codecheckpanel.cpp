// The code check panel, headless, with hand-made records: its rows, marks and
// the members a selected row names, the settings a person picks, and when
// the suggested framing may be chosen.
#include "codecheckpanel.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
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
};

QTEST_MAIN(TestCodeCheckPanel)
#include "tst_codecheckpanel.moc"
