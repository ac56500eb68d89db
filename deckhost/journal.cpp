#include "journal.h"

#include "journalline.h"

#include <QJsonDocument>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
host::Value valueOf(const QJsonValue &json)
{
    switch (json.type()) {
    case QJsonValue::Bool:
        return json.toBool();
    case QJsonValue::String:
        return json.toString().toStdString();
    case QJsonValue::Double:
        if (const double d = json.toDouble(); d == double(std::int64_t(d)))
            return std::int64_t(d);
        return json.toDouble();
    case QJsonValue::Array:
        return QJsonDocument(json.toArray()).toJson(QJsonDocument::Compact).toStdString();
    case QJsonValue::Object:
        return QJsonDocument(json.toObject()).toJson(QJsonDocument::Compact).toStdString();
    default:
        return std::monostate{};
    }
}

host::JournalEntry entryOf(const QJsonObject &entry)
{
    const auto text = [&](const char *key) { return entry.value(QLatin1String(key)).toString().toStdString(); };
    host::JournalEntry e{text("path"), text("interface"), text("member"), text("kind"), {}};
    for (const QJsonValue &arg : entry.value(u"args").toArray())
        e.args.push_back(valueOf(arg));
    return e;
}

host::JournalEntry entryOf(const ReceivedCall &call)
{
    host::JournalEntry e{call.path.toStdString(), call.interface.toStdString(), call.member.toStdString(),
                         call.kind.toStdString(), {}};
    for (const QJsonValue &arg : call.args)
        e.args.push_back(valueOf(arg));
    return e;
}
} // namespace

QByteArray journalLine(const ReceivedCall &call)
{
    return QByteArray::fromStdString(host::journalLine(entryOf(call)));
}

QString compactCall(const QJsonObject &entry)
{
    return QString::fromStdString(host::compactLine(entryOf(entry)));
}

// Straight from the call, not through its JSON line: the calls panel lists
// every call of a flood, on the window's thread.
QString compactCall(const ReceivedCall &call)
{
    return QString::fromStdString(host::compactLine(entryOf(call)));
}

bool Journal::open(const QString &path)
{
    if (path.isEmpty())
        return true;
    m_file.setFileName(path);
#ifdef Q_OS_UNIX
    // Opened without waiting (a FIFO would wait for a reader), then asked
    // what it is: only a regular file is written to.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        // A FIFO without a reader (or a device) answers a write-only open that does not wait with ENXIO.
        m_error = errno == ENXIO ? QStringLiteral("it is not a regular file") : QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        m_error = QStringLiteral("it is not a regular file");
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!m_file.open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        m_error = m_file.errorString();
        return false;
    }
    return true;
#else
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        m_error = m_file.errorString();
        return false;
    }
    return true;
#endif
}

void Journal::write(const ReceivedCall &call)
{
    const QByteArray line = journalLine(call) + '\n';
    if (m_file.isOpen()) {
        m_file.write(line);
        m_file.flush();
    }
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fflush(stdout);
}
