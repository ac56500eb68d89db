// The 3D finish over the real session-bus link against the substitute host
// deckhost on a private bus: the calls that arrive, on which objects and in
// which order, for a deck of each symbol family; and the error box and the end
// of the program when there is no host or a member fails.
#include "dbusconnector.h"
#include "deckhostprocess.h"
#include "deckparameters.h"
#include "golden.h"
#include "shading.h"
#include "testseams.h"
#include "wiz_3d_2.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace {

const QByteArray Head = "16        ' Z,   ', Deck Depth\r\n"
                        "12        ' X,   ', Deck Width\r\n"
                        "3        ' Y,   ', Deck Height\r\n";

QStringList handOff(int deckType)
{
    return {"get /Application ActiveProvider",
            "get /Application ActiveTarget",
            "call /Application Prepare",
            "put /Application/ActiveTarget Mode2D False",
            "get /Application/Provider Target",
            "call /Application/Provider/Target OpenSymbolFile \"" + deckparameters::symbolPath(deckType) + "\""};
}

// The wizard over the bus link, with the program folder as the shape and
// size hand-off leaves it and the viewing options page shown.
struct BusRoad {
    QTemporaryDir folder;
    RecordingMessages messages;
    RecordingEnd end;
    std::unique_ptr<host::Connector> connector = host::makeDBusConnector(2000);
    Wizard wizard{folder.path(), connector.get(), &messages, &end};
    QString file;
    Shading *shading = nullptr;

    explicit BusRoad(int deckType)
    {
        file = folder.filePath(deckparameters::parameterFile(deckType));
        write(folder.filePath(QStringLiteral("DeckType.txt")), " " + QByteArray::number(deckType) + " \r\n");
        write(folder.filePath(QStringLiteral("Sizes.txt")), "12\r\n16\r\n3\r\n");
        write(file, Head);
        wizard.page(PageId::Wiz_3D_Post);
        auto *sizes = qobject_cast<Wiz_3D_2 *>(wizard.page(PageId::Wiz_3D_2));
        sizes->BeamSize->setEditText(QStringLiteral("2 X 8"));
        sizes->JoistSize->setEditText(QStringLiteral("2 X 6"));
        wizard.move(nullptr, PageId::Shading);
        shading = qobject_cast<Shading *>(wizard.existingPage(PageId::Shading));
    }

    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    QByteArray written() const
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<missing>");
    }

    // The worked example's file with this deck type's code line.
    QByteArray complete(int deckType) const
    {
        return golden::withLines(golden::read(QStringLiteral("Deck_Rectangle-worked-example.txt")),
                                 {{19, deckparameters::framingLines({deckType}).at(19 - 4).toLatin1()}});
    }
};

} // namespace

class TestFinish3DBus : public QObject {
    Q_OBJECT
private slots:
    void eachFamilyReachesTheHost_data();
    void eachFamilyReachesTheHost();
    void noHost();
    void aFailingMember_data();
    void aFailingMember();
};

void TestFinish3DBus::eachFamilyReachesTheHost_data()
{
    QTest::addColumn<int>("deckType");
    QTest::newRow("rectangle (2)") << 2;
    QTest::newRow("L-shape (5)") << 5;
    QTest::newRow("both corners cut (7)") << 7;
    QTest::newRow("one corner cut (9)") << 9;
}

void TestFinish3DBus::eachFamilyReachesTheHost()
{
    QFETCH(int, deckType);
    DeckHostProcess deckhost;
    QVERIFY(deckhost.start());
    BusRoad road(deckType);

    road.shading->Command1->click();

    QCOMPARE(deckhost.calls(), handOff(deckType));
    COMPARE_BYTES(road.written(), road.complete(deckType));
    QVERIFY(road.messages.shown.empty());
    QCOMPARE(road.end.count, 1);
    QVERIFY(!road.shading->isVisible());
}

void TestFinish3DBus::noHost()
{
    BusRoad road(3);

    road.shading->Command1->click();

    QCOMPARE(road.messages.shown.size(), std::size_t(1));
    const RecordedMessage &message = road.messages.shown.front();
    QCOMPARE(message.icon, MessageBoxes::Icon::Stop);
    QCOMPARE(message.title, QStringLiteral("Plankora Joistmaster"));
    QVERIFY2(message.text.contains(u"No host application is running"), qPrintable(message.text));
    QVERIFY2(message.text.endsWith(u"\n\nError number: 0x800401E3"), qPrintable(message.text));
    QCOMPARE(road.end.count, 1);
    COMPARE_BYTES(road.written(), road.complete(3));
    QVERIFY(!road.shading->isVisible());
}

void TestFinish3DBus::aFailingMember_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<int>("callsArrived");
    QTest::newRow("ActiveProvider") << "ActiveProvider" << 1;
    QTest::newRow("ActiveTarget") << "ActiveTarget" << 2;
    QTest::newRow("Prepare") << "Prepare" << 3;
    QTest::newRow("Mode2D") << "Mode2D" << 4;
    QTest::newRow("Target") << "Target" << 5;
    QTest::newRow("OpenSymbolFile") << "OpenSymbolFile" << 6;
}

void TestFinish3DBus::aFailingMember()
{
    QFETCH(QString, member);
    QFETCH(int, callsArrived);
    DeckHostProcess deckhost({QStringLiteral("--fail"), member});
    QVERIFY(deckhost.start());
    BusRoad road(8);

    road.shading->Command1->click();

    QCOMPARE(deckhost.calls(), handOff(8).mid(0, callsArrived));
    QCOMPARE(road.messages.shown.size(), std::size_t(1));
    const RecordedMessage &message = road.messages.shown.front();
    QCOMPARE(message.icon, MessageBoxes::Icon::Stop);
    QVERIFY2(message.text.contains(QStringLiteral("(--fail %1)").arg(member)), qPrintable(message.text));
    QVERIFY2(message.text.endsWith(u"\n\nError number: 0x80020009"), qPrintable(message.text));
    QCOMPARE(road.end.count, 1);
    COMPARE_BYTES(road.written(), road.complete(8));
    QVERIFY(!road.shading->isVisible());
}

QTEST_MAIN(TestFinish3DBus)
#include "tst_finish3d_bus.moc"
