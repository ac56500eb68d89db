#include "deckhost.h"

#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace {
const QString Name = QStringLiteral("Plankora.Application");

QVariant objectPath(const QString &path)
{
    return QVariant::fromValue(QDBusObjectPath(path));
}

// The out value of OpenSymbolFile and LoadSymbol: the wizard ignores it.
QVariantList done(const QVariantList &)
{
    return {QVariant::fromValue(QDBusVariant(true))};
}
} // namespace

DeckHost::DeckHost(const Behaviour &behaviour, QObject *parent) : QObject(parent), m_behaviour(behaviour)
{
    HostObject *application = add(paths::Application, QStringLiteral("Plankora.HostApplication"));
    application->setValue(QStringLiteral("ActiveTarget"), objectPath(paths::ActiveTarget));
    application->setValue(QStringLiteral("ActiveProvider"), objectPath(paths::Provider));
    application->setMethod(QStringLiteral("Prepare"), [](const QVariantList &) { return QVariantList{}; });

    HostObject *provider = add(paths::Provider, QStringLiteral("Plankora.TargetProvider"));
    provider->setValue(QStringLiteral("Target"), objectPath(paths::ProviderTarget));

    addTarget(paths::ActiveTarget);
    addTarget(paths::ProviderTarget);
}

void DeckHost::addTarget(const QString &path)
{
    HostObject *target = add(path, QStringLiteral("Plankora.SymbolTarget"));
    target->setValue(QStringLiteral("Mode2D"), false);
    target->setValue(QStringLiteral("SymbolLoader"), objectPath(paths::loaderOf(path)));
    target->setMethod(QStringLiteral("OpenSymbolFile"), [this](const QVariantList &in) {
        emit symbolFileOpened(in.value(0).toString());
        return done(in);
    });
    add(paths::loaderOf(path), QStringLiteral("Plankora.SymbolLoader"))
        ->setMethod(QStringLiteral("LoadSymbol"), [this](const QVariantList &in) {
            emit symbolLoaded(in.value(0).toString());
            return done(in);
        });
}

HostObject *DeckHost::add(const QString &path, const QString &interface)
{
    const contract::Interface *described = contract::findInterface(interface);
    Q_ASSERT_X(described, "DeckHost", "plankora.xml lacks an interface the host serves");
    auto *object = new HostObject(path, *described, m_behaviour, this);
    connect(object, &HostObject::received, this, &DeckHost::received);
    m_objects.push_back(object);
    return object;
}

bool DeckHost::publish(QDBusConnection bus, QString *error)
{
    if (!bus.isConnected()) {
        *error = QStringLiteral("there is no session bus to offer \"%1\" on (%2). Start one, e.g. with "
                                "dbus-run-session -- deckhost.")
                     .arg(Name, bus.lastError().message());
        return false;
    }
    for (HostObject *object : m_objects) {
        if (!bus.registerVirtualObject(object->path(), object)) {
            *error = QStringLiteral("cannot put an object at %1 on the session bus.").arg(object->path());
            return false;
        }
    }
    if (m_folder && !bus.registerObject(paths::Host, m_folder.get(), QDBusConnection::ExportAllProperties)) {
        *error = QStringLiteral("cannot put an object at %1 on the session bus.").arg(paths::Host);
        return false;
    }
    QDBusConnectionInterface *daemon = bus.interface();
    const auto claimed = daemon->registerService(Name, QDBusConnectionInterface::DontQueueService,
                                                 QDBusConnectionInterface::DontAllowReplacement);
    if (claimed.value() == QDBusConnectionInterface::ServiceRegistered)
        return true;
    const QString owner = daemon->serviceOwner(Name).value();
    if (!owner.isEmpty()) {
        *error = QStringLiteral("\"%1\" is already owned on the session bus by %2 (process %3): another host "
                                "application is running. Stop it first, or use that one.")
                     .arg(Name, owner)
                     .arg(daemon->servicePid(Name).value());
    } else {
        *error = QStringLiteral("cannot own \"%1\" on the session bus: %2").arg(Name, claimed.error().message());
    }
    return false;
}

#include "moc_deckhost.cpp"
