// The focus checks of the page shell, on a small page of its own: a check
// runs when the focus leaves its box, before the click or the access key that
// takes the focus, once, and never for Cancel or a window that merely loses
// activation; the title bar's close button. (Tab into a box selecting its
// text is checked on the 2D page, the first focus on both roads.)
#include "testseams.h"
#include "datatable.h"
#include "wizardpage.h"

#include <QFont>
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
    void checkTiming();
    void font();
};

// The pages' font: "MS Sans Serif" at 13 pixels, else the sans-serifs of its widths.
void TestPageShell::font()
{
    const QFont f = pageFont();
    QCOMPARE(f.families(), (QStringList{"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Liberation Sans"}));
    QCOMPARE(f.pixelSize(), 13);
    QCOMPARE(f.weight(), QFont::Normal);
}

// The rows are in data/focus-checks.txt. The check runs once, before the click;
// a second click runs no second check.
void TestPageShell::checkTiming()
{
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/focus-checks.txt");
    QCOMPARE(rows.size(), 11);
    for (const QStringList &row : rows) {
        const QString typed = row[1], action = row[2];
        Fixture f;
        f.page.keepFocus = row[3] == u"yes";
        f.page.box->setText(typed);
        QLineEdit elsewhere; // another window that takes the focus
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
        else if (action == u"Escape")
            QTest::keyClick(f.page.box, Qt::Key_Escape);
        else if (action == u"close")
            f.page.close();
        else {
            TestWizard::activate(&elsewhere);
            TestWizard::activate(&f.page);
        }
        const QStringList log = row.mid(6);
        QTRY_COMPARE(row[0] + ": " + f.page.log.join(u", "), row[0] + ": " + log.join(u", "));
        QCOMPARE(QApplication::focusWidget()->objectName(), row[4]);
        QCOMPARE(f.t.messages.lines(),
                 log.value(0) == u"check 150" ? QStringList{"CheckedPage plain Plankora Joistmaster: too big"}
                                              : QStringList{});
        QCOMPARE(f.t.end.count, int(row[5] == u"yes"));
        if (action == u"click") {
            QTest::mouseClick(f.page.next, Qt::LeftButton);
            QCOMPARE(f.page.log.count("check " + typed), 1);
        }
    }
}

QTEST_MAIN(TestPageShell)
#include "tst_pageshell.moc"
