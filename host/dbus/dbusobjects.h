// The host objects over the session bus. Each holds the path the host handed
// out and the shared link; dropping one just drops the proxy, since the bus
// keeps no count of references.
#pragma once

#include "dbuslink.h"

namespace host::dbus {

class BusSymbolLoader : public host::SymbolLoader {
public:
    BusSymbolLoader(std::shared_ptr<Link> link, QString path);
    Result<Value> Invoke(const std::string &member, const std::vector<Value> &args) override;

private:
    std::shared_ptr<Link> m_link;
    QString m_path;
};

class BusSymbolTarget : public host::SymbolTarget {
public:
    BusSymbolTarget(std::shared_ptr<Link> link, QString path);
    Status SetMode2D(bool on) override;
    Result<Value> OpenSymbolFile(const std::string &path) override;
    Result<std::unique_ptr<host::SymbolLoader>> SymbolLoader() override;

private:
    std::shared_ptr<Link> m_link;
    QString m_path;
};

class BusTargetProvider : public host::TargetProvider {
public:
    BusTargetProvider(std::shared_ptr<Link> link, QString path);
    Result<std::unique_ptr<SymbolTarget>> Target() override;

private:
    std::shared_ptr<Link> m_link;
    QString m_path;
};

class BusApplication : public host::HostApplication {
public:
    BusApplication(std::shared_ptr<Link> link, QString path);
    Result<std::unique_ptr<SymbolTarget>> ActiveTarget() override;
    Status Prepare() override;
    Result<std::unique_ptr<TargetProvider>> ActiveProvider() override;

private:
    std::shared_ptr<Link> m_link;
    QString m_path;
};

} // namespace host::dbus
