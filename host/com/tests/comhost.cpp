// A stand-in for the host application on Windows: registers a running object
// under the CLSID that "Plankora.Application" names, answers every member the
// wizard uses, journals each call, and ends when a stop file appears or its
// time is up. At the end it journals every object's reference count.
//
//   comhost --journal FILE [--ready FILE] [--stop FILE] [--timeout SECONDS]
//           [--fail MEMBER [--fail-code HRESULT]] [--hide MEMBER]
#include "hostobject.h"

#include <objbase.h>
#include <oleauto.h>

#include <cstdlib>
#include <cwchar>

using namespace comhost;

namespace {

class Loader : public HostObject {
public:
    Loader(const Settings &s, const std::string &target)
        : HostObject(s, target + "/Loader", "Plankora.SymbolLoader", {{L"LoadSymbol", Kind::Method}})
    {
    }

protected:
    HRESULT run(size_t, const std::vector<VARIANT *> &args, VARIANT *) override
    {
        if (args.size() != 4)
            return DISP_E_BADPARAMCOUNT;
        if (args[0]->vt != VT_BSTR)
            return DISP_E_TYPEMISMATCH;
        for (size_t i = 1; i < 4; ++i)
            if (args[i]->vt != VT_BOOL)
                return DISP_E_TYPEMISMATCH;
        return S_OK;
    }
};

class Target : public HostObject {
public:
    Target(const Settings &s, const std::string &path)
        : HostObject(s, path, "Plankora.SymbolTarget",
                     {{L"Mode2D", Kind::Put}, {L"OpenSymbolFile", Kind::Method}, {L"SymbolLoader", Kind::Get}}),
          m_loader(s, path)
    {
    }
    HostObject &loader() { return m_loader; }

protected:
    HRESULT run(size_t index, const std::vector<VARIANT *> &args, VARIANT *result) override
    {
        switch (index) {
        case 0: // Mode2D: a VARIANT_BOOL, True -1 or False 0, nothing else
            if (args.size() != 1)
                return DISP_E_BADPARAMCOUNT;
            if (args[0]->vt != VT_BOOL || (args[0]->boolVal != VARIANT_TRUE && args[0]->boolVal != VARIANT_FALSE))
                return DISP_E_TYPEMISMATCH;
            return S_OK;
        case 1: { // OpenSymbolFile(path, out value)
            if (args.size() != 2)
                return DISP_E_BADPARAMCOUNT;
            if (args[0]->vt != VT_BSTR || args[1]->vt != (VT_BYREF | VT_VARIANT))
                return DISP_E_TYPEMISMATCH;
            VARIANT *out = args[1]->pvarVal;
            VariantClear(out);
            out->vt = VT_BSTR;
            out->bstrVal = SysAllocString((L"Opened: " + std::wstring(args[0]->bstrVal)).c_str());
            return S_OK;
        }
        default:
            if (!args.empty())
                return DISP_E_BADPARAMCOUNT;
            return handOut(m_loader, result);
        }
    }

private:
    Loader m_loader;
};

class Provider : public HostObject {
public:
    explicit Provider(const Settings &s)
        : HostObject(s, "/Application/Provider", "Plankora.TargetProvider", {{L"Target", Kind::Get}}),
          m_target(s, "/Application/Provider/Target")
    {
    }
    Target &target() { return m_target; }

protected:
    HRESULT run(size_t, const std::vector<VARIANT *> &args, VARIANT *result) override
    {
        if (!args.empty())
            return DISP_E_BADPARAMCOUNT;
        return handOut(m_target, result);
    }

private:
    Target m_target;
};

class Application : public HostObject {
public:
    explicit Application(const Settings &s)
        : HostObject(s, "/Application", "Plankora.HostApplication",
                     {{L"ActiveTarget", Kind::Get}, {L"Prepare", Kind::Method}, {L"ActiveProvider", Kind::Get}}),
          m_active(s, "/Application/ActiveTarget"), m_provider(s)
    {
    }

    // Every object, in the order the journal lists their final counts.
    std::vector<HostObject *> all()
    {
        return {this, &m_provider, &m_active, &m_provider.target(), &m_active.loader(),
                &m_provider.target().loader()};
    }

protected:
    HRESULT run(size_t index, const std::vector<VARIANT *> &args, VARIANT *result) override
    {
        if (!args.empty())
            return DISP_E_BADPARAMCOUNT;
        switch (index) {
        case 0: return handOut(m_active, result);
        case 1: return S_OK;
        default: return handOut(m_provider, result);
        }
    }

private:
    Target m_active;
    Provider m_provider;
};

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
    Settings settings;
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
    {
        Application app(settings);
        DWORD cookie = 0;
        hr = RegisterActiveObject(&app, clsid, ACTIVEOBJECT_STRONG, &cookie);
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
        for (HostObject *object : app.all())
            object->journalReferences();
        std::fclose(settings.journal);
        settings.journal = nullptr;
        // A caller that still holds an object must not reach it once it is gone.
        for (HostObject *object : app.all())
            CoDisconnectObject(object, 0);
    }
    CoUninitialize();
    return code;
}
