// One object of the substitute host on the bus, built from one interface of
// the contract. It answers Properties Get/Set/GetAll and its methods itself, so
// that every call, property gets included, can be journalled, failed or delayed.
#pragma once

#include "contract.h"
#include "journal.h"
#include "options.h"

#include <QDBusVirtualObject>
#include <QHash>
#include <QVariant>

#include <functional>

class HostObject : public QDBusVirtualObject {
    Q_OBJECT
public:
    // The method's out arguments, as they go into the reply.
    using Method = std::function<QVariantList(const QVariantList &in)>;

    HostObject(const QString &path, const contract::Interface &interface, const Behaviour &behaviour,
               QObject *parent = nullptr);

    QString path() const { return m_path; }
    // A property's value as the bus carries it (object paths as QDBusObjectPath).
    void setValue(const QString &property, const QVariant &value) { m_values.insert(property, value); }
    QVariant value(const QString &property) const { return m_values.value(property); }
    void setMethod(const QString &member, Method method) { m_methods.insert(member, std::move(method)); }

    QString introspect(const QString &path) const override;
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

signals:
    void received(const ReceivedCall &call);

private:
    QDBusMessage answerProperties(const QDBusMessage &message);
    QDBusMessage answerMethod(const QDBusMessage &message);
    QDBusMessage answerGet(const QDBusMessage &message, const contract::Member &property);
    QDBusMessage answerSet(const QDBusMessage &message, const contract::Member &property, const QVariant &value);
    void record(const QString &kind, const QString &interface, const QString &member, const QVariantList &args);
    // Sends the reply now, or later when the member is to be delayed.
    void send(const QDBusConnection &connection, const QString &member, const QDBusMessage &reply);

    QString m_path;
    contract::Interface m_interface;
    const Behaviour &m_behaviour;
    QHash<QString, QVariant> m_values;
    QHash<QString, Method> m_methods;
};

// The D-Bus type of a value as it would travel, e.g. "o" for an object path.
QString busType(const QVariant &value);

// The longest string argument the host takes, in bytes as UTF-8: the
// system's longest path (PATH_MAX).
qsizetype longestArgumentBytes();

// Why a method's string argument is refused (longer than
// longestArgumentBytes(), or holding a control character, which would split
// or garble the lines it is written into), or an empty string.
QString argumentRefusal(const QString &member, const QString &argument);
