// The host link over the D-Bus session bus: the host is whichever process owns
// the ProgID as a well-known name ("Plankora.Application"); it is never started
// by the wizard. Every call is bounded by timeoutMs, so a host that does not
// answer costs the wizard at most that long per call.
#pragma once

#include "hostlink.h"

#include <memory>

namespace host {
std::unique_ptr<Connector> makeDBusConnector(int timeoutMs = 3000);
}
