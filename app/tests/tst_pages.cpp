// All six pages against their hand-written layout listings, and the rules every
// page keeps: Enter, Escape, Cancel and Back.
//
// A listing (data/layouts/<page>.txt) gives the window and then, front to back,
// each control: name, kind, container, twips (12 to the pixel; a line's two
// ends), tab position, flags and caption. Each control is described as one line
// from the widget and one from its row, and the two compared; then the stacking,
// the tab order and the accessible names.
#include "testseams.h"
#include "datatable.h"
#include "testclasses.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cmath>
#include <map>

namespace {

struct Row {
    QString name, kind, container, caption;
    QRect twips;
    int tab;
    QStringList flags;
};

int px(int twips) { return int(std::lround(twips / 12.0)); }
bool isPicture(const QString &kind) { return kind == u"image" || kind == u"picturebox"; }
bool windowed(const QString &kind) { return kind != u"label" && kind != u"image" && kind != u"line"; }
QString geometry(QRect g) { return QStringLiteral("%1,%2 %3x%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()); }

QString kindOf(QWidget *w)
{
    if (auto *c = qobject_cast<QComboBox *>(w))
        return c->isEditable() ? "combobox" : "list";
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->frameWidth() == 2 ? "picturebox" : l->pixmap().isNull() ? "label" : "image";
    if (auto *f = qobject_cast<QFrame *>(w); f && f->frameShape() == QFrame::HLine)
        return "line";
    return qobject_cast<QGroupBox *>(w)      ? "frame"
           : qobject_cast<QPushButton *>(w)  ? "button"
           : qobject_cast<QLineEdit *>(w)    ? "textbox"
           : qobject_cast<QRadioButton *>(w) ? "option"
                                             : w->metaObject()->className();
}

// A button's, label's, option's or frame's caption, a box's text, a combo box's entries "a|b".
QString captionOf(QWidget *w)
{
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        QStringList items;
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        return items.join(u'|');
    }
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->pixmap().isNull() ? l->text() : QString();
    return qobject_cast<QAbstractButton *>(w) ? static_cast<QAbstractButton *>(w)->text()
           : qobject_cast<QGroupBox *>(w)     ? static_cast<QGroupBox *>(w)->title()
           : qobject_cast<QLineEdit *>(w)     ? static_cast<QLineEdit *>(w)->text()
                                              : QString();
}

QString describe(QWidget *w, QWidget *page)
{
    const QString kind = kindOf(w);
    QStringList facts{w->objectName(), kind, w->parentWidget() == page ? "page" : w->parentWidget()->objectName(),
                      geometry(w->geometry()), '"' + captionOf(w) + '"'};
    if (w->font().bold())
        facts << "bold";
    if (auto *o = qobject_cast<QRadioButton *>(w); o && o->isChecked())
        facts << "selected";
    const auto *e = qobject_cast<QLineEdit *>(w);
    const auto *l = qobject_cast<QLabel *>(w);
    if ((e && (e->alignment() & Qt::AlignHCenter)) || (l && l->pixmap().isNull() && (l->alignment() & Qt::AlignHCenter)))
        facts << "centred";
    if (l && !l->pixmap().isNull())
        facts << (l->pixmap().size() + 2 * QSize(l->frameWidth(), l->frameWidth()) == w->size() ? "fits" : "misfits");
    if ((!windowed(kind) || kind == u"frame" || kind == u"picturebox") && (w->focusPolicy() & Qt::TabFocus))
        facts << "takes the focus";
    return facts.join(u' ');
}

QString describe(const Row &row, QWidget *w)
{
    QRect g(px(row.twips.x()), px(row.twips.y()), px(row.twips.width()), px(row.twips.height()));
    if (row.kind == u"line") // two pixels wide, centred on the line's height
        g = QRect(g.x(), g.y() - 1, g.width() - g.x(), 2);
    if (row.flags.contains(u"runtime")) // a picture box that takes its bitmap's size plus the border
        g.setSize(static_cast<QLabel *>(w)->pixmap().size() + QSize(4, 4));
    QStringList facts{row.name, row.kind, row.container, geometry(g),
                      '"' + (isPicture(row.kind) ? QString() : row.caption) + '"'};
    for (const char *flag : {"bold", "selected", "centred"})
        if (row.flags.contains(flag))
            facts << flag;
    if (isPicture(row.kind))
        facts << "fits";
    return facts.join(u' ');
}

void checkLayout(QWidget *page, const QString &name)
{
    std::vector<Row> rows;
    std::map<QString, QWidget *> found;
    for (const QStringList &f : dataColumns(JM_TESTDATA "/layouts/" + name + ".txt")) {
        const QString caption = f.last();
        if (f[0] == u"window") {
            QCOMPARE(page->objectName(), f[1]);
            QCOMPARE(page->windowTitle(), caption);
            QCOMPARE(page->size(), QSize(px(f[2].toInt()), px(f[3].toInt())));
            QCOMPARE(page->minimumSize(), page->maximumSize());
            QCOMPARE(!page->windowIcon().isNull(), f[4] == u"icon");
            continue;
        }
        const Row row{f[0], f[1], f[2], caption, QRect(f[3].toInt(), f[4].toInt(), f[5].toInt(), f[6].toInt()),
                      f[7] == u"-" ? -1 : f[7].toInt(), f[8].split(u',')};
        const auto matches = page->findChildren<QWidget *>(row.name);
        QVERIFY2(matches.size() == 1, qPrintable(row.name));
        QWidget *w = found[row.name] = matches.first();
        QCOMPARE(describe(w, page), describe(row, w));
        const QColor colour = w->palette().color(QPalette::WindowText);
        QVERIFY2(!row.flags.contains(u"blue") || colour == QColor(0, 0, 255), qPrintable(row.name));
        QVERIFY2(!row.flags.contains(u"black") || colour == QColor(0, 0, 0), qPrintable(row.name));
        // A run-time picture box is white behind its bitmap.
        QVERIFY2(!row.flags.contains(u"runtime")
                     || (w->autoFillBackground() && w->palette().color(w->backgroundRole()) == QColor(255, 255, 255)),
                 qPrintable(row.name));
        // Every caption fits its control; an option's circle takes 20 pixels, a button's border 4.
        const int room = w->width() - (row.kind == u"option" ? 20 : row.kind == u"button" ? 4 : 0);
        if (row.kind == u"button" || row.kind == u"label" || row.kind == u"option")
            QVERIFY2(w->fontMetrics().horizontalAdvance(QString(captionOf(w)).remove(u'&')) <= room,
                     qPrintable(row.name));
        rows.push_back(row);
    }
    QVERIFY2(!rows.empty(), qPrintable(name));

    // Stacking: of two windowed controls in one container, the earlier row lies
    // in front; labels lie beneath every windowed control of their container.
    const auto stack = [](QWidget *w) { return w->parentWidget()->children().indexOf(w); };
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < rows.size(); ++j) {
            const Row &a = rows[i], &b = rows[j];
            QWidget *wa = found[a.name], *wb = found[b.name];
            if (wa->parentWidget() == wb->parentWidget() && windowed(a.kind)
                && ((i < j && windowed(b.kind)) || b.kind == u"label"))
                QVERIFY2(stack(wa) > stack(wb), qPrintable(a.name + " in front of " + b.name));
        }

    // Tab order: the controls that take the focus come in the order of their
    // tab positions, each with an accessible name.
    std::map<int, QString> tabbed;
    for (const Row &row : rows)
        if (found[row.name]->focusPolicy() & Qt::TabFocus)
            tabbed[row.tab] = row.name;
    QStringList expected, chain;
    for (const auto &[tab, control] : tabbed) {
        expected << control;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(found[control]);
        QVERIFY2(accessible && !accessible->text(QAccessible::Name).isEmpty(), qPrintable(control));
    }
    QWidget *w = found[expected.value(0)];
    do {
        if (expected.contains(w->objectName()) && !chain.contains(w->objectName()))
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w && w != found[expected.value(0)]);
    QCOMPARE(chain, expected);
}

// Which buttons of the page are clicked, by name.
struct Clicks {
    QStringList names;
    explicit Clicks(QWidget *page)
    {
        for (QPushButton *button : page->findChildren<QPushButton *>())
            QObject::connect(button, &QPushButton::clicked, page, [this, button] { names << button->objectName(); });
    }
};

} // namespace

class TestPages : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data();
    void layoutMatchesTheListing();
    void keys_data();
    void keys();
};

// The rows of data/pages.txt, as the columns id, name, defaultButton, cancel, back and before.
void TestPages::initTestCase_data()
{
    QTest::addColumn<int>("id");
    for (const char *column : {"name", "defaultButton", "cancel", "back", "before"})
        QTest::addColumn<QString>(column);
    int id = 0;
    for (const QStringList &row : dataTable(JM_TESTDATA "/pages.txt"))
        QTest::newRow(qPrintable(row[0])) << id++ << row[0] << row[1] << row[2] << row[3] << row[4];
}

void TestPages::layoutMatchesTheListing()
{
    QFETCH_GLOBAL(int, id);
    QFETCH_GLOBAL(QString, name);
    TestWizard t;
    auto *page = t.open<WizardPage>(PageId(id));
    checkLayout(page, name);
    // A screen reader announces the window as a dialog, by its caption.
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(page);
    QCOMPARE(window->role(), QAccessible::Dialog);
    QCOMPARE(window->text(QAccessible::Name), page->windowTitle());
}

void TestPages::keys_data()
{
    QTest::addColumn<QString>("action"); // a key, or a click on the cancel or the Back button
    for (const char *action : {"Enter", "Escape", "Cancel", "Back"})
        QTest::newRow(action) << action;
}

// With the focus on no button. Cancel and Escape end the program without a
// word, a file or a host call; Back shows the page before without a word.
void TestPages::keys()
{
    QFETCH_GLOBAL(int, id);
    QFETCH_GLOBAL(QString, defaultButton);
    QFETCH_GLOBAL(QString, cancel);
    QFETCH_GLOBAL(QString, back);
    QFETCH_GLOBAL(QString, before);
    QFETCH(QString, action);
    if (action == u"Back" && back.isEmpty())
        QSKIP("the start page has no Back");
    TestWizard t;
    auto *page = t.open<WizardPage>(PageId(id));
    const QStringList startUp = t.journal();
    const QStringList files = QDir(t.folder.path()).entryList(QDir::Files);
    page->setFocus(Qt::OtherFocusReason);
    Clicks clicks(page);
    if (action == u"Enter" || action == u"Escape")
        QTest::keyClick(page, action == u"Enter" ? Qt::Key_Return : Qt::Key_Escape);
    else
        QTest::mouseClick(page->findChild<QPushButton *>(action == u"Back" ? back : cancel), Qt::LeftButton);
    const bool enter = action == u"Enter";
    QCOMPARE(clicks.names.join(u' '), enter ? defaultButton : action == u"Back" ? back : cancel);
    // Enter on the 2D page finishes, which ends the program.
    QCOMPARE(t.end.count, int(action != u"Back" && (!enter || PageId(id) == PageId::Wiz_2D_1)));
    if (action == u"Back")
        QCOMPARE(t.visiblePages(), QStringList{before});
    if (!enter)
        QCOMPARE(t.messages.lines(), QStringList());
    if (!enter && action != u"Back") { // the start page, made here by Back, greets the host
        QCOMPARE(t.journal(), startUp);
        QCOMPARE(QDir(t.folder.path()).entryList(QDir::Files), files);
    }
}

JM_TEST_CLASS(TestPages)
JM_TEST_MAIN(QApplication)
#include "tst_pages.moc"
