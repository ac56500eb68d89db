#include "sequences.h"

namespace host {
namespace {

// The objects of one conversation. Each conversation releases them in its own
// order, by resetting the pointers one after the other.
struct Objects {
    std::unique_ptr<HostApplication> app;
    std::unique_ptr<TargetProvider> provider;
    std::unique_ptr<SymbolTarget> target;
    std::unique_ptr<SymbolLoader> loader;
};

// Moves a successful result's object into `slot`; a failure comes back as it is.
template<typename T>
Status keep(Result<std::unique_ptr<T>> result, std::unique_ptr<T> &slot)
{
    if (!result)
        return result.error();
    slot = result.take();
    return success();
}

// What every conversation starts with: take the running host, then its
// ActiveProvider and its ActiveTarget.
Status takeHost(Connector &connector, Conversation kind, Objects &c)
{
    if (auto s = keep(connector.attachFor(kind, ProgId), c.app); !s)
        return s;
    if (auto s = keep(c.app->ActiveProvider(), c.provider); !s)
        return s;
    return keep(c.app->ActiveTarget(), c.target);
}

Status asStatus(const Result<Value> &result)
{
    if (!result.ok())
        return result.error();
    return success();
}

} // namespace

void runStartup(Connector &connector, const std::function<void()> &showPage)
{
    Objects c;
    const bool completed = takeHost(connector, Conversation::Startup, c).ok() && c.app->Prepare().ok();
    if (completed)
        showPage();
    c.provider.reset();
    c.target.reset();
    c.app.reset();
    if (!completed)
        showPage();
}

std::string styleSymbolPath(int style)
{
    return "*\\Program Data\\2D Decks\\Deck " + std::to_string(style) + ".dc";
}

Status runFinish2D(Connector &connector, int style, const std::function<void()> &hidePage,
                   const std::function<Status()> &writeDeckSize)
{
    Objects c;
    const Status result = [&]() -> Status {
        if (auto s = takeHost(connector, Conversation::Finish, c); !s)
            return s;
        hidePage();
        if (auto s = c.target->SetMode2D(true); !s)
            return s;
        if (auto s = writeDeckSize(); !s)
            return s;
        // The provider's target replaces the active one, which is released here.
        if (auto s = keep(c.provider->Target(), c.target); !s)
            return s;
        if (auto s = keep(c.target->SymbolLoader(), c.loader); !s)
            return s;
        if (auto s = asStatus(c.loader->Invoke("LoadSymbol", {styleSymbolPath(style), false, true, true})); !s)
            return s;
        return asStatus(c.target->OpenSymbolFile(Deck2DSymbolFile));
    }();
    c.loader.reset();
    c.target.reset();
    c.provider.reset();
    c.app.reset();
    return result;
}

Status runFinish3D(Connector &connector, const std::string &symbolPath)
{
    Objects c;
    const Status result = [&]() -> Status {
        if (auto s = takeHost(connector, Conversation::Finish, c); !s)
            return s;
        if (auto s = c.app->Prepare(); !s)
            return s;
        if (auto s = c.target->SetMode2D(false); !s)
            return s;
        // The provider's target replaces the active one, which is released here.
        if (auto s = keep(c.provider->Target(), c.target); !s)
            return s;
        return asStatus(c.target->OpenSymbolFile(symbolPath));
    }();
    c.app.reset();
    c.provider.reset();
    c.target.reset();
    return result;
}

} // namespace host
