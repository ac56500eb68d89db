// The page shell on a small page of its own: focus checks and their timing
// against clicks, select-all on focus, Escape and Enter, the close button.
#include "testseams.h"
#include "wizardpage.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class CheckedPage : public WizardPage {
public:
    explicit CheckedPage(WizardContext &context) : WizardPage(context, QStringLiteral("Test"), 6780, 4020, true)
    {
        setObjectName(QStringLiteral("CheckedPage"));
        box = addTextBox(this, "box", QStringLiteral("20"), twips(600, 600, 690, 330));
        other = addTextBox(this, "other", QStringLiteral("5"), twips(600, 1600, 690, 330));
        next = addButton(this, "next", QStringLiteral("&Next >>"), twips(4440, 3600, 1125, 345));
        cancel = addButton(this, "cancel", QStringLiteral("&Cancel"), twips(120, 3600, 1125, 345));
        finish = addButton(this, "finish", QStringLiteral("&Finish"), twips(3240, 3600, 1125, 345));
        setTabOrder({box, other, next, cancel, finish});
        setCancelButton(cancel);
        selectAllOnFocus(box);
        addFocusCheck(box, [this] {
            log << QStringLiteral("check ") + box->text();
            if (box->text().toDouble() <= 99)
                return false;
            showMessage(QStringLiteral("too big"));
            box->setText(QStringLiteral("99"));
            if (keepFocus)
                refocus(box);
            return true;
        });
        connect(next, &QPushButton::clicked, this, [this] { log << QStringLiteral("next ") + box->text(); });
        connect(finish, &QPushButton::clicked, this, [this] { log << QStringLiteral("finish"); });
        connect(cancel, &QPushButton::clicked, this, [this] { endProgram(); });
    }
    void makeFinishDefault() { setDefaultButton(finish); }

    QLineEdit *box, *other;
    QPushButton *next, *cancel, *finish;
    QStringList log;
    bool keepFocus = false;
};

} // namespace

class TestPageShell : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void checkRunsWhenTabLeavesTheBox();
    void checkRunsBeforeTheClickThatTakesTheFocus_data();
    void checkRunsBeforeTheClickThatTakesTheFocus();
    void checkRunsBeforeAnAccessKey();
    void noCheckWhenTheWindowLosesActivation();
    void focusSelectsTheWholeText();
    void escapeAndEnter();
    void closeButtonEndsTheProgram();
    void cancelEndsWithoutTheCheck();

private:
    std::unique_ptr<TestWizard> t;
    std::unique_ptr<CheckedPage> page;
};

void TestPageShell::init()
{
    t = std::make_unique<TestWizard>();
    WizardContext context{t->folder.path(), &t->host, &t->messages, &t->end, &t->wizard};
    static WizardContext kept;
    kept = context;
    page = std::make_unique<CheckedPage>(kept);
    TestWizard::activate(page.get());
    page->box->setFocus(Qt::OtherFocusReason);
    QVERIFY(page->box->hasFocus());
}

void TestPageShell::cleanup()
{
    page.reset();
    t.reset();
}

void TestPageShell::checkRunsWhenTabLeavesTheBox()
{
    page->box->setText(QStringLiteral("150"));
    QTest::keyClick(page.get(), Qt::Key_Tab);
    QCOMPARE(page->log, QStringList{QStringLiteral("check 150")});
    QCOMPARE(t->messages.texts(), QStringList{QStringLiteral("too big")});
    QCOMPARE(t->messages.shown.front().icon, MessageBoxes::Icon::None);
    QCOMPARE(t->messages.shown.front().title, QStringLiteral("Plankora Joistmaster"));
    QCOMPARE(page->box->text(), QStringLiteral("99"));
    QVERIFY(page->other->hasFocus());
}

void TestPageShell::checkRunsBeforeTheClickThatTakesTheFocus_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("keepFocus");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<bool>("boxKeepsFocus");
    QTest::newRow("passes") << QStringLiteral("50") << false << QStringList{"check 50", "next 50"} << false;
    QTest::newRow("repaired") << QStringLiteral("150") << false << QStringList{"check 150", "next 99"} << false;
    QTest::newRow("repaired, focus back") << QStringLiteral("150") << true << QStringList{"check 150", "next 99"} << true;
}

void TestPageShell::checkRunsBeforeTheClickThatTakesTheFocus()
{
    QFETCH(QString, typed);
    QFETCH(bool, keepFocus);
    QFETCH(QStringList, log);
    QFETCH(bool, boxKeepsFocus);
    page->keepFocus = keepFocus;
    page->box->setText(typed);
    QTest::mouseClick(page->next, Qt::LeftButton);
    QCOMPARE(page->log, log);
    QCOMPARE(page->box->hasFocus(), boxKeepsFocus);
    QCOMPARE(page->next->hasFocus(), !boxKeepsFocus);
    // The check ran once, not again when the focus moved.
    QTest::mouseClick(page->finish, Qt::LeftButton);
    QCOMPARE(page->log.count(QStringLiteral("check ") + typed), 1);
}

void TestPageShell::checkRunsBeforeAnAccessKey()
{
    page->box->setText(QStringLiteral("150"));
    QTest::keyClick(page.get(), Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(page->log, (QStringList{"check 150", "next 99"}));
}

void TestPageShell::noCheckWhenTheWindowLosesActivation()
{
    page->box->setText(QStringLiteral("150"));
    QWidget elsewhere;
    TestWizard::activate(&elsewhere);
    QVERIFY(page->log.isEmpty());
    TestWizard::activate(page.get());
    QVERIFY(page->log.isEmpty());
    QVERIFY(page->box->hasFocus());
}

void TestPageShell::focusSelectsTheWholeText()
{
    page->other->setFocus(Qt::OtherFocusReason);
    page->box->setText(QStringLiteral("123.5"));
    QTest::keyClick(page.get(), Qt::Key_Backtab);
    QVERIFY(page->box->hasFocus());
    QCOMPARE(page->box->selectedText(), QStringLiteral("123.5"));
    QTest::keyClicks(page->box, QStringLiteral("42"));
    QCOMPARE(page->box->text(), QStringLiteral("42"));
}

void TestPageShell::escapeAndEnter()
{
    // No default button: Enter presses nothing.
    QTest::keyClick(page->box, Qt::Key_Return);
    QVERIFY(page->log.isEmpty());
    page->makeFinishDefault();
    QTest::keyClick(page->box, Qt::Key_Return);
    QCOMPARE(page->log, QStringList{QStringLiteral("finish")});
    // A focused button takes Enter itself.
    page->next->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(page->next, Qt::Key_Return);
    QCOMPARE(page->log.last(), QStringLiteral("next 20"));
    QTest::keyClick(page->next, Qt::Key_Space);
    QCOMPARE(page->log.count(QStringLiteral("next 20")), 2);
    QCOMPARE(t->end.count, 0);
    QTest::keyClick(page->box, Qt::Key_Escape);
    QCOMPARE(t->end.count, 1);
}

void TestPageShell::closeButtonEndsTheProgram()
{
    page->close();
    QCOMPARE(t->end.count, 1);
}

void TestPageShell::cancelEndsWithoutTheCheck()
{
    page->box->setText(QStringLiteral("150"));
    QTest::mouseClick(page->cancel, Qt::LeftButton);
    QCOMPARE(t->end.count, 1);
    QVERIFY(page->log.isEmpty());
    QVERIFY(t->messages.shown.empty());
}

QTEST_MAIN(TestPageShell)
#include "tst_pageshell.moc"
