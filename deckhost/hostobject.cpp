#include "hostobject.h"

#include "textfiles.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QTimer>

#include <climits>

namespace {
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

QVariant unwrapped(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        return unwrapped(value.value<QDBusVariant>().variant());
    return value;
}

QJsonValue jsonOf(const QVariant &argument)
{
    const QVariant value = unwrapped(argument);
    // A string past any path is journalled by its start and its length.
    if (value.metaType() == QMetaType::fromType<QString>() && value.toString().size() > longestArgumentBytes()) {
        const QString text = value.toString();
        return QStringLiteral("%1... (%2 characters)").arg(text.left(80)).arg(text.size());
    }
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    const QJsonValue json = QJsonValue::fromVariant(value);
    return json.isNull() && value.isValid() ? QJsonValue(busType(value)) : json;
}

QDBusMessage error(const QDBusMessage &message, const char *name, const QString &text)
{
    return message.createErrorReply(QLatin1String(name), text);
}

QVariant wrongValue()
{
    return QStringLiteral("not what the interface says");
}
} // namespace

qsizetype longestArgumentBytes()
{
#ifdef PATH_MAX
    return PATH_MAX;
#else
    return 4096;
#endif
}

QString argumentRefusal(const QString &member, const QString &argument)
{
    if (argument.size() > longestArgumentBytes() || argument.toUtf8().size() > longestArgumentBytes())
        return QStringLiteral("%1 takes a path of at most %2 bytes, not %3.")
            .arg(member)
            .arg(longestArgumentBytes())
            .arg(argument.toUtf8().size());
    for (qsizetype i = 0; i < argument.size(); ++i)
        if (const char16_t c = argument[i].unicode(); c < 0x20 || c == 0x7f || (c >= 0x80 && c < 0xa0))
            return QStringLiteral("%1 takes a path without control characters; %2 holds one at character %3.")
                .arg(member, textfiles::quoted(argument))
                .arg(i + 1);
    return {};
}

QString busType(const QVariant &value)
{
    const char *signature = QDBusMetaType::typeToSignature(value.metaType());
    return signature ? QString::fromLatin1(signature) : QString();
}

HostObject::HostObject(const QString &path, const contract::Interface &interface, const Behaviour &behaviour,
                       QObject *parent)
    : QDBusVirtualObject(parent), m_path(path), m_interface(interface), m_behaviour(behaviour)
{
}

QString HostObject::introspect(const QString &) const
{
    return m_interface.introspection();
}

bool HostObject::handleMessage(const QDBusMessage &message, const QDBusConnection &connection)
{
    const QString interface = message.interface();
    // Introspection and Ping are the bus library's business.
    if (interface == u"org.freedesktop.DBus.Introspectable" || interface == u"org.freedesktop.DBus.Peer")
        return false;
    const QDBusMessage reply = interface == PropertiesInterface ? answerProperties(message) : answerMethod(message);
    QString member = message.member();
    if (interface == PropertiesInterface && message.arguments().size() >= 2)
        member = message.arguments().at(1).toString();
    send(connection, member, reply);
    return true;
}

QDBusMessage HostObject::answerMethod(const QDBusMessage &message)
{
    const QString interface = message.interface().isEmpty() ? m_interface.name : message.interface();
    record(QStringLiteral("call"), interface, message.member(), message.arguments());
    if (interface != m_interface.name)
        return error(message, "org.freedesktop.DBus.Error.UnknownInterface",
                     QStringLiteral("%1 has no interface %2.").arg(m_path, interface));
    const contract::Member *method = m_interface.find(message.member(), contract::Member::Method);
    if (!method)
        return error(message, "org.freedesktop.DBus.Error.UnknownMethod",
                     QStringLiteral("%1 has no method %2.").arg(m_interface.name, message.member()));
    if (message.signature() != method->inSignature())
        return error(message, "org.freedesktop.DBus.Error.InvalidArgs",
                     QStringLiteral("%1 takes (%2), not (%3).")
                         .arg(method->name, method->inSignature(), message.signature()));
    for (const QVariant &argument : message.arguments())
        if (argument.metaType() == QMetaType::fromType<QString>())
            if (const QString refusal = argumentRefusal(method->name, argument.toString()); !refusal.isEmpty())
                return error(message, "org.freedesktop.DBus.Error.InvalidArgs", refusal);
    if (m_behaviour.failing.contains(method->name))
        return error(message, "Plankora.Error.Failed",
                     QStringLiteral("%1 failed: deckhost was told to fail it (--fail %1).").arg(method->name));
    if (m_behaviour.wrongType.contains(method->name))
        return message.createReply(wrongValue());
    const Method handler = m_methods.value(method->name);
    return message.createReply(handler ? handler(message.arguments()) : QVariantList{});
}

QDBusMessage HostObject::answerProperties(const QDBusMessage &message)
{
    const QVariantList args = message.arguments();
    const QString member = message.member();
    const QString signature = message.signature();
    if (member == u"GetAll" && signature == u"s") {
        record(QStringLiteral("call"), PropertiesInterface, member, args);
        QVariantMap all;
        if (args.at(0).toString() == m_interface.name)
            for (const contract::Member &property : m_interface.members)
                if (property.kind == contract::Member::Property && property.readable)
                    all.insert(property.name, m_values.value(property.name));
        return message.createReply(QVariant(all));
    }
    const bool get = member == u"Get" && signature == u"ss";
    const bool set = member == u"Set" && signature == u"ssv";
    if (!get && !set) {
        record(QStringLiteral("call"), PropertiesInterface, member, args);
        return error(message, "org.freedesktop.DBus.Error.UnknownMethod",
                     QStringLiteral("%1 has no method %2 (%3).").arg(PropertiesInterface, member, signature));
    }
    const QString interface = args.at(0).toString();
    const QString name = args.at(1).toString();
    record(get ? QStringLiteral("get") : QStringLiteral("put"), interface, name,
           set ? QVariantList{args.at(2)} : QVariantList{});
    if (interface != m_interface.name)
        return error(message, "org.freedesktop.DBus.Error.UnknownInterface",
                     QStringLiteral("%1 has no interface \"%2\".").arg(m_path, interface));
    const contract::Member *property = m_interface.find(name, contract::Member::Property);
    if (!property)
        return error(message, "org.freedesktop.DBus.Error.UnknownProperty",
                     QStringLiteral("%1 has no property %2.").arg(interface, name));
    return get ? answerGet(message, *property) : answerSet(message, *property, unwrapped(args.at(2)));
}

QDBusMessage HostObject::answerGet(const QDBusMessage &message, const contract::Member &property)
{
    if (!property.readable)
        return error(message, "org.freedesktop.DBus.Error.PropertyWriteOnly",
                     QStringLiteral("%1 can only be set.").arg(property.name));
    if (m_behaviour.failing.contains(property.name))
        return error(message, "Plankora.Error.Failed",
                     QStringLiteral("Reading %1 failed: deckhost was told to fail it (--fail %1).").arg(property.name));
    const QVariant value = m_behaviour.wrongType.contains(property.name) ? wrongValue() : m_values.value(property.name);
    return message.createReply(QVariant::fromValue(QDBusVariant(value)));
}

QDBusMessage HostObject::answerSet(const QDBusMessage &message, const contract::Member &property, const QVariant &value)
{
    if (!property.writable)
        return error(message, "org.freedesktop.DBus.Error.PropertyReadOnly",
                     QStringLiteral("%1 is read-only.").arg(property.name));
    if (busType(value) != property.type)
        return error(message, "org.freedesktop.DBus.Error.InvalidArgs",
                     QStringLiteral("%1 takes a value of type %2, not %3.")
                         .arg(property.name, property.type, busType(value)));
    if (m_behaviour.failing.contains(property.name))
        return error(message, "Plankora.Error.Failed",
                     QStringLiteral("Setting %1 failed: deckhost was told to fail it (--fail %1).").arg(property.name));
    m_values.insert(property.name, value);
    if (m_behaviour.wrongType.contains(property.name))
        return message.createReply(wrongValue());
    return message.createReply();
}

void HostObject::record(const QString &kind, const QString &interface, const QString &member, const QVariantList &args)
{
    QJsonArray json;
    for (const QVariant &arg : args)
        json.append(jsonOf(arg));
    emit received({m_path, interface, member, kind, json});
}

void HostObject::send(const QDBusConnection &connection, const QString &member, const QDBusMessage &reply)
{
    const int delay = m_behaviour.delaysMs.value(member, -1);
    if (delay < 0) {
        connection.send(reply);
        return;
    }
    // A timer, not a sleep: the other calls are answered meanwhile.
    QTimer::singleShot(delay, this, [connection, reply] { connection.send(reply); });
}

#include "moc_hostobject.cpp"
