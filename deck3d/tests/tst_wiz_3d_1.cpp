// The deck shape and size page: the ring of shapes, the size boxes' wiring
// (one case of each rule, the square rule, the focus check running before the
// click of the button that takes the focus), Next again and Next refused by a
// file that cannot be written. Every limit and message is in tst_decksizes;
// the files' bytes are in tst_road3d.
#include "resources.h"
#include "testseams.h"
#include "wiz_3d_1.h"
#include "wiz_3d_post.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// A fresh run of the wizard on the deck shape and size page, browsed to the shape.
struct ShapePage {
    explicit ShapePage(int shape = 1)
    {
        page = t.open<Wiz_3D_1>(PageId::Wiz_3D_1);
        for (int i = 1; i < shape; ++i)
            page->Command4->click();
    }
    void type(QLineEdit *into, const QString &text)
    {
        TestWizard::activate(page);
        into->setFocus(Qt::OtherFocusReason);
        into->selectAll();
        QTest::keyClick(into, Qt::Key_Delete);
        QTest::keyClicks(into, text);
    }
    QStringList texts() const { return {page->deckLength->text(), page->deckWidth->text(), page->deckHeight->text()}; }
    // The messages shown, each as "page icon: text".
    QStringList shown() const
    {
        QStringList all;
        for (const RecordedMessage &m : t.messages.shown)
            all << m.page + (m.icon == MessageBoxes::Icon::Stop ? " stop: " : " plain: ") + m.text;
        return all;
    }

    TestWizard t;
    Wiz_3D_1 *page = nullptr;
};

QString plain(const char *text) { return QStringLiteral("Wiz_3D_1 plain: ") + QLatin1String(text); }

} // namespace

class TestWiz3D1 : public QObject {
    Q_OBJECT
private slots:
    void ringOfShapes_data();
    void ringOfShapes();
    void sizeBoxes_data();
    void sizeBoxes();
    void nextAgainAndNextRefused();
};

void TestWiz3D1::ringOfShapes_data()
{
    using L = QStringList;
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<int>>("shapes");
    QTest::addColumn<QStringList>("a"); // "?": the shape left A as it was
    QTest::addColumn<QStringList>("b");
    QTest::newRow("Next Style once round") << "Command4" << QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 1}
        << L{"20", "20", "20", "20", "20", "20", "20", "?", "10"} << L{"10", "10", "10", "10", "10", "10", "10", "?", "10"};
    QTest::newRow("Previous Style once round") << "Command2" << QList<int>{9, 8, 7, 6, 5, 4, 3, 2, 1}
        << L{"20", "20", "20", "20", "20", "20", "20", "20", "10"} << L{"20", "10", "10", "10", "10", "10", "10", "10", "10"};
}

void TestWiz3D1::ringOfShapes()
{
    QFETCH(QString, button);
    QFETCH(QList<int>, shapes);
    QFETCH(QStringList, a);
    QFETCH(QStringList, b);
    ShapePage s;
    QCOMPARE(s.page->shapeNumber, qint16(1));
    QCOMPARE(s.page->Picture2->pixmap().toImage(), resources::bitmap(101).toImage());
    QCOMPARE(s.texts(), (QStringList{"20", "20", "3"}));
    s.page->deckHeight->setText(QStringLiteral("4.5"));
    for (int i = 0; i < shapes.size(); ++i) {
        if (i > 0) {
            s.page->deckLength->setText(QStringLiteral("?"));
            s.page->deckWidth->setText(QStringLiteral("?"));
        }
        s.page->findChild<QPushButton *>(button)->click();
        QCOMPARE(s.page->shapeNumber, qint16(shapes[i]));
        QCOMPARE(s.page->Picture2->pixmap().toImage(), resources::bitmap(100 + shapes[i]).toImage());
        QCOMPARE(s.texts(), (QStringList{a[i], b[i], "4.5"})); // browsing never changes the height
    }
    QVERIFY(s.t.messages.shown.empty());
}

void TestWiz3D1::sizeBoxes_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    // A step button pressed with the focus elsewhere; or, after typing the text:
    // Tab, a step button, Next, Alt+N, or another window taking the focus.
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("texts"); // A, B, height afterwards
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("after"); // the control with the focus, or the page shown
    const auto row = [](const char *name, int shape, const char *box, const char *text, const char *action,
                        const QStringList &texts, const QStringList &shown, const char *after = "") {
        QTest::newRow(name) << shape << box << text << action << texts << shown << after;
    };
    const QString aHigh = plain("The deck Width can not exceed 99 feet."), bLow = plain("The deck Length can not be less than 10 feet.");
    row("A + refused", 2, "deckLength", "99", "Command7", {"99", "10", "3"}, {plain("Deck length can not exceed 99 feet.")});
    row("A - steps", 2, "deckLength", "20", "Command8", {"19.5", "10", "3"}, {});
    row("B + steps", 2, "deckWidth", "20", "Command10", {"20", "20.5", "3"}, {});
    row("B - refused", 2, "deckWidth", "10", "Command9", {"20", "10", "3"}, {plain("Deck width can not be less than 10 feet.")});
    row("height + steps", 2, "deckHeight", "3", "Command3", {"20", "10", "3.5"}, {});
    row("height - refused", 2, "deckHeight", "1", "Command5", {"20", "10", "1"}, {plain("Deck height can not be less than 1 foot.")});
    row("square: A + copies A", 1, "deckLength", "30", "Command7", {"30.5", "30.5", "3"}, {});
    row("square: refused B - copies B", 1, "deckWidth", "10", "Command9", {"10", "10", "3"}, {plain("Deck width can not be less than 10 feet.")});
    row("square: a step on letters copies nothing", 1, "deckLength", "abc", "Command7", {"abc", "20", "3"}, {});
    row("square: height + leaves A and B", 1, "deckHeight", "3", "Command3", {"20", "20", "3.5"}, {});
    row("A left too high", 2, "deckLength", "150", "Tab", {"99", "10", "3"}, {aHigh}, "deckWidth");
    row("B left too low leaves A", 2, "deckWidth", "9", "Tab", {"20", "10", "3"}, {bLow}, "deckHeight");
    row("height left too high goes to 3 and keeps the focus", 2, "deckHeight", "7", "Tab", {"20", "10", "3"}, {plain("The deck height can not exceed 6 feet.")}, "deckHeight");
    row("height left too low keeps the focus", 2, "deckHeight", "2.5", "Tab", {"20", "10", "3"}, {plain("The deck height can not be less than 3 feet.")}, "deckHeight");
    row("height left at 6", 2, "deckHeight", "6", "Tab", {"20", "10", "6"}, {}, "Command1");
    row("another window is not leaving the box", 2, "deckHeight", "9", "Away", {"20", "10", "9"}, {}, "deckHeight");
    row("square: A left too high copies A", 1, "deckLength", "150", "Tab", {"99", "99", "3"}, {aHigh}, "deckWidth");
    row("square: B left copies B", 1, "deckWidth", "30", "Tab", {"30", "30", "3"}, {}, "deckHeight");
    row("A checked before the height + click", 2, "deckLength", "150", "typed Command3", {"99", "10", "3.5"}, {aHigh}, "Command3");
    row("A checked before the Next click", 1, "deckLength", "150", "Next", {"99", "99", "3"}, {aHigh}, "Wiz_3D_Post");
    row("B checked before Alt+N", 1, "deckWidth", "wide", "Alt+N", {"10", "10", "3"}, {bLow}, "Wiz_3D_Post");
    row("height checked before Alt+N", 1, "deckHeight", "0", "Alt+N", {"20", "20", "3"}, {plain("The deck height can not be less than 3 feet.")}, "Wiz_3D_Post");
}

void TestWiz3D1::sizeBoxes()
{
    QFETCH(int, shape);
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, action);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, shown);
    QFETCH(QString, after);
    ShapePage s(shape);
    auto *entered = s.page->findChild<QLineEdit *>(box);
    if (auto *step = s.page->findChild<QPushButton *>(action)) {
        s.page->Command11->setFocus(Qt::OtherFocusReason);
        entered->setText(text);
        QTest::mouseClick(step, Qt::LeftButton);
    } else {
        s.type(entered, text);
        if (action == u"Tab") {
            QTest::keyClick(entered, Qt::Key_Tab);
        } else if (action == u"typed Command3") {
            QTest::mouseClick(s.page->Command3, Qt::LeftButton);
        } else if (action == u"Next") {
            QTest::mouseClick(s.page->Command1, Qt::LeftButton);
        } else if (action == u"Alt+N") {
            QTest::keyClick(s.page, Qt::Key_N, Qt::AltModifier);
        } else {
            QWidget elsewhere;
            TestWizard::activate(&elsewhere);
            TestWizard::activate(s.page);
        }
    }
    QCOMPARE(s.texts(), texts);
    QCOMPARE(s.shown(), shown);
    if (after.startsWith(u"Wiz_")) {
        QTRY_COMPARE(s.t.visiblePages(), QStringList{after}); // an access key clicks a moment later
        QCOMPARE(s.t.read(QStringLiteral("Sizes.txt")), (texts[1] + "\r\n" + texts[0] + "\r\n" + texts[2] + "\r\n").toLatin1());
    } else if (!after.isEmpty()) {
        QCOMPARE(QApplication::focusWidget()->objectName(), after);
        if (auto *next = qobject_cast<QLineEdit *>(QApplication::focusWidget()); next && action == u"Tab")
            QCOMPARE(next->selectedText(), next->text()); // entering a box selects its whole text
    }
}

// Next rewrites the head of the deck's file rather than adding to it; a file
// that cannot be written keeps the user on the page with the earlier files
// whole; both shapes' files stay once the way is clear.
void TestWiz3D1::nextAgainAndNextRefused()
{
    ShapePage s(2);
    auto *post = s.t.page<Wiz_3D_Post>(PageId::Wiz_3D_Post);
    s.page->Command1->click();
    post->Command4->click();
    s.page->deckLength->setText(QStringLiteral("30"));
    s.page->Command1->click();
    const QByteArray rectangle = "30        ' Z,   ', Deck Depth\r\n10        ' X,   ', Deck Width\r\n"
                                 "3        ' Y,   ', Deck Height\r\n";
    QCOMPARE(s.t.read(QStringLiteral("Deck_Rectangle.txt")), rectangle);
    post->Command4->click();
    s.page->Command4->click();
    QVERIFY(QDir(s.t.folder.path()).mkdir(QStringLiteral("Deck_L-Shape.txt")));

    s.page->Command1->click();

    QCOMPARE(s.t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_1")});
    const QString start = QStringLiteral("Wiz_3D_1 stop: Could not write the file \"Deck_L-Shape.txt\" in the folder \"%1\": ")
                              .arg(QDir::toNativeSeparators(s.t.folder.path()));
    QCOMPARE(s.shown().size(), 1);
    QVERIFY2(s.shown().front().startsWith(start) && s.shown().front().endsWith(u'.'), qPrintable(s.shown().front()));
    QCOMPARE(s.t.read(QStringLiteral("Deck_Rectangle.txt")), rectangle);
    QCOMPARE(s.t.read(QStringLiteral("Sizes.txt")), QByteArray("10\r\n30\r\n3\r\n"));
    QVERIFY(QDir(s.t.folder.path()).rmdir(QStringLiteral("Deck_L-Shape.txt")));
    s.page->Command1->click();
    QCOMPARE(s.t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_Post")});
    QCOMPARE(s.t.read(QStringLiteral("DeckType.txt")), QByteArray(" 3 \r\n"));
    QCOMPARE(s.t.read(QStringLiteral("Deck_Rectangle.txt")), rectangle);
}

QTEST_MAIN(TestWiz3D1)
#include "tst_wiz_3d_1.moc"
