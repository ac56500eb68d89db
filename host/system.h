// The platform's way to the running host application: the session bus on
// Linux, COM on Windows.
#pragma once

#include "hostlink.h"

#include <memory>

namespace host {
std::unique_ptr<Connector> makeSystemConnector();
}
