#include "dbuslink.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusSignature>
#include <QDBusVariant>

#include <algorithm>

namespace host::dbus {

namespace {
std::string text(const QString &string)
{
    return string.toStdString();
}

QDBusMessage methodCall(const QString &owner, const QString &path, const QString &interface, const QString &member)
{
    QDBusMessage message = QDBusMessage::createMethodCall(owner, path, interface, member);
    message.setAutoStartService(false);
    return message;
}

bool isTimeout(const QString &name)
{
    return name == u"org.freedesktop.DBus.Error.NoReply" || name == u"org.freedesktop.DBus.Error.Timeout"
        || name == u"org.freedesktop.DBus.Error.TimedOut";
}

bool isLostConnection(const QString &name)
{
    return name == u"org.freedesktop.DBus.Error.ServiceUnknown" || name == u"org.freedesktop.DBus.Error.NameHasNoOwner"
        || name == u"org.freedesktop.DBus.Error.Disconnected" || name == u"org.freedesktop.DBus.Error.NoServer"
        || name == u"org.freedesktop.DBus.Error.NoNetwork";
}
} // namespace

QString busType(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QDBusArgument>())
        return value.value<QDBusArgument>().currentSignature();
    const char *signature = QDBusMetaType::typeToSignature(value.metaType());
    return signature ? QString::fromLatin1(signature) : QString();
}

Value toValue(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return std::int64_t(value.toLongLong());
    case QMetaType::Double:
        return value.toDouble();
    case QMetaType::QString:
        return text(value.toString());
    default:
        if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
            return text(value.value<QDBusObjectPath>().path());
        if (value.metaType() == QMetaType::fromType<QDBusVariant>())
            return toValue(value.value<QDBusVariant>().variant());
        return std::monostate{};
    }
}

QVariant toVariant(const Value &value)
{
    return std::visit(
        [](const auto &v) -> QVariant {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return {};
            else if constexpr (std::is_same_v<T, std::string>)
                return QString::fromStdString(v);
            else if constexpr (std::is_same_v<T, std::int64_t>)
                return qlonglong(v);
            else
                return v;
        },
        value);
}

Error noHost(const QString &service)
{
    return {errors::NoHost, text(QStringLiteral("No host application is running under \"%1\". Start the host "
                                                "application, then try again.")
                                     .arg(service))};
}

Error noBus(const QString &service, const QString &why)
{
    return {errors::NoHost,
            text(QStringLiteral("No host application can be reached under \"%1\": there is no session bus (%2). "
                                "Start the host application in your desktop session, then try again.")
                     .arg(service, why))};
}

Error callFailed(const QString &what, const QString &errorName, const QString &errorText, int timeoutMs,
                 bool ownerGone)
{
    if (isTimeout(errorName) && !ownerGone)
        return {errors::Timeout, text(QStringLiteral("The host application did not answer %1 within %2 ms. It may be "
                                                     "busy or hung.")
                                          .arg(what)
                                          .arg(timeoutMs))};
    if (isLostConnection(errorName) || ownerGone) {
        // The bus's own words do not always end their sentence.
        const QString why = errorText.endsWith(u'.') ? errorText : errorText + u'.';
        return {errors::Transport, text(QStringLiteral("The connection to the host application was lost during %1: "
                                                       "%2 Make sure the host application is running, then try again.")
                                            .arg(what, why))};
    }
    return {errors::MemberFailed,
            text(QStringLiteral("The host application failed %1: %2 [%3]").arg(what, errorText, errorName))};
}

Error wrongType(const QString &what, const QString &got, const QString &expected)
{
    const auto shown = [](const QString &signature) {
        return signature.isEmpty() ? QStringLiteral("no value") : QStringLiteral("D-Bus type \"%1\"").arg(signature);
    };
    return {errors::WrongType, text(QStringLiteral("The host application answered %1 with %2 where %3 was expected. "
                                                   "The running host does not follow the Plankora automation "
                                                   "interface.")
                                        .arg(what, shown(got), shown(expected)))};
}

QString describe(const busmembers::Member &member, const QString &path)
{
    const QString name = QString::fromLatin1(member.name);
    switch (member.kind) {
    case busmembers::Member::Get:
        return QStringLiteral("the property \"%1\" of %2").arg(name, path);
    case busmembers::Member::Put:
        return QStringLiteral("setting the property \"%1\" of %2").arg(name, path);
    case busmembers::Member::Call:
        break;
    }
    return QStringLiteral("the method \"%1\" of %2").arg(name, path);
}

int nextBound(const Patience &patience)
{
    if (patience.deadline.isForever())
        return patience.callMs;
    return int(std::clamp<qint64>(patience.deadline.remainingTime(), 1, patience.callMs));
}

Link::Link(QDBusConnection bus, QString owner, Patience patience)
    : m_bus(std::move(bus)), m_owner(std::move(owner)), m_patience(patience)
{
}

Result<std::shared_ptr<Link>> Link::attach(QDBusConnection bus, const QString &service, Patience patience)
{
    if (!bus.isConnected())
        return noBus(service, bus.lastError().message());
    QDBusMessage ask = methodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                  QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetNameOwner"));
    ask << service;
    const int timeoutMs = nextBound(patience);
    const QDBusMessage reply = bus.call(ask, QDBus::Block, timeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        if (reply.errorName() == u"org.freedesktop.DBus.Error.NameHasNoOwner")
            return noHost(service);
        return callFailed(QStringLiteral("the question who owns \"%1\"").arg(service), reply.errorName(),
                          reply.errorMessage(), timeoutMs);
    }
    const QString owner = reply.arguments().value(0).toString();
    if (reply.signature() != u"s" || owner.isEmpty())
        return wrongType(QStringLiteral("the question who owns \"%1\"").arg(service), reply.signature(),
                         QStringLiteral("s"));
    return std::make_shared<Link>(bus, owner, patience);
}

Result<QDBusMessage> Link::send(QDBusMessage message, const QString &what)
{
    message.setAutoStartService(false);
    const int timeoutMs = nextBound(m_patience);
    QDBusMessage reply = m_bus.call(message, QDBus::Block, timeoutMs);
    if (reply.type() != QDBusMessage::ErrorMessage)
        return reply;
    // The bus answers "no reply" both for a host that is late and for one that
    // died while it held the call; only the second has left the bus.
    const bool ownerGone = isTimeout(reply.errorName()) && !ownerStillThere();
    return callFailed(what, reply.errorName(), reply.errorMessage(), timeoutMs, ownerGone);
}

bool Link::ownerStillThere()
{
    QDBusMessage ask = methodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                  QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    ask << m_owner;
    const QDBusMessage reply = m_bus.call(ask, QDBus::Block, 1000);
    // When even the bus does not say, the host is taken to be there (and late).
    return reply.type() != QDBusMessage::ReplyMessage || reply.arguments().value(0).toBool();
}

Result<QString> Link::getObject(const QString &path, const busmembers::Member &property)
{
    QDBusMessage get = methodCall(m_owner, path, QLatin1String(busmembers::Properties), QStringLiteral("Get"));
    get << QString::fromLatin1(property.interface) << QString::fromLatin1(property.name);
    const QString what = describe(property, path);
    auto reply = send(get, what);
    if (!reply)
        return reply.error();
    return objectPathOf(what, QString::fromLatin1(property.expects), reply.value().signature(),
                        reply.value().arguments());
}

Status Link::put(const QString &path, const busmembers::Member &property, const QVariant &value)
{
    QDBusMessage set = methodCall(m_owner, path, QLatin1String(busmembers::Properties), QStringLiteral("Set"));
    set << QString::fromLatin1(property.interface) << QString::fromLatin1(property.name)
        << QVariant::fromValue(QDBusVariant(value));
    const QString what = describe(property, path);
    auto reply = send(set, what);
    if (!reply)
        return reply.error();
    return nothingOf(what, reply.value().signature());
}

Result<QVariantList> Link::call(const QString &path, const busmembers::Member &method, const QVariantList &args)
{
    QDBusMessage call = methodCall(m_owner, path, QLatin1String(method.interface), QLatin1String(method.name));
    call.setArguments(args);
    const QString what = describe(method, path);
    auto reply = send(call, what);
    if (!reply)
        return reply.error();
    return argumentsOf(what, method.expects, reply.value().signature(), reply.value().arguments());
}

Result<QVariantList> Link::callByName(const QString &path, const QString &interface, const QString &member,
                                      const QVariantList &args)
{
    QDBusMessage call = methodCall(m_owner, path, interface, member);
    call.setArguments(args);
    const QString what = QStringLiteral("the method \"%1\" of %2").arg(member, path);
    auto reply = send(call, what);
    if (!reply)
        return reply.error();
    return argumentsOf(what, nullptr, reply.value().signature(), reply.value().arguments());
}

Result<QString> objectPathOf(const QString &what, const QString &expects, const QString &signature,
                             const QVariantList &arguments)
{
    if (signature != u"v" || arguments.size() != 1)
        return wrongType(what, signature, QStringLiteral("v"));
    const QVariant value = arguments.front().value<QDBusVariant>().variant();
    if (busType(value) != expects)
        return wrongType(what, busType(value), expects);
    return value.value<QDBusObjectPath>().path();
}

Status nothingOf(const QString &what, const QString &signature)
{
    if (!signature.isEmpty())
        return wrongType(what, signature, QString());
    return success();
}

Result<QVariantList> argumentsOf(const QString &what, const char *expects, const QString &signature,
                                 const QVariantList &arguments)
{
    if (expects ? signature != QLatin1String(expects) : arguments.size() > 1)
        return wrongType(what, signature, QLatin1String(expects ? expects : "v"));
    return arguments;
}

} // namespace host::dbus
