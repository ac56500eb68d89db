// The 2D finish over the real session-bus link against the real deckhost on a
// private bus: the file, the calls the host receives and on which objects, and
// the error box and the end when there is no host or a member fails.
#include "dbusconnector.h"
#include "deckhostprocess.h"
#include "testseams.h"
#include "wiz_2d_1.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QLineEdit>
#include <QTest>

namespace {

const QString DeckSize = QStringLiteral("DeckSize.txt");

const QStringList Finish19{
    "get /Application ActiveProvider",
    "get /Application ActiveTarget",
    "put /Application/ActiveTarget Mode2D True",
    "get /Application/Provider Target",
    "get /Application/Provider/Target SymbolLoader",
    "call /Application/Provider/Target/Loader LoadSymbol \"*\\Program Data\\2D Decks\\Deck 19.dc\", False, True, True",
    "call /Application/Provider/Target OpenSymbolFile \"*\\Program Data\\2D Decks\\2ddecks.bsx\"",
};

// A wizard over a fresh program folder that talks to whatever owns the host's
// name on this bus.
struct BusWizard {
    QTemporaryDir folder;
    std::unique_ptr<host::Connector> connector = host::makeDBusConnector(3000);
    RecordingMessages messages;
    RecordingEnd end;
    Wizard wizard{folder.path(), connector.get(), &messages, &end};

    QString path(const QString &name) const { return QDir(folder.path()).filePath(name); }
    QByteArray read(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Style 19 (one step back from the first), width 24.5, Finish.
    Wiz_2D_1 *finishStyle19()
    {
        wizard.move(nullptr, PageId::Wiz_2D_1);
        auto *page = qobject_cast<Wiz_2D_1 *>(wizard.existingPage(PageId::Wiz_2D_1));
        QTest::mouseClick(page->Command6, Qt::LeftButton);
        page->Text1->setText(QStringLiteral("24.5"));
        QTest::mouseClick(page->Command3, Qt::LeftButton);
        return page;
    }
};

} // namespace

class TestFinish2DBus : public QObject {
    Q_OBJECT
private slots:
    void style19HandsItsSymbolToTheHost();
    void noHostLeavesTheOldFile();
    void failingMember_data();
    void failingMember();
    void benchmarkFinish();
};

void TestFinish2DBus::style19HandsItsSymbolToTheHost()
{
    DeckHostProcess deckhost;
    QVERIFY(deckhost.start());
    BusWizard w;
    w.write(DeckSize, "an older, longer width\r\n");

    auto *page = w.finishStyle19();

    QCOMPARE(page->styleNumber, qint16(19));
    QCOMPARE(w.read(DeckSize), QByteArray("24.5\r\n"));
    QCOMPARE(deckhost.calls(), Finish19);
    QVERIFY(w.messages.shown.empty());
    QCOMPARE(w.end.count, 1);
    QVERIFY(!page->isVisible());
}

void TestFinish2DBus::noHostLeavesTheOldFile()
{
    BusWizard w;
    w.write(DeckSize, "old\r\n");

    auto *page = w.finishStyle19();

    QCOMPARE(w.messages.shown.size(), std::size_t(1));
    const RecordedMessage &shown = w.messages.shown.front();
    QCOMPARE(shown.icon, MessageBoxes::Icon::Stop);
    QCOMPARE(shown.title, QStringLiteral("Plankora Joistmaster"));
    QVERIFY2(shown.text.startsWith(QLatin1String("No host application is running")), qPrintable(shown.text));
    QVERIFY2(shown.text.endsWith(QLatin1String("\n\nError number: 0x800401E3")), qPrintable(shown.text));
    QCOMPARE(w.end.count, 1);
    QVERIFY(page->isVisible());
    QCOMPARE(w.read(DeckSize), QByteArray("old\r\n"));
    QCOMPARE(QDir(w.folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{DeckSize});
}

void TestFinish2DBus::failingMember_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<int>("calls"); // calls the host receives, the failing one included
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("object"); // the object that failed, as the error box names it
    QTest::newRow("ActiveProvider") << "ActiveProvider" << 1 << false << "/Application";
    QTest::newRow("ActiveTarget") << "ActiveTarget" << 2 << false << "/Application";
    QTest::newRow("Mode2D") << "Mode2D" << 3 << false << "/Application/ActiveTarget";
    QTest::newRow("Target") << "Target" << 4 << true << "/Application/Provider";
    QTest::newRow("SymbolLoader") << "SymbolLoader" << 5 << true << "/Application/Provider/Target";
    QTest::newRow("LoadSymbol") << "LoadSymbol" << 6 << true << "/Application/Provider/Target/Loader";
    QTest::newRow("OpenSymbolFile") << "OpenSymbolFile" << 7 << true << "/Application/Provider/Target";
}

void TestFinish2DBus::failingMember()
{
    QFETCH(QString, member);
    QFETCH(int, calls);
    QFETCH(bool, written);
    QFETCH(QString, object);
    DeckHostProcess deckhost({QStringLiteral("--fail"), member});
    QVERIFY(deckhost.start());
    BusWizard w;
    w.write(DeckSize, "old\r\n");

    w.finishStyle19();

    QCOMPARE(deckhost.calls(), Finish19.mid(0, calls));
    QCOMPARE(w.messages.shown.size(), std::size_t(1));
    const RecordedMessage &shown = w.messages.shown.front();
    QCOMPARE(shown.icon, MessageBoxes::Icon::Stop);
    QCOMPARE(shown.title, QStringLiteral("Plankora Joistmaster"));
    QVERIFY2(shown.text.contains(QStringLiteral("\"%1\" of %2: ").arg(member, object)), qPrintable(shown.text));
    QVERIFY2(shown.text.endsWith(QLatin1String("\n\nError number: 0x80020009")), qPrintable(shown.text));
    QCOMPARE(w.end.count, 1);
    QCOMPARE(w.read(DeckSize), written ? QByteArray("24.5\r\n") : QByteArray("old\r\n"));
}

// The whole finish as the user waits for it: checks, seven calls over the bus
// and the file, on a wizard already open at the 2D page.
void TestFinish2DBus::benchmarkFinish()
{
    DeckHostProcess deckhost;
    QVERIFY(deckhost.start());
    BusWizard w;
    w.wizard.move(nullptr, PageId::Wiz_2D_1);
    auto *page = qobject_cast<Wiz_2D_1 *>(w.wizard.existingPage(PageId::Wiz_2D_1));
    page->Text1->setText(QStringLiteral("24.5"));
    QBENCHMARK {
        page->show();
        QTest::mouseClick(page->Command3, Qt::LeftButton);
    }
    QVERIFY(w.messages.shown.empty());
    QCOMPARE(w.read(DeckSize), QByteArray("24.5\r\n"));
}

QTEST_MAIN(TestFinish2DBus)
#include "tst_finish2d_bus.moc"
