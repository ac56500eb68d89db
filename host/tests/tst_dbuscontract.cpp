// plankora.xml as the one statement of the bus contract: what it says, that
// every name the wizard sends is in it, and how the link words its errors and
// reads the host's values. No bus needed.
#include "busmembers.h"
#include "contract.h"
#include "dbuslink.h"

#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QTest>

using namespace host::dbus;

namespace {
QStringList summary(const QList<contract::Interface> &interfaces)
{
    QStringList lines;
    for (const contract::Interface &interface : interfaces)
        for (const contract::Member &member : interface.members)
            lines << (member.kind == contract::Member::Property
                          ? QStringLiteral("%1 property %2 %3 %4%5")
                                .arg(interface.name, member.name, member.type, member.readable ? "r" : "",
                                     member.writable ? "w" : "")
                          : QStringLiteral("%1 method %2 (%3) -> (%4)")
                                .arg(interface.name, member.name, member.inSignature(), member.outSignature()));
    return lines;
}

QString shown(const host::Value &value)
{
    return std::visit(
        [](const auto &v) -> QString {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return QStringLiteral("empty");
            else if constexpr (std::is_same_v<T, std::string>)
                return QStringLiteral("string %1").arg(QString::fromStdString(v));
            else if constexpr (std::is_same_v<T, bool>)
                return QStringLiteral("bool %1").arg(v);
            else if constexpr (std::is_same_v<T, double>)
                return QStringLiteral("double %1").arg(v);
            else
                return QStringLiteral("int %1").arg(v);
        },
        value);
}
} // namespace

class TestDBusContract : public QObject {
    Q_OBJECT
private slots:
    void theXmlSaysExactlyThis();
    void everyMemberTheWizardUsesIsInTheXml_data();
    void everyMemberTheWizardUsesIsInTheXml();
    void brokenXmlIsReported();
    void callFailuresAreSorted_data();
    void callFailuresAreSorted();
    void noBusIsNoHost();
    void repliesBecomeValues_data();
    void repliesBecomeValues();
};

void TestDBusContract::theXmlSaysExactlyThis()
{
    QCOMPARE(summary(contract::plankora()),
             (QStringList{"Plankora.HostApplication property ActiveTarget o r",
                          "Plankora.HostApplication property ActiveProvider o r",
                          "Plankora.HostApplication method Prepare () -> ()",
                          "Plankora.TargetProvider property Target o r",
                          "Plankora.SymbolTarget property Mode2D b rw",
                          "Plankora.SymbolTarget method OpenSymbolFile (s) -> (v)",
                          "Plankora.SymbolTarget property SymbolLoader o r",
                          "Plankora.SymbolLoader method LoadSymbol (sbbb) -> (v)"}));
    // What the host serves reads back as the same contract.
    QString served;
    for (const contract::Interface &interface : contract::plankora())
        served += interface.introspection();
    QCOMPARE(summary(contract::parse("<node>" + served.toUtf8() + "</node>")), summary(contract::plankora()));
}

void TestDBusContract::everyMemberTheWizardUsesIsInTheXml_data()
{
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < busmembers::allMembers.size(); ++i)
        QTest::newRow(busmembers::allMembers[i].name) << int(i);
}

void TestDBusContract::everyMemberTheWizardUsesIsInTheXml()
{
    QFETCH(int, index);
    const busmembers::Member &used = busmembers::allMembers[std::size_t(index)];
    const contract::Interface *interface = contract::findInterface(QLatin1String(used.interface));
    QVERIFY(interface);
    const bool property = used.kind != busmembers::Member::Call;
    const contract::Member *member =
        interface->find(QLatin1String(used.name), property ? contract::Member::Property : contract::Member::Method);
    QVERIFY(member);
    switch (used.kind) {
    case busmembers::Member::Get:
        QVERIFY(member->readable);
        QCOMPARE(member->type, QLatin1String(used.expects));
        break;
    case busmembers::Member::Put:
        QVERIFY(member->writable);
        QCOMPARE(member->type, QLatin1String(used.sends));
        break;
    case busmembers::Member::Call:
        QCOMPARE(member->inSignature(), QLatin1String(used.sends));
        QCOMPARE(member->outSignature(), QLatin1String(used.expects));
        break;
    }
}

void TestDBusContract::brokenXmlIsReported()
{
    QString error;
    QVERIFY(contract::parse("<node><interface name=\"A\"></node>", &error).isEmpty());
    QVERIFY(error.startsWith(u"line 1: "));
}

void TestDBusContract::callFailuresAreSorted_data()
{
    QTest::addColumn<QString>("errorName");
    QTest::addColumn<qint64>("number");
    QTest::addColumn<QString>("description");
    const QString what = QStringLiteral("the method \"Prepare\" of /Application");
    QTest::newRow("no reply in time")
        << "org.freedesktop.DBus.Error.NoReply" << qint64(host::errors::Timeout)
        << "The host application did not answer " + what
               + " within 250 ms. It may be busy or hung; wait until it responds, then try again.";
    QTest::newRow("timed out") << "org.freedesktop.DBus.Error.Timeout" << qint64(host::errors::Timeout)
                               << "The host application did not answer " + what
                                      + " within 250 ms. It may be busy or hung; wait until it responds, then try "
                                        "again.";
    QTest::newRow("host gone") << "org.freedesktop.DBus.Error.ServiceUnknown" << qint64(host::errors::Transport)
                               << "The connection to the host application was lost during " + what
                                      + ": The host said this. Make sure the host application is running, then try "
                                        "again.";
    QTest::newRow("bus gone") << "org.freedesktop.DBus.Error.Disconnected" << qint64(host::errors::Transport)
                              << "The connection to the host application was lost during " + what
                                     + ": The host said this. Make sure the host application is running, then try "
                                       "again.";
    QTest::newRow("the host's own error")
        << "Plankora.Error.Failed" << qint64(host::errors::MemberFailed)
        << "The host application failed " + what + ": The host said this. [Plankora.Error.Failed]";
    QTest::newRow("a member the host lacks")
        << "org.freedesktop.DBus.Error.UnknownMethod" << qint64(host::errors::MemberFailed)
        << "The host application failed " + what + ": The host said this. [org.freedesktop.DBus.Error.UnknownMethod]";
}

void TestDBusContract::callFailuresAreSorted()
{
    QFETCH(QString, errorName);
    QFETCH(qint64, number);
    QFETCH(QString, description);
    const host::Error error = callFailed(QStringLiteral("the method \"Prepare\" of /Application"), errorName,
                                         QStringLiteral("The host said this."), 250);
    QCOMPARE(error.number, number);
    QCOMPARE(QString::fromStdString(error.description), description);
}

void TestDBusContract::noBusIsNoHost()
{
    const host::Error error = noBus(QStringLiteral("Plankora.Application"), QStringLiteral("Not connected"));
    QCOMPARE(error.number, host::errors::NoHost);
    QCOMPARE(QString::fromStdString(error.description),
             QStringLiteral("No host application can be reached under \"Plankora.Application\": there is no session "
                            "bus (Not connected). Start the host application in your desktop session, then try "
                            "again."));
}

void TestDBusContract::repliesBecomeValues_data()
{
    QTest::addColumn<QVariant>("reply");
    QTest::addColumn<QString>("value");
    QTest::newRow("boolean") << QVariant(true) << "bool 1";
    QTest::newRow("32-bit") << QVariant(-7) << "int -7";
    QTest::newRow("unsigned") << QVariant(4000000000u) << "int 4000000000";
    QTest::newRow("64-bit") << QVariant(qlonglong(1) << 40) << "int 1099511627776";
    QTest::newRow("byte") << QVariant::fromValue(uchar(200)) << "int 200";
    QTest::newRow("double") << QVariant(2.5) << "double 2.5";
    QTest::newRow("string") << QVariant(QStringLiteral("Deck 1.dc")) << "string Deck 1.dc";
    QTest::newRow("object path") << QVariant::fromValue(QDBusObjectPath("/A/B")) << "string /A/B";
    QTest::newRow("variant in a variant") << QVariant::fromValue(QDBusVariant(QVariant(3))) << "int 3";
    QTest::newRow("a list the wizard has no use for") << QVariant(QStringList{"a"}) << "empty";
    QTest::newRow("nothing") << QVariant() << "empty";
}

void TestDBusContract::repliesBecomeValues()
{
    QFETCH(QVariant, reply);
    QFETCH(QString, value);
    QCOMPARE(shown(toValue(reply)), value);
}

QTEST_GUILESS_MAIN(TestDBusContract)
#include "tst_dbuscontract.moc"
