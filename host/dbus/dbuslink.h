// One attachment to the running host on the session bus: the bus, the host's
// unique name (resolved once, so every later call goes to that same process)
// and the bound on every call. The host objects share it; each message goes
// out with auto-start off and comes back as a value or a host::Error.
#pragma once

#include "busmembers.h"
#include "hostlink.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QDBusMessage>
#include <QString>
#include <QVariant>

#include <memory>

namespace host::dbus {

// How long the wizard waits: each call at most callMs, and all calls of the
// conversation together no later than the deadline.
struct Patience {
    int callMs = 3000;
    QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever);
};

class Link {
public:
    Link(QDBusConnection bus, QString owner, Patience patience);

    // Takes the current owner of `service`; never starts one.
    static Result<std::shared_ptr<Link>> attach(QDBusConnection bus, const QString &service, Patience patience);
    static Result<std::shared_ptr<Link>> attach(QDBusConnection bus, const QString &service, int timeoutMs)
    {
        return attach(std::move(bus), service, Patience{timeoutMs});
    }

    // An object-path property: the path the host hands out.
    Result<QString> getObject(const QString &path, const busmembers::Member &property);
    Status put(const QString &path, const busmembers::Member &property, const QVariant &value);
    // A method whose reply must have the member's signature; the reply's arguments.
    Result<QVariantList> call(const QString &path, const busmembers::Member &method, const QVariantList &args = {});
    // A method by name, taking whatever single value (or none) the host answers.
    Result<QVariantList> callByName(const QString &path, const QString &interface, const QString &member,
                                    const QVariantList &args);

    QString owner() const { return m_owner; }

private:
    Result<QDBusMessage> send(QDBusMessage message, const QString &what);
    bool ownerStillThere();

    QDBusConnection m_bus;
    QString m_owner;
    Patience m_patience;
};

// The bound of the next call: the per-call bound, or what is left of the
// conversation's time if that is less (never below 1 ms).
int nextBound(const Patience &patience);

// The D-Bus type of a value as it travelled, e.g. "o", "s" or "a{sv}".
QString busType(const QVariant &value);

// The wizard's own value of a reply, or monostate for a type it has no use for.
Value toValue(const QVariant &value);
// The value to send, or an empty QVariant for monostate (which cannot travel).
QVariant toVariant(const Value &value);

// What the wizard takes from a reply, its signature and arguments as they
// arrived; plain, so that any reply can be tried without a bus. A property
// read gives the object path in its one variant; a property write, nothing;
// a method, its arguments when they have the signature `expects`, or with
// `expects` null (a method by name) at most one value of any type.
Result<QString> objectPathOf(const QString &what, const QString &expects, const QString &signature,
                             const QVariantList &arguments);
Status nothingOf(const QString &what, const QString &signature);
Result<QVariantList> argumentsOf(const QString &what, const char *expects, const QString &signature,
                                 const QVariantList &arguments);

// The errors, worded for a person who has to do something about them.
Error noHost(const QString &service);
Error noBus(const QString &service, const QString &why);
// `ownerGone` says the host process has left the bus: a call it never answered
// was then lost with it, not merely late.
Error callFailed(const QString &what, const QString &errorName, const QString &errorText, int timeoutMs,
                 bool ownerGone = false);
Error wrongType(const QString &what, const QString &got, const QString &expected);
// "the property "ActiveTarget" of /Application", "the method "Prepare" of /Application", ...
QString describe(const busmembers::Member &member, const QString &path);

} // namespace host::dbus
