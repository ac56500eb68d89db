#include "comcall.h"

#include <oleauto.h>

#include <cstdio>

namespace host::com {

Apartment::Apartment()
{
    // A thread the GUI toolkit has already set up reports S_FALSE (ours to
    // balance) or RPC_E_CHANGED_MODE (someone else's; leave it alone).
    m_status = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    m_owned = SUCCEEDED(m_status);
    if (m_status == RPC_E_CHANGED_MODE)
        m_status = S_OK;
}

Apartment::~Apartment()
{
    if (m_owned)
        CoUninitialize();
}

std::wstring wide(const std::string &text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring result(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), result.data(), size);
    return result;
}

std::string narrow(const wchar_t *text, int length)
{
    if (!text || length == 0)
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
    if (length < 0 && !result.empty())
        result.pop_back(); // the terminating zero
    return result;
}

namespace {

// The texts Windows gives for the automation failures, for systems whose
// message tables lack them.
std::string knownMessage(HRESULT hr)
{
    switch (hr) {
    case DISP_E_UNKNOWNNAME: return "Unknown name.";
    case DISP_E_MEMBERNOTFOUND: return "Member not found.";
    case DISP_E_PARAMNOTFOUND: return "Parameter not found.";
    case DISP_E_TYPEMISMATCH: return "Type mismatch.";
    case DISP_E_BADPARAMCOUNT: return "Invalid number of parameters.";
    case DISP_E_NONAMEDARGS: return "No named arguments.";
    case DISP_E_EXCEPTION: return "Exception occurred.";
    case RPC_E_DISCONNECTED: return "The object invoked has disconnected from its clients.";
    case RPC_E_SERVERFAULT: return "The server threw an exception.";
    case E_FAIL: return "Unspecified error";
    default: return {};
    }
}

std::string systemMessage(HRESULT hr)
{
    wchar_t *buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, DWORD(hr), 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
    std::string text = length ? narrow(buffer, int(length)) : std::string();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    if (text.empty())
        text = knownMessage(hr);
    if (text.empty()) {
        char fallback[48];
        std::snprintf(fallback, sizeof fallback, "Automation error 0x%08lX", static_cast<unsigned long>(hr));
        text = fallback;
    }
    return text;
}

void clear(EXCEPINFO &info)
{
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    info = EXCEPINFO{};
}

} // namespace

Error comError(HRESULT hr, EXCEPINFO *info)
{
    Error error{std::int64_t(static_cast<std::uint32_t>(hr)), {}};
    if (hr == DISP_E_EXCEPTION && info) {
        if (info->pfnDeferredFillIn)
            info->pfnDeferredFillIn(info);
        if (FAILED(info->scode))
            error.number = std::int64_t(static_cast<std::uint32_t>(info->scode));
        if (info->bstrDescription)
            error.description = narrow(info->bstrDescription, int(SysStringLen(info->bstrDescription)));
    }
    if (info)
        clear(*info);
    if (error.description.empty())
        error.description = systemMessage(HRESULT(error.number));
    return error;
}

Value toValue(const VARIANT &variant)
{
    switch (variant.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return Value{};
    case VT_BOOL:
        return Value{variant.boolVal != VARIANT_FALSE};
    case VT_I1: return Value{std::int64_t(variant.cVal)};
    case VT_UI1: return Value{std::int64_t(variant.bVal)};
    case VT_I2: return Value{std::int64_t(variant.iVal)};
    case VT_UI2: return Value{std::int64_t(variant.uiVal)};
    case VT_I4: return Value{std::int64_t(variant.lVal)};
    case VT_UI4: return Value{std::int64_t(variant.ulVal)};
    case VT_INT: return Value{std::int64_t(variant.intVal)};
    case VT_UINT: return Value{std::int64_t(variant.uintVal)};
    case VT_I8: return Value{std::int64_t(variant.llVal)};
    case VT_R4: return Value{double(variant.fltVal)};
    case VT_R8: return Value{variant.dblVal};
    case VT_BSTR:
        return Value{narrow(variant.bstrVal, int(SysStringLen(variant.bstrVal)))};
    default: {
        VARIANT text;
        VariantInit(&text);
        Value value;
        if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT *>(&variant), 0, VT_BSTR)))
            value = narrow(text.bstrVal, int(SysStringLen(text.bstrVal)));
        VariantClear(&text);
        return value;
    }
    }
}

Arguments::~Arguments()
{
    for (auto &arg : m_args)
        if (arg.vt != (VT_BYREF | VT_VARIANT))
            VariantClear(&arg);
    if (m_out)
        VariantClear(m_out.get());
}

void Arguments::text(const std::string &value)
{
    const std::wstring w = wide(value);
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringLen(w.data(), UINT(w.size()));
    m_args.push_back(v);
}

void Arguments::boolean(bool value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    m_args.push_back(v);
}

void Arguments::number(std::int64_t value)
{
    VARIANT v;
    VariantInit(&v);
    if (value >= INT32_MIN && value <= INT32_MAX) {
        v.vt = VT_I4;
        v.lVal = LONG(value);
    } else {
        v.vt = VT_R8;
        v.dblVal = double(value);
    }
    m_args.push_back(v);
}

void Arguments::real(double value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = value;
    m_args.push_back(v);
}

void Arguments::empty()
{
    VARIANT v;
    VariantInit(&v);
    m_args.push_back(v);
}

void Arguments::outValue()
{
    m_out = std::make_unique<VARIANT>();
    VariantInit(m_out.get());
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BYREF | VT_VARIANT;
    v.pvarVal = m_out.get();
    m_args.push_back(v);
}

Value Arguments::out() const
{
    return m_out ? toValue(*m_out) : Value{};
}

std::vector<VARIANT> Arguments::reversed() const
{
    return std::vector<VARIANT>(m_args.rbegin(), m_args.rend());
}

namespace {

Result<DISPID> memberId(IDispatch *object, const wchar_t *member)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    const HRESULT hr = object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (hr == DISP_E_UNKNOWNNAME)
        return Error{std::int64_t(static_cast<std::uint32_t>(hr)), "Unknown name: " + narrow(member) + "."};
    if (FAILED(hr))
        return comError(hr);
    return id;
}

// One Invoke; the result VARIANT, when the caller wants it, is the caller's to clear.
HRESULT invoke(IDispatch *object, DISPID id, WORD flags, DISPPARAMS &params, VARIANT *result,
               Error &error)
{
    EXCEPINFO info{};
    UINT badArgument = 0;
    const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                                      &info, &badArgument);
    if (FAILED(hr))
        error = comError(hr, &info);
    else
        clear(info); // a callee may fill it even on success
    return hr;
}

} // namespace

Result<Dispatch> getObject(IDispatch *object, const wchar_t *member)
{
    auto id = memberId(object, member);
    if (!id)
        return id.error();
    DISPPARAMS params{nullptr, nullptr, 0, 0};
    VARIANT result;
    VariantInit(&result);
    Error error;
    if (FAILED(invoke(object, id.value(), DISPATCH_PROPERTYGET, params, &result, error)))
        return error;

    IDispatch *dispatch = nullptr;
    HRESULT hr = DISP_E_TYPEMISMATCH;
    if (result.vt == VT_DISPATCH && result.pdispVal)
        hr = result.pdispVal->QueryInterface(IID_IDispatch, reinterpret_cast<void **>(&dispatch));
    else if (result.vt == VT_UNKNOWN && result.punkVal)
        hr = result.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void **>(&dispatch));
    VariantClear(&result);
    if (FAILED(hr))
        return Error{errors::WrongType, "The host gave no object for " + narrow(member) + "."};
    return Dispatch(dispatch);
}

Status putBoolean(IDispatch *object, const wchar_t *member, bool value)
{
    auto id = memberId(object, member);
    if (!id)
        return id.error();
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_BOOL;
    arg.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&arg, &named, 1, 1};
    Error error;
    if (FAILED(invoke(object, id.value(), DISPATCH_PROPERTYPUT, params, nullptr, error)))
        return error;
    return success();
}

Result<Value> callMethod(IDispatch *object, const wchar_t *member, Arguments &args)
{
    auto id = memberId(object, member);
    if (!id)
        return id.error();
    std::vector<VARIANT> reversed = args.reversed();
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, UINT(reversed.size()), 0};
    VARIANT result;
    VariantInit(&result);
    Error error;
    if (FAILED(invoke(object, id.value(), DISPATCH_METHOD, params, &result, error)))
        return error;
    Value value = toValue(result);
    VariantClear(&result);
    return value;
}

} // namespace host::com
