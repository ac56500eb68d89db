// The focus checks of the page shell, on a small page of its own: a check
// runs when the focus leaves its box, before the click or the access key that
// takes the focus, once, and never for Cancel or a window that merely loses
// activation. Also select-all on focus and the title bar's close button.
#include "testseams.h"
#include "wizardpage.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// A box whose check refuses more than 99 and repairs it to 99.
class CheckedPage : public WizardPage {
public:
    explicit CheckedPage(WizardContext &context) : WizardPage(context, QStringLiteral("Test"), 6780, 4020, true)
    {
        setObjectName(QStringLiteral("CheckedPage"));
        box = addTextBox(this, "box", QStringLiteral("20"), twips(600, 600, 690, 330));
        other = addTextBox(this, "other", QStringLiteral("5"), twips(600, 1600, 690, 330));
        next = addButton(this, "next", QStringLiteral("&Next >>"), twips(4440, 3600, 1125, 345));
        cancel = addButton(this, "cancel", QStringLiteral("&Cancel"), twips(120, 3600, 1125, 345));
        setTabOrder({box, other, next, cancel});
        setCancelButton(cancel);
        selectAllOnFocus(box);
        addFocusCheck(box, [this] {
            log << "check " + box->text();
            if (box->text().toDouble() <= 99)
                return false;
            showMessage(QStringLiteral("too big"));
            box->setText(QStringLiteral("99"));
            if (keepFocus)
                refocus(box);
            return true;
        });
        connect(next, &QPushButton::clicked, this, [this] { log << "next " + box->text(); });
        connect(cancel, &QPushButton::clicked, this, [this] { endProgram(); });
    }
    QLineEdit *box, *other;
    QPushButton *next, *cancel;
    QStringList log;
    bool keepFocus = false;
};

struct Fixture {
    TestWizard t;
    WizardContext context{t.folder.path(), &t.host, &t.messages, &t.end, &t.wizard};
    CheckedPage page{context};
    Fixture()
    {
        TestWizard::activate(&page);
        page.box->setFocus(Qt::OtherFocusReason);
    }
};

} // namespace

class TestPageShell : public QObject {
    Q_OBJECT
private slots:
    void checkTiming_data();
    void checkTiming();
    void noCheckWhenTheWindowLosesActivation();
    void focusSelectsTheWholeText();
    void closeButtonEndsTheProgram();
};

void TestPageShell::checkTiming_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("keepFocus");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("ends");
    QTest::newRow("Tab, passes") << "50" << "Tab" << false << QStringList{"check 50"} << "other" << 0;
    QTest::newRow("Tab, repaired") << "150" << "Tab" << false << QStringList{"check 150"} << "other" << 0;
    QTest::newRow("click, passes") << "50" << "click" << false << QStringList{"check 50", "next 50"} << "next" << 0;
    QTest::newRow("click, repaired first")
        << "150" << "click" << false << QStringList{"check 150", "next 99"} << "next" << 0;
    QTest::newRow("click, focus kept") << "150" << "click" << true << QStringList{"check 150", "next 99"} << "box" << 0;
    QTest::newRow("access key") << "150" << "Alt+N" << false << QStringList{"check 150", "next 99"} << "next" << 0;
    // A focused button takes Enter itself.
    QTest::newRow("Enter on Next") << "50" << "Enter on next" << false << QStringList{"check 50", "next 50"} << "next"
                                   << 0;
    QTest::newRow("Cancel, no check") << "150" << "cancel" << false << QStringList{} << "box" << 1;
    QTest::newRow("Escape, no check") << "150" << "Escape" << false << QStringList{} << "box" << 1;
}

// The check runs once, before the click; a second click runs no second check.
void TestPageShell::checkTiming()
{
    QFETCH(QString, typed);
    QFETCH(QString, action);
    QFETCH(bool, keepFocus);
    QFETCH(QStringList, log);
    QFETCH(QString, focus);
    QFETCH(int, ends);
    Fixture f;
    f.page.keepFocus = keepFocus;
    f.page.box->setText(typed);
    if (action == u"Tab")
        QTest::keyClick(&f.page, Qt::Key_Tab);
    else if (action == u"click")
        QTest::mouseClick(f.page.next, Qt::LeftButton);
    else if (action == u"Alt+N")
        QTest::keyClick(&f.page, Qt::Key_N, Qt::AltModifier);
    else if (action == u"Enter on next") {
        f.page.next->setFocus(Qt::TabFocusReason);
        QTest::keyClick(f.page.next, Qt::Key_Return);
    } else if (action == u"cancel")
        QTest::mouseClick(f.page.cancel, Qt::LeftButton);
    else
        QTest::keyClick(f.page.box, Qt::Key_Escape);
    QTRY_COMPARE(f.page.log, log);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(f.t.messages.lines(),
             log.value(0) == u"check 150" ? QStringList{"CheckedPage plain Plankora Joistmaster: too big"}
                                          : QStringList{});
    QCOMPARE(f.t.end.count, ends);
    if (action == u"click") {
        QTest::mouseClick(f.page.next, Qt::LeftButton);
        QCOMPARE(f.page.log.count("check " + typed), 1);
    }
}

void TestPageShell::noCheckWhenTheWindowLosesActivation()
{
    Fixture f;
    f.page.box->setText(QStringLiteral("150"));
    QWidget elsewhere;
    TestWizard::activate(&elsewhere);
    TestWizard::activate(&f.page);
    QCOMPARE(f.page.log, QStringList());
    QVERIFY(f.page.box->hasFocus());
}

// Tab back into the box selects all of it, so typing replaces it.
void TestPageShell::focusSelectsTheWholeText()
{
    Fixture f;
    f.page.other->setFocus(Qt::OtherFocusReason);
    f.page.box->setText(QStringLiteral("123.5"));
    QTest::keyClick(&f.page, Qt::Key_Backtab);
    QCOMPARE(f.page.box->selectedText(), QStringLiteral("123.5"));
    QTest::keyClicks(f.page.box, QStringLiteral("42"));
    QCOMPARE(f.page.box->text(), QStringLiteral("42"));
}

void TestPageShell::closeButtonEndsTheProgram()
{
    Fixture f;
    f.page.close();
    QCOMPARE(f.t.end.count, 1);
}

QTEST_MAIN(TestPageShell)
#include "tst_pageshell.moc"
