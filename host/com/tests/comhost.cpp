// A stand-in for the host application on Windows: registers a running object
// under the CLSID that "Plankora.Application" names, answers every member the
// wizard uses, journals each call, and ends when a stop file appears or its
// time is up. At the end it journals every object's reference count.
//
//   comhost --journal FILE [--ready FILE] [--stop FILE] [--timeout SECONDS]
//           [--fail MEMBER [--fail-code HRESULT]] [--hide MEMBER]
//
// Its six objects are one IDispatch class and a table: each object's path,
// interface and members, what each property hands out, and the VARIANT types
// each member takes. Its journal is written as deckhost's is, with the same
// paths, plus the VARIANT types each argument arrived as.
#include <windows.h>
#include <oaidl.h>
#include <objbase.h>
#include <oleauto.h>

#include "journalline.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace {

// The options: "--fail" names the member that fails, "--fail-code" its
// EXCEPINFO scode (0: a wCode instead), "--hide" a member GetIDsOfNames does not know.
std::map<std::wstring, std::wstring> option{{L"--fail-code", L"0x80004005"}, {L"--timeout", L"60"}};
std::FILE *journalFile = nullptr;

std::string utf8(const wchar_t *text, size_t length)
{
    std::string result(WideCharToMultiByte(CP_UTF8, 0, text, int(length), nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, int(length), result.data(), int(result.size()), nullptr, nullptr);
    return result;
}

bool isOption(const wchar_t *name, const wchar_t *key) { return _wcsicmp(name, option[key].c_str()) == 0; }

// A member: its arguments' types in call order, and for a property the index
// of the object it hands out.
enum class Kind { Get, Put, Method };
struct Member { const wchar_t *name; Kind kind; std::vector<VARTYPE> takes; int handsOut = -1; };

class Object : public IDispatch {
public:
    Object(const char *path, const char *interfaceName, std::vector<Member> members)
        : m_path(path), m_interface(interfaceName), m_members(std::move(members)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override
    {
        if (!object)
            return E_POINTER;
        *object = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ? this : nullptr;
        return *object ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++m_refs); }
    // The host keeps its own reference until it ends, so the count stops at
    // one; reaching it again after a hand-out is the caller's last release.
    ULONG STDMETHODCALLTYPE Release() override
    {
        if (--m_refs == 1 && m_handedOut)
            m_handedOut = false, journal({{}, {}, "", "release"});
        return ULONG(m_refs);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override { return count ? (*count = 0, S_OK) : E_POINTER; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **info) override
    {
        return info ? (*info = nullptr, DISP_E_BADINDEX) : DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *names, UINT count, LCID, DISPID *ids) override
    {
        if (!names || !ids || count == 0)
            return E_INVALIDARG;
        std::fill(ids, ids + count, DISPID_UNKNOWN);
        for (size_t i = 0; count == 1 && !isOption(names[0], L"--hide") && i < m_members.size(); ++i)
            if (_wcsicmp(names[0], m_members[i].name) == 0)
                ids[0] = DISPID(i + 1); // no member takes named arguments
        return ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params, VARIANT *result,
                                     EXCEPINFO *info, UINT *) override;

    void journalReferences() const { journal({{}, {}, "", "refs", {std::int64_t(m_refs)}}); }

private:
    // An entry with the member, kind, arguments and types given, on this object.
    void journal(host::JournalEntry entry) const
    {
        entry.path = m_path, entry.interfaceName = m_interface;
        std::fputs((host::journalLine(entry) + "\n").c_str(), journalFile);
        std::fflush(journalFile);
    }

    const char *m_path;
    const char *m_interface;
    std::vector<Member> m_members;
    LONG m_refs = 1; // the host's own reference
    bool m_handedOut = false;
};

// Every object, in the order the journal lists their final counts.
std::vector<Object> &objects()
{
    const std::vector<VARTYPE> none, loadSymbol{VT_BSTR, VT_BOOL, VT_BOOL, VT_BOOL};
    const auto target = [&](int loader) {
        return std::vector<Member>{{L"Mode2D", Kind::Put, {VT_BOOL}},
                                   {L"OpenSymbolFile", Kind::Method, {VT_BSTR, VT_BYREF | VT_VARIANT}},
                                   {L"SymbolLoader", Kind::Get, none, loader}};
    };
    static std::vector<Object> all{
        {"/Application", "Plankora.HostApplication",
         {{L"ActiveTarget", Kind::Get, none, 2}, {L"Prepare", Kind::Method, none}, {L"ActiveProvider", Kind::Get, none, 1}}},
        {"/Application/Provider", "Plankora.TargetProvider", {{L"Target", Kind::Get, none, 3}}},
        {"/Application/ActiveTarget", "Plankora.SymbolTarget", target(4)},
        {"/Application/Provider/Target", "Plankora.SymbolTarget", target(5)},
        {"/Application/ActiveTarget/Loader", "Plankora.SymbolLoader", {{L"LoadSymbol", Kind::Method, loadSymbol}}},
        {"/Application/Provider/Target/Loader", "Plankora.SymbolLoader", {{L"LoadSymbol", Kind::Method, loadSymbol}}},
    };
    return all;
}

// The refusal of the member given by --fail: its text, and its code as an scode or a wCode.
HRESULT fail(const Member &member, EXCEPINFO *info)
{
    const HRESULT code = HRESULT(std::wcstoul(option[L"--fail-code"].c_str(), nullptr, 0));
    if (!info)
        return code ? code : DISP_E_EXCEPTION;
    *info = EXCEPINFO{.wCode = WORD(code ? 0 : 1001), .bstrSource = SysAllocString(L"Plankora.Application"),
                      .bstrDescription = SysAllocString((L"The host refused " + std::wstring(member.name) + L".").c_str()),
                      .scode = code};
    return DISP_E_EXCEPTION;
}

HRESULT Object::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params, VARIANT *result, EXCEPINFO *info,
                       UINT *)
{
    if (id < 1 || size_t(id) > m_members.size())
        return DISP_E_MEMBERNOTFOUND;
    if (!params)
        return E_INVALIDARG;
    const Member &member = m_members[size_t(id - 1)];
    const bool put = flags & DISPATCH_PROPERTYPUT, get = member.kind == Kind::Get && (flags & DISPATCH_PROPERTYGET);
    host::JournalEntry entry{{}, {}, utf8(member.name, wcslen(member.name)),
                             put ? "put" : get || !(flags & DISPATCH_METHOD) ? "get" : "call"};
    std::vector<VARIANT *> args; // in call order: IDispatch passes the last one first
    for (UINT i = params->cArgs; i-- > 0;) {
        VARIANT *arg = args.emplace_back(&params->rgvarg[i]);
        const VARTYPE vt = arg->vt;
        // The journal shows a malformed boolean raw and leaves a by-reference out value out.
        host::Value value;
        if (vt == VT_BSTR)
            value = utf8(arg->bstrVal, SysStringLen(arg->bstrVal));
        else if (vt == VT_BOOL && (arg->boolVal == VARIANT_TRUE || arg->boolVal == VARIANT_FALSE))
            value = arg->boolVal == VARIANT_TRUE;
        else if (vt == VT_BOOL || vt == VT_I4)
            value = std::int64_t(vt == VT_BOOL ? arg->boolVal : arg->lVal);
        if (vt != (VT_BYREF | VT_VARIANT))
            entry.args.push_back(value);
        entry.types.push_back(vt == VT_BSTR ? "VT_BSTR" : vt == VT_BOOL ? "VT_BOOL"
                              : vt == (VT_BYREF | VT_VARIANT) ? "VT_BYREF|VT_VARIANT" : "VT_" + std::to_string(vt));
    }
    journal(entry);

    if (member.kind == Kind::Put ? flags != DISPATCH_PROPERTYPUT
                                 : put || !(flags & (member.kind == Kind::Get ? DISPATCH_PROPERTYGET : DISPATCH_METHOD)))
        return DISP_E_MEMBERNOTFOUND;
    if (params->cNamedArgs != (put ? 1u : 0u))
        return put ? DISP_E_PARAMNOTFOUND : DISP_E_NONAMEDARGS;
    if (put && params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
        return DISP_E_PARAMNOTFOUND;
    if (isOption(member.name, L"--fail"))
        return fail(member, info);
    if (result)
        VariantInit(result);
    if (args.size() != member.takes.size())
        return DISP_E_BADPARAMCOUNT;
    for (size_t i = 0; i < args.size(); ++i) // a boolean is True -1 or False 0, nothing else
        if (args[i]->vt != member.takes[i]
            || (args[i]->vt == VT_BOOL && args[i]->boolVal != VARIANT_TRUE && args[i]->boolVal != VARIANT_FALSE))
            return DISP_E_TYPEMISMATCH;
    if (args.size() == 2 && args[1]->vt == (VT_BYREF | VT_VARIANT)) { // OpenSymbolFile's out value
        VariantClear(args[1]->pvarVal);
        args[1]->pvarVal->vt = VT_BSTR;
        args[1]->pvarVal->bstrVal = SysAllocString((L"Opened: " + std::wstring(args[0]->bstrVal)).c_str());
    }
    if (member.handsOut >= 0 && !result)
        return E_INVALIDARG;
    if (member.handsOut >= 0) {
        Object &object = objects()[size_t(member.handsOut)];
        object.m_handedOut = true, object.AddRef();
        result->vt = VT_DISPATCH, result->pdispVal = &object;
    }
    return S_OK;
}

// Serves calls until the stop file appears or the time is up.
void serve(const std::wstring &stopFile, ULONGLONG milliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while ((stopFile.empty() || GetFileAttributesW(stopFile.c_str()) == INVALID_FILE_ATTRIBUTES)
           && GetTickCount64() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
            TranslateMessage(&msg), DispatchMessageW(&msg);
    }
}

int complain(const wchar_t *what, HRESULT hr, int code)
{
    std::fwprintf(stderr, L"comhost: %ls (0x%08lX)\n", what, hr);
    return code;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    const std::wstring known = L" --journal --ready --stop --timeout --fail --fail-code --hide ";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (known.find(L" " + std::wstring(argv[i]) + L" ") == std::wstring::npos)
            return complain((L"unknown option " + std::wstring(argv[i])).c_str(), E_INVALIDARG, 2);
        option[argv[i]] = argv[i + 1];
    }
    if (option[L"--journal"].empty() || !(journalFile = _wfopen(option[L"--journal"].c_str(), L"wb")))
        return complain(L"cannot write the journal", E_INVALIDARG, 2);

    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 3;
    CLSID clsid;
    if (const HRESULT hr = CLSIDFromProgID(L"Plankora.Application", &clsid); FAILED(hr))
        return complain(L"Plankora.Application is not registered", hr, 3);
    DWORD cookie = 0;
    const HRESULT registered = RegisterActiveObject(&objects()[0], clsid, ACTIVEOBJECT_STRONG, &cookie);
    if (SUCCEEDED(registered)) {
        if (std::FILE *ready = option[L"--ready"].empty() ? nullptr : _wfopen(option[L"--ready"].c_str(), L"wb"))
            std::fclose(ready);
        serve(option[L"--stop"], std::wcstoull(option[L"--timeout"].c_str(), nullptr, 10) * 1000);
        RevokeActiveObject(cookie, nullptr);
        serve(L"", 100); // let the revocation's releases arrive
    }
    for (const Object &object : objects())
        object.journalReferences();
    std::fclose(journalFile);
    // A caller that still holds an object must not reach it once it is gone.
    for (Object &object : objects())
        CoDisconnectObject(&object, 0);
    CoUninitialize();
    return FAILED(registered) ? complain(L"cannot register the running object", registered, 3) : 0;
}
