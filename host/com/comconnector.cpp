#include "comconnector.h"

#include "comcall.h"
#include "system.h"

#include <oleauto.h>

namespace host::com {
namespace {

// What every object of the link holds. The members are released in reverse
// order of declaration: the interface pointer, then the apartment.
class Held {
protected:
    Held(ApartmentRef apartment, Dispatch object)
        : m_apartment(std::move(apartment)), m_object(std::move(object))
    {
    }
    IDispatch *object() const { return m_object.get(); }
    const ApartmentRef &apartment() const { return m_apartment; }

private:
    ApartmentRef m_apartment;
    Dispatch m_object;
};

template<typename Interface, typename Object>
Result<std::unique_ptr<Interface>> wrap(const ApartmentRef &apartment, Result<Dispatch> got)
{
    if (!got)
        return got.error();
    return std::unique_ptr<Interface>(std::make_unique<Object>(apartment, got.take()));
}

class ComLoader : public SymbolLoader, Held {
public:
    ComLoader(ApartmentRef apartment, Dispatch object) : Held(std::move(apartment), std::move(object)) {}

    Result<Value> Invoke(const std::string &member, const std::vector<Value> &args) override
    {
        Arguments list;
        for (const Value &arg : args) {
            if (auto b = std::get_if<bool>(&arg))
                list.boolean(*b);
            else if (auto s = std::get_if<std::string>(&arg))
                list.text(*s);
            else if (auto i = std::get_if<std::int64_t>(&arg))
                list.number(*i);
            else if (auto d = std::get_if<double>(&arg))
                list.real(*d);
            else
                list.empty();
        }
        return callMethod(object(), wide(member).c_str(), list);
    }
};

class ComTarget : public SymbolTarget, Held {
public:
    ComTarget(ApartmentRef apartment, Dispatch object) : Held(std::move(apartment), std::move(object)) {}

    Status SetMode2D(bool on) override { return putBoolean(object(), L"Mode2D", on); }

    Result<Value> OpenSymbolFile(const std::string &path) override
    {
        Arguments args;
        args.text(path);
        args.outValue();
        auto called = callMethod(object(), L"OpenSymbolFile", args);
        if (!called)
            return called.error();
        return args.out();
    }

    Result<std::unique_ptr<host::SymbolLoader>> SymbolLoader() override
    {
        return wrap<host::SymbolLoader, ComLoader>(apartment(), getObject(object(), L"SymbolLoader"));
    }
};

class ComProvider : public TargetProvider, Held {
public:
    ComProvider(ApartmentRef apartment, Dispatch object) : Held(std::move(apartment), std::move(object)) {}

    Result<std::unique_ptr<SymbolTarget>> Target() override
    {
        return wrap<SymbolTarget, ComTarget>(apartment(), getObject(object(), L"Target"));
    }
};

class ComApplication : public HostApplication, Held {
public:
    ComApplication(ApartmentRef apartment, Dispatch object) : Held(std::move(apartment), std::move(object)) {}

    Result<std::unique_ptr<SymbolTarget>> ActiveTarget() override
    {
        return wrap<SymbolTarget, ComTarget>(apartment(), getObject(object(), L"ActiveTarget"));
    }

    Status Prepare() override
    {
        Arguments none;
        auto called = callMethod(object(), L"Prepare", none);
        if (!called)
            return called.error();
        return success();
    }

    Result<std::unique_ptr<TargetProvider>> ActiveProvider() override
    {
        return wrap<TargetProvider, ComProvider>(apartment(), getObject(object(), L"ActiveProvider"));
    }
};

} // namespace

Result<std::unique_ptr<HostApplication>> ComConnector::attach(const std::string &progId)
{
    auto apartment = std::make_shared<Apartment>();
    if (FAILED(apartment->status()))
        return comError(apartment->status());

    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(wide(progId).c_str(), &clsid);
    if (FAILED(hr)) {
        Error error = comError(hr);
        if (hr == CO_E_CLASSSTRING)
            error.description = "No host application is registered under \"" + progId + "\".";
        return error;
    }

    IUnknown *running = nullptr;
    hr = GetActiveObject(clsid, nullptr, &running);
    if (hr == MK_E_UNAVAILABLE)
        return Error{errors::NoHost, "No host application is running under \"" + progId + "\"."};
    if (FAILED(hr))
        return comError(hr);
    IDispatch *dispatch = nullptr;
    hr = running->QueryInterface(IID_IDispatch, reinterpret_cast<void **>(&dispatch));
    running->Release();
    if (FAILED(hr))
        return comError(hr);
    return std::unique_ptr<HostApplication>(
        std::make_unique<ComApplication>(std::move(apartment), Dispatch(dispatch)));
}

} // namespace host::com

namespace host {
std::unique_ptr<Connector> makeSystemConnector()
{
    return std::make_unique<com::ComConnector>();
}
} // namespace host
