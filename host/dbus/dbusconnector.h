// The host link over the D-Bus session bus: the host is whichever process owns
// the ProgID as a well-known name ("Plankora.Application"); it is never started
// by the wizard. Every call is bounded, so a host that does not answer costs
// the wizard a known time: start-up as a whole gets a short bound (a person is
// waiting for the first page), each call of a finish a long one (the host may
// be building the deck).
#pragma once

#include "hostlink.h"

#include <memory>

namespace host {

struct Bounds {
    int startupMs = 3000;     // the whole start-up conversation, all its calls together
    int finishCallMs = 120000; // each call of a finish
};

std::unique_ptr<Connector> makeDBusConnector(Bounds bounds = {});
// Every conversation bounded the same, per call and for start-up as a whole.
std::unique_ptr<Connector> makeDBusConnector(int timeoutMs);

} // namespace host
