// The host link over COM: the running host taken from the running object
// table by its ProgID, every member reached by name through IDispatch.
#pragma once

#include "hostlink.h"

namespace host::com {

class ComConnector : public Connector {
public:
    // CLSIDFromProgID and GetActiveObject: only a running instance is taken.
    Result<std::unique_ptr<HostApplication>> attach(const std::string &progId) override;
};

} // namespace host::com
