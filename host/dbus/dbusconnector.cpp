#include "system.h"

namespace host {
namespace {
class NoHostConnector : public Connector {
public:
    Result<std::unique_ptr<HostApplication>> attach(const std::string &progId) override
    {
        return Error{errors::NoHost, "No host application is running under \"" + progId + "\"."};
    }
};
} // namespace

std::unique_ptr<Connector> makeSystemConnector()
{
    return std::make_unique<NoHostConnector>();
}
} // namespace host
