// The three conversations the wizard has with the host application: at
// start-up, at the 2D finish and at the 3D finish. Each obtains the running host
// afresh, makes its calls in a fixed order and releases every object it took,
// in the order written here. They are shared by every backend.
#pragma once

#include "hostlink.h"

#include <functional>
#include <string>

namespace host {

// Take the host, ActiveProvider, ActiveTarget, Prepare, then showPage(); the
// objects are released in the order provider, target, application. The first
// failure ends the conversation without a word: the objects taken so far are
// released and showPage() runs after that, so the page is shown either way.
void runStartup(Connector &connector, const std::function<void()> &showPage);

// The symbol of 2D style n (1 to 19), and the 2D deck symbol file every style opens.
std::string styleSymbolPath(int style);
inline constexpr const char *Deck2DSymbolFile = "*\\Program Data\\2D Decks\\2ddecks.bsx";

// Take the host, ActiveProvider, ActiveTarget; hidePage(); Mode2D = True;
// writeDeckSize(); the provider's Target replaces the active one; SymbolLoader;
// "LoadSymbol" by name; OpenSymbolFile. Stops at the first failure (the host, or
// the file) and returns it; nothing after it runs. No Prepare.
Status runFinish2D(Connector &connector, int style, const std::function<void()> &hidePage,
                   const std::function<Status()> &writeDeckSize);

// Take the host, ActiveProvider, ActiveTarget, Prepare, Mode2D = False; the
// provider's Target replaces the active one; OpenSymbolFile(symbolPath). The
// objects are released in the order application, provider, target.
Status runFinish3D(Connector &connector, const std::string &symbolPath);

} // namespace host
