#include "fakehost.h"

#include "journalline.h"

namespace host::testing {
namespace {

using StatePtr = std::shared_ptr<FakeHostState>;

// Records its own release; every object of the fake host derives from it.
class Recorded {
public:
    Recorded(StatePtr state, std::string name) : m_state(std::move(state)), m_name(std::move(name)) { ++m_state->live; }
    ~Recorded() { --m_state->live, m_state->journal.push_back("release " + m_name); }

protected:
    // Journals "name.member args"; the member's failure when it is to fail, else `value`.
    template<typename T = Done>
    Result<T> call(const std::string &member, const std::string &args = {}, T value = {})
    {
        m_state->journal.push_back(m_name + "." + member + (args.empty() ? "" : " " + args));
        if (m_state->failing.count(member))
            return Error{errors::MemberFailed, "The host refused " + member + "."};
        return value;
    }
    // A property that hands out a new object of the host, named `name`.
    template<typename Object, typename Interface>
    Result<std::unique_ptr<Interface>> handOut(const std::string &member, const char *name)
    {
        if (auto s = call(member); !s)
            return s.error();
        return std::unique_ptr<Interface>(std::make_unique<Object>(m_state, name));
    }

    StatePtr m_state;
    std::string m_name;
};

class FakeLoader : public SymbolLoader, Recorded {
public:
    using Recorded::Recorded;
    Result<Value> Invoke(const std::string &member, const std::vector<Value> &args) override
    {
        std::string text;
        for (const auto &arg : args)
            text += (text.empty() ? "" : ", ") + describe(arg);
        return call<Value>(member, "(" + text + ")");
    }
};

class FakeTarget : public SymbolTarget, Recorded {
public:
    using Recorded::Recorded;
    Status SetMode2D(bool on) override { return call("Mode2D", on ? "= True" : "= False"); }
    Result<Value> OpenSymbolFile(const std::string &path) override
    {
        return call<Value>("OpenSymbolFile", "(\"" + path + "\")", true);
    }
    Result<std::unique_ptr<host::SymbolLoader>> SymbolLoader() override
    {
        return handOut<FakeLoader, host::SymbolLoader>("SymbolLoader", "loader");
    }
};

class FakeProvider : public TargetProvider, Recorded {
public:
    using Recorded::Recorded;
    Result<std::unique_ptr<SymbolTarget>> Target() override
    {
        return handOut<FakeTarget, SymbolTarget>("Target", "providerTarget");
    }
};

class FakeApplication : public HostApplication, Recorded {
public:
    using Recorded::Recorded;
    Result<std::unique_ptr<SymbolTarget>> ActiveTarget() override
    {
        return handOut<FakeTarget, SymbolTarget>("ActiveTarget", "activeTarget");
    }
    Status Prepare() override { return call("Prepare"); }
    Result<std::unique_ptr<TargetProvider>> ActiveProvider() override
    {
        return handOut<FakeProvider, TargetProvider>("ActiveProvider", "provider");
    }
};

} // namespace

Result<std::unique_ptr<HostApplication>> FakeConnector::attach(const std::string &progId)
{
    m_state->journal.push_back("attach " + progId);
    if (!m_state->running)
        return Error{errors::NoHost, "No host application is running under \"" + progId + "\"."};
    return std::unique_ptr<HostApplication>(std::make_unique<FakeApplication>(m_state, "app"));
}

} // namespace host::testing
