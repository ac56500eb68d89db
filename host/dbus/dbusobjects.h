// The host objects over the session bus. Each holds the path the host handed
// out and the shared link; dropping one just drops the proxy, since the bus
// keeps no count of references.
#pragma once

#include "dbuslink.h"

namespace host::dbus {

// What every host object on the bus is: a path on the shared link.
class BusObject {
public:
    BusObject(std::shared_ptr<Link> link, QString path) : m_link(std::move(link)), m_path(std::move(path)) {}

protected:
    std::shared_ptr<Link> m_link;
    QString m_path;
};

class BusSymbolLoader : public host::SymbolLoader, BusObject {
public:
    using BusObject::BusObject;
    Result<Value> Invoke(const std::string &member, const std::vector<Value> &args) override;
};

class BusSymbolTarget : public host::SymbolTarget, BusObject {
public:
    using BusObject::BusObject;
    Status SetMode2D(bool on) override;
    Result<Value> OpenSymbolFile(const std::string &path) override;
    Result<std::unique_ptr<host::SymbolLoader>> SymbolLoader() override;
};

class BusTargetProvider : public host::TargetProvider, BusObject {
public:
    using BusObject::BusObject;
    Result<std::unique_ptr<SymbolTarget>> Target() override;
};

class BusApplication : public host::HostApplication, BusObject {
public:
    using BusObject::BusObject;
    Result<std::unique_ptr<SymbolTarget>> ActiveTarget() override;
    Status Prepare() override;
    Result<std::unique_ptr<TargetProvider>> ActiveProvider() override;
};

} // namespace host::dbus
