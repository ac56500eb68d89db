// Calls by member name through IDispatch, and the translation of their
// failures into the link's errors. Plain Win32; no other library.
#pragma once

#include "hostlink.h"

#include <windows.h>
#include <oaidl.h>

#include <memory>
#include <string>
#include <vector>

namespace host::com {

// Keeps COM initialised on this thread for as long as any host object lives.
// Objects hold it after their interface pointer, so the pointer is released
// first and CoUninitialize (when it is ours to call) comes last.
class Apartment {
public:
    Apartment();
    ~Apartment();
    Apartment(const Apartment &) = delete;
    Apartment &operator=(const Apartment &) = delete;
    HRESULT status() const { return m_status; }

private:
    HRESULT m_status;
    bool m_owned;
};
using ApartmentRef = std::shared_ptr<Apartment>;

struct Releaser {
    void operator()(IUnknown *object) const { object->Release(); }
};
using Dispatch = std::unique_ptr<IDispatch, Releaser>;

std::wstring wide(const std::string &text);
std::string narrow(const wchar_t *text, int length = -1);

// The link's error for a failed HRESULT. A filled EXCEPINFO supplies the
// description, and its scode, when that is a failure, the number; otherwise
// the system's message for the HRESULT is the description.
Error comError(HRESULT hr, EXCEPINFO *info = nullptr);

// The value of a VARIANT as the link passes values; other types are changed
// to text where the system can, else they come back empty.
Value toValue(const VARIANT &variant);

// An argument held for the duration of one call: a BSTR, a VARIANT_BOOL, or a
// by-reference VARIANT the callee fills.
class Arguments {
public:
    Arguments() = default;
    ~Arguments();
    Arguments(const Arguments &) = delete;
    Arguments &operator=(const Arguments &) = delete;

    void text(const std::string &value);
    void boolean(bool value);
    void number(std::int64_t value);
    void real(double value);
    void empty();
    // Adds an in/out VARIANT; its value after the call is out().
    void outValue();
    Value out() const;

    // In the order IDispatch wants them: the last argument first.
    std::vector<VARIANT> reversed() const;

private:
    std::vector<VARIANT> m_args; // in call order
    std::unique_ptr<VARIANT> m_out;
};

// Property get of an object-valued member.
Result<Dispatch> getObject(IDispatch *object, const wchar_t *member);
// Property put of a VARIANT_BOOL.
Status putBoolean(IDispatch *object, const wchar_t *member, bool value);
// Method call; the returned value, if any, is handed back.
Result<Value> callMethod(IDispatch *object, const wchar_t *member, Arguments &args);

} // namespace host::com
