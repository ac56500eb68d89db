#include "fakehost.h"

#include "journalline.h"

namespace host::testing {
namespace {

using StatePtr = std::shared_ptr<FakeHostState>;

// Records its own release; every object of the fake host derives from it.
class Recorded {
public:
    Recorded(StatePtr state, std::string name) : m_state(std::move(state)), m_name(std::move(name))
    {
        ++m_state->live;
    }
    ~Recorded()
    {
        --m_state->live;
        m_state->journal.push_back("release " + m_name);
    }

protected:
    // Journals "name.member args" and says whether the member is to fail.
    bool call(const std::string &member, const std::string &args = {})
    {
        m_state->journal.push_back(m_name + "." + member + (args.empty() ? "" : " " + args));
        return m_state->failing.count(member) == 0;
    }
    Error failure(const std::string &member) const { return m_state->failure(member); }

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
        if (!call(member, "(" + text + ")"))
            return failure(member);
        return Value{};
    }
};

class FakeTarget : public SymbolTarget, Recorded {
public:
    using Recorded::Recorded;
    Status SetMode2D(bool on) override
    {
        if (!call("Mode2D", on ? "= True" : "= False"))
            return failure("Mode2D");
        return success();
    }
    Result<Value> OpenSymbolFile(const std::string &path) override
    {
        if (!call("OpenSymbolFile", "(\"" + path + "\")"))
            return failure("OpenSymbolFile");
        return Value{true};
    }
    Result<std::unique_ptr<host::SymbolLoader>> SymbolLoader() override
    {
        if (!call("SymbolLoader"))
            return failure("SymbolLoader");
        return std::unique_ptr<host::SymbolLoader>(std::make_unique<FakeLoader>(m_state, "loader"));
    }
};

class FakeProvider : public TargetProvider, Recorded {
public:
    using Recorded::Recorded;
    Result<std::unique_ptr<SymbolTarget>> Target() override
    {
        if (!call("Target"))
            return failure("Target");
        return std::unique_ptr<SymbolTarget>(std::make_unique<FakeTarget>(m_state, "providerTarget"));
    }
};

class FakeApplication : public HostApplication, Recorded {
public:
    using Recorded::Recorded;
    Result<std::unique_ptr<SymbolTarget>> ActiveTarget() override
    {
        if (!call("ActiveTarget"))
            return failure("ActiveTarget");
        return std::unique_ptr<SymbolTarget>(std::make_unique<FakeTarget>(m_state, "activeTarget"));
    }
    Status Prepare() override
    {
        if (!call("Prepare"))
            return failure("Prepare");
        return success();
    }
    Result<std::unique_ptr<TargetProvider>> ActiveProvider() override
    {
        if (!call("ActiveProvider"))
            return failure("ActiveProvider");
        return std::unique_ptr<TargetProvider>(std::make_unique<FakeProvider>(m_state, "provider"));
    }
};

} // namespace

FakeConnector::FakeConnector() : m_state(std::make_shared<FakeHostState>()) {}

Result<std::unique_ptr<HostApplication>> FakeConnector::attach(const std::string &progId)
{
    m_state->journal.push_back("attach " + progId);
    if (!m_state->running)
        return Error{errors::NoHost, "No host application is running under \"" + progId + "\"."};
    return std::unique_ptr<HostApplication>(std::make_unique<FakeApplication>(m_state, "app"));
}

} // namespace host::testing
