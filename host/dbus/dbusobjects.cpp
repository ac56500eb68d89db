#include "dbusobjects.h"

namespace host::dbus {

namespace {
// Takes the object at the path the host hands out for `property`.
template<typename Object, typename Interface>
Result<std::unique_ptr<Interface>> objectAt(const std::shared_ptr<Link> &link, const QString &path,
                                            const busmembers::Member &property)
{
    auto objectPath = link->getObject(path, property);
    if (!objectPath)
        return objectPath.error();
    return std::unique_ptr<Interface>(std::make_unique<Object>(link, objectPath.value()));
}

Value firstValue(const QVariantList &arguments)
{
    return arguments.isEmpty() ? Value{} : toValue(arguments.first());
}
} // namespace

Result<Value> BusSymbolLoader::Invoke(const std::string &member, const std::vector<Value> &args)
{
    QVariantList arguments;
    for (const Value &arg : args) {
        const QVariant variant = toVariant(arg);
        if (!variant.isValid())
            return Error{errors::WrongType, "An empty value cannot be passed to \"" + member + "\" of the host's "
                                                + m_path.toStdString() + "."};
        arguments << variant;
    }
    auto reply = m_link->callByName(m_path, QLatin1String(busmembers::SymbolLoader), QString::fromStdString(member),
                                    arguments);
    if (!reply)
        return reply.error();
    return firstValue(reply.value());
}

Status BusSymbolTarget::SetMode2D(bool on)
{
    return m_link->put(m_path, busmembers::Mode2D, on);
}

Result<Value> BusSymbolTarget::OpenSymbolFile(const std::string &path)
{
    auto reply = m_link->call(m_path, busmembers::OpenSymbolFile, {QString::fromStdString(path)});
    if (!reply)
        return reply.error();
    return firstValue(reply.value());
}

Result<std::unique_ptr<host::SymbolLoader>> BusSymbolTarget::SymbolLoader()
{
    return objectAt<BusSymbolLoader, host::SymbolLoader>(m_link, m_path, busmembers::GetSymbolLoader);
}

Result<std::unique_ptr<SymbolTarget>> BusTargetProvider::Target()
{
    return objectAt<BusSymbolTarget, SymbolTarget>(m_link, m_path, busmembers::Target);
}

Result<std::unique_ptr<SymbolTarget>> BusApplication::ActiveTarget()
{
    return objectAt<BusSymbolTarget, SymbolTarget>(m_link, m_path, busmembers::ActiveTarget);
}

Status BusApplication::Prepare()
{
    auto reply = m_link->call(m_path, busmembers::Prepare);
    if (!reply)
        return reply.error();
    return success();
}

Result<std::unique_ptr<TargetProvider>> BusApplication::ActiveProvider()
{
    return objectAt<BusTargetProvider, TargetProvider>(m_link, m_path, busmembers::ActiveProvider);
}

} // namespace host::dbus
