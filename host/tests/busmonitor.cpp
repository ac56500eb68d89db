#include "busmonitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QtEndian>

namespace {
// Markers are calls of made-up members on the bus itself, numbered so that each
// can be waited for; the bus answers them with an error, which does no harm.
const QString Marker = QStringLiteral("MonitorMarker");

// One D-Bus message in wire format; just enough of it to read the header fields.
class Wire {
public:
    explicit Wire(QByteArray bytes) : m_bytes(std::move(bytes)), m_little(m_bytes.startsWith('l')) {}

    bool valid() const { return m_bytes.size() >= 16; }
    int type() const { return quint8(m_bytes.at(1)); }
    int flags() const { return quint8(m_bytes.at(2)); }

    // Calls field(code, value) for each string-like header field.
    template<typename F>
    void fields(F field)
    {
        m_at = 12;
        const qsizetype end = 16 + qsizetype(uint32());
        for (align(8); m_at < end && m_at < m_bytes.size(); align(8)) {
            const int code = quint8(m_bytes.at(m_at++));
            const QByteArray signature = m_bytes.mid(m_at + 1, quint8(m_bytes.at(m_at)));
            m_at += signature.size() + 2;
            if (signature == "s" || signature == "o") {
                const quint32 length = uint32();
                field(code, QString::fromUtf8(m_bytes.mid(m_at, length)));
                m_at += length + 1;
            } else if (signature == "g") {
                m_at += quint8(m_bytes.at(m_at)) + 2;
            } else {
                uint32(); // REPLY_SERIAL and UNIX_FDS
            }
        }
    }

private:
    void align(int n) { m_at = (m_at + n - 1) / n * n; }
    quint32 uint32()
    {
        align(4);
        const auto *p = m_bytes.constData() + m_at;
        m_at += 4;
        return m_little ? qFromLittleEndian<quint32>(p) : qFromBigEndian<quint32>(p);
    }

    QByteArray m_bytes;
    bool m_little;
    qsizetype m_at = 0;
};

QString sendMarker(int number)
{
    const QString member = Marker + QString::number(number);
    QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), member));
    return member;
}
} // namespace

QList<SeenCall> methodCallsIn(const QByteArray &pcap)
{
    QList<SeenCall> calls;
    for (qsizetype at = 24; at + 16 <= pcap.size();) {
        const quint32 length = qFromLittleEndian<quint32>(pcap.constData() + at + 8);
        Wire message(pcap.mid(at + 16, length));
        at += 16 + length;
        if (!message.valid() || message.type() != 1)
            continue;
        SeenCall call;
        call.autoStart = !(message.flags() & 0x2);
        message.fields([&](int code, const QString &value) {
            switch (code) {
            case 1: call.path = value; break;
            case 2: call.interface = value; break;
            case 3: call.member = value; break;
            case 6: call.destination = value; break;
            case 7: call.sender = value; break;
            }
        });
        calls << call;
    }
    return calls;
}

BusMonitor::~BusMonitor()
{
    m_process.kill();
    m_process.waitForFinished(1000);
}

bool BusMonitor::seen(const QString &marker)
{
    m_process.waitForReadyRead(20);
    m_output += m_process.readAllStandardOutput();
    for (const SeenCall &call : methodCallsIn(m_output))
        if (call.member == marker)
            return true;
    return false;
}

bool BusMonitor::start()
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("dbus-monitor"));
    if (program.isEmpty())
        return false;
    m_process.start(program, {QStringLiteral("--session"), QStringLiteral("--pcap")});
    if (!m_process.waitForStarted(5000))
        return false;
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired())
        if (seen(sendMarker(++m_markers)))
            return true;
    return false;
}

QList<SeenCall> BusMonitor::stop()
{
    const QString last = sendMarker(++m_markers);
    QDeadlineTimer deadline(5000);
    while (!seen(last) && !deadline.hasExpired()) {
    }
    m_process.kill();
    m_process.waitForFinished(1000);
    QList<SeenCall> calls;
    for (const SeenCall &call : methodCallsIn(m_output))
        if (!call.member.startsWith(Marker))
            calls << call;
    return calls;
}
