// The code check panel, headless, with hand-made records: its rows and
// marks, the members a selected row names, the settings a person picks, and
// when the suggested framing may be chosen.
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
    r.checks = {
        {"R507.6 joist span", {"Joist 1", "Joist 4"}, 150, 132, "SP 2x8 @ 16: 11-10", Verdict::Fail, "Too long."},
        {"R507.5 beam span", {"Beam 1"}, 70, 80, "SP 2-2x10, 8 ft: 6-8", Verdict::Pass, "Short enough."},
        {"R507.4 post height", {"Post 2", "Post 5", "Post 6"}, 200, {}, "", Verdict::Outside, "Too tall for the table."},
        {"R507.3.1 footing size", {}, {}, {}, "1,500 psf: 20 in", Verdict::Information, "Build 20 in footings."},
    };
    return r;
}

Suggestion suggestion(bool found)
{
    Suggestion s;
    if (found)
        s.parameters = DeckParameters{};
    else
        s.why = "No joist within the tables spans 30 ft.";
    s.changes = {"Joists 2x10 at 12\" on centre instead of 2x8 at 16\""};
    s.boardFeet = 250.04;
    s.boardFeetAsDesigned = 240;
    s.footings = 9;
    return s;
}

QString summary(const CodeSettings &s)
{
    return QStringLiteral("%1 %2 %3 %4").arg(speciesKey(s.species)).arg(s.snowLoadPsf).arg(s.soilBearingPsf).arg(footingKey(s.footing));
}
} // namespace

class TestCodeCheckPanel : public QObject {
    Q_OBJECT
private slots:
    void rows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("fail") << 0 << QStringList{"\u2717 fail", "R507.6 joist span", "Too long.", "SP 2x8 @ 16: 11-10"};
        QTest::newRow("pass") << 1 << QStringList{"\u2713 pass", "R507.5 beam span", "Short enough.", "SP 2-2x10, 8 ft: 6-8"};
        QTest::newRow("outside") << 2 << QStringList{"\u26a0 outside", "R507.4 post height", "Too tall for the table.", ""};
        QTest::newRow("information")
            << 3 << QStringList{"i info", "R507.3.1 footing size", "Build 20 in footings.", "1,500 psf: 20 in"};
    }
    void rows()
    {
        QFETCH(int, row);
        CodeCheckPanel panel;
        panel.setReport(report(), suggestion(true));
        auto *table = panel.findChild<QTreeWidget *>("checksTable");
        QCOMPARE(table->topLevelItemCount(), 4);
        QStringList texts;
        for (int column = 0; column < 4; ++column)
            texts << table->topLevelItem(row)->text(column);
        QTEST(texts, "texts");
        QCOMPARE(panel.findChild<QLabel *>("verdictLabel")->text(),
                 QStringLiteral("Fails 1 of 3 checks of the 2021 IRC deck tables; 1 outside the tables"));
    }

    void selection_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("two joists") << 0 << QStringList{"Joist 1", "Joist 4"};
        QTest::newRow("three posts") << 2 << QStringList{"Post 2", "Post 5", "Post 6"};
        QTest::newRow("no members") << 3 << QStringList();
        QTest::newRow("deselected") << -1 << QStringList();
    }
    void selection()
    {
        QFETCH(int, row);
        CodeCheckPanel panel;
        panel.setReport(report(), suggestion(true));
        auto *table = panel.findChild<QTreeWidget *>("checksTable");
        table->setCurrentItem(table->topLevelItem(1)); // Beam 1 first, to change from
        QList<QStringList> emitted;
        connect(&panel, &CodeCheckPanel::membersSelected, this, [&](const QStringList &names) { emitted << names; });
        if (row < 0)
            table->clearSelection();
        else
            table->setCurrentItem(table->topLevelItem(row));
        QCOMPARE(emitted.size(), 1);
        QTEST(emitted.first(), "names");
    }

    void settings_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("emitted");
        QTest::addColumn<QString>("itemText");
        QTest::newRow("species") << "speciesBox" << 2 << "redwood 60 2000 square"
                                 << "Redwood, western cedars, ponderosa pine, red pine";
        QTest::newRow("load") << "loadBox" << 3 << "dfl 70 2000 square" << "70 psf ground snow load";
        QTest::newRow("live load") << "loadBox" << 0 << "dfl 0 2000 square" << "40 psf live load";
        QTest::newRow("soil") << "soilBox" << 2 << "dfl 60 3000 square" << "3,000 psf";
        QTest::newRow("footing") << "footingBox" << 0 << "dfl 60 2000 round" << "Round";
    }
    void settings()
    {
        QFETCH(QString, box);
        QFETCH(int, index);
        CodeCheckPanel panel;
        QStringList emitted;
        connect(&panel, &CodeCheckPanel::settingsChanged, this, [&](const CodeSettings &s) { emitted << summary(s); });
        panel.setSettings({Species::DouglasFirLarch, 60, 2000, FootingShape::Square});
        QCOMPARE(emitted, QStringList()); // shown, not changed by a person
        QCOMPARE(summary(panel.settings()), QStringLiteral("dfl 60 2000 square"));
        auto *combo = panel.findChild<QComboBox *>(box);
        combo->setCurrentIndex(index);
        QTEST(combo->currentText(), "itemText");
        QCOMPARE(emitted.size(), 1);
        QTEST(emitted.first(), "emitted");
    }

    void suggestedButton_data()
    {
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("line");
        QTest::newRow("found") << true << ""
                               << "\u2022 Joists 2x10 at 12\" on centre instead of 2x8 at 16\"\n"
                                  "250.0 board feet of framing lumber (240.0 as designed), 9 footings";
        QTest::newRow("none") << false << "No joist within the tables spans 30 ft."
                              << "No suggested framing: No joist within the tables spans 30 ft.";
    }
    void suggestedButton()
    {
        QFETCH(bool, found);
        CodeCheckPanel panel;
        auto *suggested = panel.findChild<QRadioButton *>("suggestedButton");
        auto *designed = panel.findChild<QRadioButton *>("designedButton");
        panel.setReport(report(), suggestion(true));
        QList<bool> chosen;
        connect(&panel, &CodeCheckPanel::framingChosen, this, [&](bool s) { chosen << s; });
        suggested->click();
        panel.setReport(report(), suggestion(found));
        QCOMPARE(suggested->isEnabled(), found);
        QCOMPARE(suggested->isChecked(), found);
        QCOMPARE(designed->isChecked(), !found);
        QCOMPARE(chosen, found ? QList<bool>({true}) : QList<bool>({true, false}));
        QTEST(suggested->toolTip(), "toolTip");
        QTEST(panel.findChild<QLabel *>("suggestionLabel")->text(), "line");
    }
};

QTEST_MAIN(TestCodeCheckPanel)
#include "tst_codecheckpanel.moc"
