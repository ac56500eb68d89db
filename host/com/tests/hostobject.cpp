#include "hostobject.h"

#include <oleauto.h>

namespace comhost {

std::string utf8(const wchar_t *text, int length)
{
    if (!text || length == 0)
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
    if (length < 0 && !result.empty())
        result.pop_back();
    return result;
}

std::string json(const std::string &text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

namespace {

std::string typeName(VARTYPE vt)
{
    switch (vt) {
    case VT_EMPTY: return "VT_EMPTY";
    case VT_BOOL: return "VT_BOOL";
    case VT_BSTR: return "VT_BSTR";
    case VT_I2: return "VT_I2";
    case VT_I4: return "VT_I4";
    case VT_R8: return "VT_R8";
    case VT_DISPATCH: return "VT_DISPATCH";
    case VT_BYREF | VT_VARIANT: return "VT_BYREF|VT_VARIANT";
    default: return "VT_" + std::to_string(vt);
    }
}

// An argument as the journal shows it; a by-reference out value shows nothing.
std::string argumentText(const VARIANT &arg)
{
    switch (arg.vt) {
    case VT_BSTR: return json(utf8(arg.bstrVal, int(SysStringLen(arg.bstrVal))));
    case VT_BOOL:
        if (arg.boolVal == VARIANT_TRUE)
            return "true";
        if (arg.boolVal == VARIANT_FALSE)
            return "false";
        return std::to_string(arg.boolVal); // a malformed boolean, shown raw
    case VT_I2: return std::to_string(arg.iVal);
    case VT_I4: return std::to_string(arg.lVal);
    case VT_R8: return std::to_string(arg.dblVal);
    case VT_BYREF | VT_VARIANT: return {};
    default: return "null";
    }
}

const char *kindText(Kind member, WORD flags)
{
    if (flags & DISPATCH_PROPERTYPUT)
        return "put";
    if (member == Kind::Get && (flags & DISPATCH_PROPERTYGET))
        return "get";
    if (flags & DISPATCH_METHOD)
        return "call";
    return "get";
}

bool flagsFit(Kind member, WORD flags)
{
    switch (member) {
    case Kind::Get: return (flags & DISPATCH_PROPERTYGET) && !(flags & DISPATCH_PROPERTYPUT);
    case Kind::Put: return flags == DISPATCH_PROPERTYPUT;
    case Kind::Method: return (flags & DISPATCH_METHOD) && !(flags & DISPATCH_PROPERTYPUT);
    }
    return false;
}

} // namespace

HostObject::HostObject(const Settings &settings, std::string path, const char *interfaceName,
                       std::vector<Member> members)
    : m_settings(settings), m_path(std::move(path)), m_interface(interfaceName), m_members(std::move(members))
{
}

HRESULT HostObject::QueryInterface(REFIID iid, void **object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *object = static_cast<IDispatch *>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG HostObject::AddRef()
{
    return ULONG(++m_refs);
}

ULONG HostObject::Release()
{
    // The host keeps its own reference until it ends, so the count stops at
    // one; reaching it again after a hand-out is the caller's last release.
    const LONG left = --m_refs;
    if (left == 1 && m_handedOut) {
        m_handedOut = false;
        journal("", "release", "", "");
    }
    return ULONG(left);
}

HRESULT HostObject::GetTypeInfoCount(UINT *count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT HostObject::GetTypeInfo(UINT, LCID, ITypeInfo **info)
{
    if (info)
        *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT HostObject::GetIDsOfNames(REFIID, LPOLESTR *names, UINT count, LCID, DISPID *ids)
{
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    if (count > 1)
        return DISP_E_UNKNOWNNAME; // no member takes named arguments
    if (!m_settings.hiddenMember.empty() && _wcsicmp(names[0], m_settings.hiddenMember.c_str()) == 0)
        return DISP_E_UNKNOWNNAME;
    for (size_t i = 0; i < m_members.size(); ++i) {
        if (_wcsicmp(names[0], m_members[i].name) == 0) {
            ids[0] = DISPID(i + 1);
            return S_OK;
        }
    }
    return DISP_E_UNKNOWNNAME;
}

HRESULT HostObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params, VARIANT *result,
                           EXCEPINFO *info, UINT *)
{
    if (id < 1 || size_t(id) > m_members.size())
        return DISP_E_MEMBERNOTFOUND;
    if (!params)
        return E_INVALIDARG;
    const Member &member = m_members[size_t(id - 1)];

    std::vector<VARIANT *> args; // in call order: IDispatch passes the last one first
    std::string argsText, typesText;
    for (UINT i = params->cArgs; i-- > 0;) {
        VARIANT *arg = &params->rgvarg[i];
        args.push_back(arg);
        const std::string text = argumentText(*arg);
        if (!text.empty())
            argsText += (argsText.empty() ? "" : ",") + text;
        typesText += (typesText.empty() ? "\"" : ",\"") + typeName(arg->vt) + "\"";
    }
    const std::string name = utf8(member.name);
    journal(name.c_str(), kindText(member.kind, flags), argsText, typesText);

    if (!flagsFit(member.kind, flags))
        return DISP_E_MEMBERNOTFOUND;
    if (member.kind == Kind::Put) {
        if (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_PARAMNOTFOUND;
    } else if (params->cNamedArgs != 0) {
        return DISP_E_NONAMEDARGS;
    }

    if (_wcsicmp(member.name, m_settings.failMember.c_str()) == 0) {
        if (!info)
            return m_settings.failCode ? m_settings.failCode : DISP_E_EXCEPTION;
        *info = EXCEPINFO{};
        info->bstrSource = SysAllocString(L"Plankora.Application");
        info->bstrDescription = SysAllocString((L"The host refused " + std::wstring(member.name) + L".").c_str());
        if (m_settings.failCode)
            info->scode = m_settings.failCode;
        else
            info->wCode = 1001;
        return DISP_E_EXCEPTION;
    }
    if (result)
        VariantInit(result);
    return run(size_t(id - 1), args, result);
}

HRESULT HostObject::handOut(HostObject &object, VARIANT *result)
{
    if (!result)
        return E_INVALIDARG;
    object.AddRef();
    object.m_handedOut = true;
    result->vt = VT_DISPATCH;
    result->pdispVal = &object;
    return S_OK;
}

void HostObject::journal(const char *member, const char *kind, const std::string &args,
                         const std::string &types) const
{
    if (!m_settings.journal)
        return;
    std::string line = "{\"path\":" + json(m_path) + ",\"interface\":" + json(m_interface)
        + ",\"member\":" + json(member) + ",\"kind\":" + json(kind) + ",\"args\":[" + args + "]";
    if (!types.empty())
        line += ",\"types\":[" + types + "]";
    line += "}\n";
    std::fputs(line.c_str(), m_settings.journal);
    std::fflush(m_settings.journal);
}

void HostObject::journalReferences() const
{
    journal("", "refs", std::to_string(m_refs), "");
}

} // namespace comhost
