#include "dbusconnector.h"

#include "dbusobjects.h"
#include "system.h"

namespace host {

namespace {
class DBusConnector : public Connector {
public:
    explicit DBusConnector(int timeoutMs) : m_timeoutMs(timeoutMs) {}

    Result<std::unique_ptr<HostApplication>> attach(const std::string &progId) override
    {
        auto link = dbus::Link::attach(QDBusConnection::sessionBus(), QString::fromStdString(progId), m_timeoutMs);
        if (!link)
            return link.error();
        return std::unique_ptr<HostApplication>(
            std::make_unique<dbus::BusApplication>(link.take(), QLatin1String(busmembers::ApplicationPath)));
    }

private:
    int m_timeoutMs;
};
} // namespace

std::unique_ptr<Connector> makeDBusConnector(int timeoutMs)
{
    return std::make_unique<DBusConnector>(timeoutMs);
}

std::unique_ptr<Connector> makeSystemConnector()
{
    return makeDBusConnector();
}

} // namespace host
