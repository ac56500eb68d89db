#include "journal.h"

#include <QJsonDocument>

#include <cstdio>

namespace {
QByteArray json(const QJsonValue &value)
{
    // A lone value cannot be a document; print it inside an array and strip the brackets.
    const QByteArray inArray = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return inArray.mid(1, inArray.size() - 2);
}

QString shown(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QJsonValue::String:
        return u'"' + value.toString() + u'"';
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'g', 17);
    default:
        return QString::fromUtf8(json(value));
    }
}
} // namespace

QByteArray journalLine(const ReceivedCall &call)
{
    return "{\"path\":" + json(call.path) + ",\"interface\":" + json(call.interface) + ",\"member\":"
        + json(call.member) + ",\"kind\":" + json(call.kind) + ",\"args\":"
        + QJsonDocument(call.args).toJson(QJsonDocument::Compact) + '}';
}

QString compactCall(const QJsonObject &entry)
{
    QString line = entry.value(u"kind").toString() + u' ' + entry.value(u"path").toString() + u' '
        + entry.value(u"member").toString();
    QStringList args;
    for (const QJsonValue &arg : entry.value(u"args").toArray())
        args << shown(arg);
    if (!args.isEmpty())
        line += u' ' + args.join(QStringLiteral(", "));
    return line;
}

QString compactCall(const ReceivedCall &call)
{
    return compactCall(QJsonDocument::fromJson(journalLine(call)).object());
}

bool Journal::open(const QString &path)
{
    if (path.isEmpty())
        return true;
    m_file.setFileName(path);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Append);
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
