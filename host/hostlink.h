// The host application's automation objects, as the wizard sees them.
//
// This header is deliberately plain C++ with standard-library types only: the
// session-bus backend (Linux) and the COM backend (Windows) both implement it,
// and the three call sequences in sequences.h are written once against it.
//
// Every object is owned by a std::unique_ptr; dropping the pointer releases the
// host object, so a caller releases objects in exactly the order it resets them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace host {

// The name under which the running host registers itself.
inline constexpr const char *ProgId = "Plankora.Application";

// Error numbers. They follow the COM HRESULTs of the same failures, so that a
// person sees the same number whichever platform the wizard runs on.
namespace errors {
inline constexpr std::int64_t NoHost = 0x800401E3;       // MK_E_UNAVAILABLE
inline constexpr std::int64_t MemberFailed = 0x80020009; // DISP_E_EXCEPTION
inline constexpr std::int64_t WrongType = 0x80020005;    // DISP_E_TYPEMISMATCH
inline constexpr std::int64_t Timeout = 0x800705B4;      // HRESULT_FROM_WIN32(ERROR_TIMEOUT)
inline constexpr std::int64_t Transport = 0x80010108;    // RPC_E_DISCONNECTED
} // namespace errors

struct Error {
    std::int64_t number = 0;
    std::string description;
};

// A value or an error. Small on purpose: C++20 has no std::expected.
template<typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }
    T &value() { return std::get<0>(m_state); }
    T take() { return std::move(std::get<0>(m_state)); }
    const Error &error() const { return std::get<1>(m_state); }

private:
    std::variant<T, Error> m_state;
};

struct Done {};
using Status = Result<Done>;
inline Status success() { return Done{}; }

// An argument or result of a call made by name.
using Value = std::variant<std::monostate, bool, std::int64_t, double, std::string>;

// The symbol loader: an object the wizard calls by member name only.
class SymbolLoader {
public:
    virtual ~SymbolLoader() = default;
    virtual Result<Value> Invoke(const std::string &member, const std::vector<Value> &args) = 0;
};

class SymbolTarget {
public:
    virtual ~SymbolTarget() = default;
    virtual Status SetMode2D(bool on) = 0;                             // put Mode2D
    virtual Result<Value> OpenSymbolFile(const std::string &path) = 0; // the out value
    virtual Result<std::unique_ptr<host::SymbolLoader>> SymbolLoader() = 0;
};

class TargetProvider {
public:
    virtual ~TargetProvider() = default;
    virtual Result<std::unique_ptr<SymbolTarget>> Target() = 0;
};

class HostApplication {
public:
    virtual ~HostApplication() = default;
    virtual Result<std::unique_ptr<SymbolTarget>> ActiveTarget() = 0;
    virtual Status Prepare() = 0;
    virtual Result<std::unique_ptr<TargetProvider>> ActiveProvider() = 0;
};

// Which conversation takes the host. A person waits for the first page while
// start-up talks to the host, so that conversation is kept short as a whole;
// at a finish the host loads a symbol and builds a deck, which may take a while.
enum class Conversation { Startup, Finish };

// Takes the running instance registered under a name; never starts one.
class Connector {
public:
    virtual ~Connector() = default;
    virtual Result<std::unique_ptr<HostApplication>> attach(const std::string &progId) = 0;
    // A backend whose calls can be bounded bounds them by the conversation;
    // the others take the host as attach() does.
    virtual Result<std::unique_ptr<HostApplication>> attachFor(Conversation, const std::string &progId)
    {
        return attach(progId);
    }
};

} // namespace host
