// The test host's automation objects: plain IDispatch implementations that
// journal every call as one JSON line, with the same paths and fields as the
// session-bus test host, plus the VARIANT types each argument arrived as.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace comhost {

struct Settings {
    std::wstring failMember;    // the member that fails, if any
    HRESULT failCode = E_FAIL;  // its EXCEPINFO scode; 0 means a wCode instead
    std::wstring hiddenMember;  // a member GetIDsOfNames does not know
    std::FILE *journal = nullptr;
};

enum class Kind { Get, Put, Method };

struct Member {
    const wchar_t *name;
    Kind kind;
};

class HostObject : public IDispatch {
public:
    HostObject(const Settings &settings, std::string path, const char *interfaceName,
               std::vector<Member> members);
    virtual ~HostObject() = default;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *names, UINT count, LCID,
                                            DISPID *ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params,
                                     VARIANT *result, EXCEPINFO *info, UINT *badArgument) override;

    const std::string &path() const { return m_path; }
    LONG references() const { return m_refs; }
    // Journals the reference count the object ends with.
    void journalReferences() const;

protected:
    // Runs member `index` with the arguments in call order; `args` were
    // already journalled. Returns a failure HRESULT or fills `result`.
    virtual HRESULT run(size_t index, const std::vector<VARIANT *> &args, VARIANT *result) = 0;
    // Hands out another object of the host as a property value.
    static HRESULT handOut(HostObject &object, VARIANT *result);

private:
    void journal(const char *member, const char *kind, const std::string &args,
                 const std::string &types) const;

    const Settings &m_settings;
    std::string m_path;
    const char *m_interface;
    std::vector<Member> m_members;
    LONG m_refs = 1; // the host's own reference
    bool m_handedOut = false;
};

std::string json(const std::string &text);
std::string utf8(const wchar_t *text, int length = -1);

} // namespace comhost
