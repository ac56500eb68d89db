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

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Settings {
    std::wstring failMember;   // the member that fails, if any
    HRESULT failCode = E_FAIL; // its EXCEPINFO scode; 0 means a wCode instead
    std::wstring hiddenMember; // a member GetIDsOfNames does not know
    std::FILE *journal = nullptr;
} settings;

std::string utf8(const wchar_t *text, int length)
{
    std::string result(WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), int(result.size()), nullptr, nullptr);
    return result;
}

std::string typeName(VARTYPE vt)
{
    if (vt == (VT_BYREF | VT_VARIANT))
        return "VT_BYREF|VT_VARIANT";
    return vt == VT_BSTR ? "VT_BSTR" : vt == VT_BOOL ? "VT_BOOL" : "VT_" + std::to_string(vt);
}

// An argument as the journal shows it, a malformed boolean raw; false for a
// by-reference out value, which the journal leaves out.
bool argumentValue(const VARIANT &arg, host::Value &value)
{
    if (arg.vt == VT_BSTR)
        value = utf8(arg.bstrVal, int(SysStringLen(arg.bstrVal)));
    else if (arg.vt == VT_BOOL && (arg.boolVal == VARIANT_TRUE || arg.boolVal == VARIANT_FALSE))
        value = arg.boolVal == VARIANT_TRUE;
    else if (arg.vt == VT_BOOL || arg.vt == VT_I4)
        value = std::int64_t(arg.vt == VT_BOOL ? arg.boolVal : arg.lVal);
    return arg.vt != (VT_BYREF | VT_VARIANT);
}

enum class Kind { Get, Put, Method };

struct Member {
    const wchar_t *name;
    Kind kind;
    std::vector<VARTYPE> takes; // the arguments, in call order
    int handsOut = -1;          // a property's value: the object with this index
};

class Object : public IDispatch {
public:
    Object(const char *path, const char *interfaceName, std::vector<Member> members)
        : m_path(path), m_interface(interfaceName), m_members(std::move(members))
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override
    {
        if (!object)
            return E_POINTER;
        *object = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ? this : nullptr;
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++m_refs); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        // The host keeps its own reference until it ends, so the count stops at
        // one; reaching it again after a hand-out is the caller's last release.
        const LONG left = --m_refs;
        if (left == 1 && m_handedOut) {
            m_handedOut = false;
            journal({{}, {}, "", "release"});
        }
        return ULONG(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **info) override
    {
        if (info)
            *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *names, UINT count, LCID, DISPID *ids) override
    {
        if (!names || !ids || count == 0)
            return E_INVALIDARG;
        for (UINT i = 0; i < count; ++i)
            ids[i] = DISPID_UNKNOWN;
        if (count > 1 || _wcsicmp(names[0], settings.hiddenMember.c_str()) == 0)
            return DISP_E_UNKNOWNNAME; // no member takes named arguments
        for (size_t i = 0; i < m_members.size(); ++i)
            if (_wcsicmp(names[0], m_members[i].name) == 0)
                ids[0] = DISPID(i + 1);
        return ids[0] == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params, VARIANT *result,
                                     EXCEPINFO *info, UINT *) override;

    void journalReferences() const { journal({{}, {}, "", "refs", {std::int64_t(m_refs)}}); }

private:
    // An entry with the member, kind, arguments and types given, on this object.
    void journal(host::JournalEntry entry) const
    {
        entry.path = m_path;
        entry.interfaceName = m_interface;
        std::fputs((host::journalLine(entry) + "\n").c_str(), settings.journal);
        std::fflush(settings.journal);
    }
    HRESULT fail(const Member &member, EXCEPINFO *info) const;

    const char *m_path;
    const char *m_interface;
    std::vector<Member> m_members;
    LONG m_refs = 1; // the host's own reference
    bool m_handedOut = false;
};

// Every object, in the order the journal lists their final counts.
std::vector<Object> &objects()
{
    static const std::vector<VARTYPE> none;
    static const std::vector<VARTYPE> openSymbolFile{VT_BSTR, VT_BYREF | VT_VARIANT};
    static const std::vector<VARTYPE> loadSymbol{VT_BSTR, VT_BOOL, VT_BOOL, VT_BOOL};
    const auto target = [&](int loader) {
        return std::vector<Member>{{L"Mode2D", Kind::Put, {VT_BOOL}},
                                   {L"OpenSymbolFile", Kind::Method, openSymbolFile},
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

HRESULT Object::fail(const Member &member, EXCEPINFO *info) const
{
    if (!info)
        return settings.failCode ? settings.failCode : DISP_E_EXCEPTION;
    *info = EXCEPINFO{};
    info->bstrSource = SysAllocString(L"Plankora.Application");
    info->bstrDescription = SysAllocString((L"The host refused " + std::wstring(member.name) + L".").c_str());
    if (settings.failCode)
        info->scode = settings.failCode;
    else
        info->wCode = 1001;
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

    std::vector<VARIANT *> args; // in call order: IDispatch passes the last one first
    const bool put = flags & DISPATCH_PROPERTYPUT;
    const bool get = member.kind == Kind::Get && (flags & DISPATCH_PROPERTYGET);
    host::JournalEntry entry{{}, {}, utf8(member.name, int(wcslen(member.name))),
                             put ? "put" : get || !(flags & DISPATCH_METHOD) ? "get" : "call"};
    for (UINT i = params->cArgs; i-- > 0;) {
        VARIANT *arg = &params->rgvarg[i];
        args.push_back(arg);
        if (host::Value value; argumentValue(*arg, value))
            entry.args.push_back(value);
        entry.types.push_back(typeName(arg->vt));
    }
    journal(entry);

    if (member.kind == Kind::Put ? flags != DISPATCH_PROPERTYPUT
                                 : put || !(flags & (member.kind == Kind::Get ? DISPATCH_PROPERTYGET : DISPATCH_METHOD)))
        return DISP_E_MEMBERNOTFOUND;
    if (params->cNamedArgs != (put ? 1u : 0u))
        return put ? DISP_E_PARAMNOTFOUND : DISP_E_NONAMEDARGS;
    if (put && params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
        return DISP_E_PARAMNOTFOUND;
    if (_wcsicmp(member.name, settings.failMember.c_str()) == 0)
        return fail(member, info);
    if (result)
        VariantInit(result);

    if (args.size() != member.takes.size())
        return DISP_E_BADPARAMCOUNT;
    for (size_t i = 0; i < args.size(); ++i)
        if (args[i]->vt != member.takes[i])
            return DISP_E_TYPEMISMATCH;
    // A boolean is True -1 or False 0, nothing else.
    for (VARIANT *arg : args)
        if (arg->vt == VT_BOOL && arg->boolVal != VARIANT_TRUE && arg->boolVal != VARIANT_FALSE)
            return DISP_E_TYPEMISMATCH;
    if (args.size() == 2 && args[1]->vt == (VT_BYREF | VT_VARIANT)) { // OpenSymbolFile's out value
        VARIANT *out = args[1]->pvarVal;
        VariantClear(out);
        out->vt = VT_BSTR;
        out->bstrVal = SysAllocString((L"Opened: " + std::wstring(args[0]->bstrVal)).c_str());
    }
    if (member.handsOut < 0)
        return S_OK;
    if (!result)
        return E_INVALIDARG;
    Object &object = objects()[size_t(member.handsOut)];
    object.AddRef();
    object.m_handedOut = true;
    result->vt = VT_DISPATCH;
    result->pdispVal = &object;
    return S_OK;
}

bool exists(const std::wstring &path)
{
    return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Serves calls until the stop file appears or the time is up.
void serve(const std::wstring &stopFile, DWORD milliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (!exists(stopFile) && GetTickCount64() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    std::wstring journalFile, readyFile, stopFile;
    DWORD seconds = 60;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring option = argv[i], value = argv[i + 1];
        if (option == L"--journal") journalFile = value;
        else if (option == L"--ready") readyFile = value;
        else if (option == L"--stop") stopFile = value;
        else if (option == L"--timeout") seconds = DWORD(std::wcstoul(value.c_str(), nullptr, 10));
        else if (option == L"--fail") settings.failMember = value;
        else if (option == L"--fail-code") settings.failCode = HRESULT(std::wcstoul(value.c_str(), nullptr, 0));
        else if (option == L"--hide") settings.hiddenMember = value;
        else {
            std::fwprintf(stderr, L"comhost: unknown option %ls\n", option.c_str());
            return 2;
        }
    }
    if (journalFile.empty() || !(settings.journal = _wfopen(journalFile.c_str(), L"wb"))) {
        std::fwprintf(stderr, L"comhost: cannot write the journal\n");
        return 2;
    }

    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 3;
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(L"Plankora.Application", &clsid);
    if (FAILED(hr)) {
        std::fwprintf(stderr, L"comhost: Plankora.Application is not registered (0x%08lX)\n", hr);
        return 3;
    }

    int code = 0;
    DWORD cookie = 0;
    hr = RegisterActiveObject(&objects()[0], clsid, ACTIVEOBJECT_STRONG, &cookie);
    if (FAILED(hr)) {
        std::fwprintf(stderr, L"comhost: cannot register the running object (0x%08lX)\n", hr);
        code = 3;
    } else {
        if (!readyFile.empty())
            if (std::FILE *ready = _wfopen(readyFile.c_str(), L"wb"))
                std::fclose(ready);
        serve(stopFile, seconds * 1000);
        RevokeActiveObject(cookie, nullptr);
        serve(L"", 100); // let the revocation's releases arrive
    }
    for (const Object &object : objects())
        object.journalReferences();
    std::fclose(settings.journal);
    settings.journal = nullptr;
    // A caller that still holds an object must not reach it once it is gone.
    for (Object &object : objects())
        CoDisconnectObject(&object, 0);
    CoUninitialize();
    return code;
}
