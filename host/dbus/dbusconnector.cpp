#include "dbusconnector.h"

#include "dbusobjects.h"
#include "system.h"

namespace host {

namespace {
class DBusConnector : public Connector {
public:
    explicit DBusConnector(Bounds bounds) : m_bounds(bounds) {}

    Result<std::unique_ptr<HostApplication>> attach(const std::string &progId) override
    {
        return attachFor(Conversation::Finish, progId);
    }

    Result<std::unique_ptr<HostApplication>> attachFor(Conversation kind, const std::string &progId) override
    {
        const dbus::Patience patience = kind == Conversation::Startup
            ? dbus::Patience{m_bounds.startupMs, QDeadlineTimer(m_bounds.startupMs)}
            : dbus::Patience{m_bounds.finishCallMs, QDeadlineTimer(QDeadlineTimer::Forever)};
        auto link = dbus::Link::attach(QDBusConnection::sessionBus(), QString::fromStdString(progId), patience);
        if (!link)
            return link.error();
        return std::unique_ptr<HostApplication>(
            std::make_unique<dbus::BusApplication>(link.take(), QLatin1String(busmembers::ApplicationPath)));
    }

private:
    Bounds m_bounds;
};
} // namespace

std::unique_ptr<Connector> makeDBusConnector(Bounds bounds)
{
    return std::make_unique<DBusConnector>(bounds);
}

std::unique_ptr<Connector> makeDBusConnector(int timeoutMs)
{
    return makeDBusConnector(Bounds{timeoutMs, timeoutMs});
}

std::unique_ptr<Connector> makeSystemConnector()
{
    return makeDBusConnector();
}

} // namespace host
