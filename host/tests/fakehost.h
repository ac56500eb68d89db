// An in-process stand-in for the host application. It records every call and
// every release as one line of a journal, and can be told that no host is
// running or that one member fails.
#pragma once

#include "hostlink.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace host::testing {

struct FakeHostState {
    bool running = true;
    std::set<std::string> failing; // members that fail, e.g. "Prepare", "Target"
    std::vector<std::string> journal;
    int live = 0; // objects handed out and not yet released
};

class FakeConnector : public Connector {
public:
    Result<std::unique_ptr<HostApplication>> attach(const std::string &progId) override;

    FakeHostState &state() { return *m_state; }
    const std::vector<std::string> &journal() const { return m_state->journal; }

private:
    std::shared_ptr<FakeHostState> m_state = std::make_shared<FakeHostState>();
};

} // namespace host::testing
