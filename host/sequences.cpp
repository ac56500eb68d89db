#include "sequences.h"

namespace host {

void runStartup(Connector &connector, const std::function<void()> &showPage)
{
    std::unique_ptr<HostApplication> app;
    std::unique_ptr<TargetProvider> provider;
    std::unique_ptr<SymbolTarget> target;

    const bool completed = [&] {
        auto attached = connector.attach(ProgId);
        if (!attached)
            return false;
        app = attached.take();
        auto activeProvider = app->ActiveProvider();
        if (!activeProvider)
            return false;
        provider = activeProvider.take();
        auto activeTarget = app->ActiveTarget();
        if (!activeTarget)
            return false;
        target = activeTarget.take();
        return app->Prepare().ok();
    }();

    if (completed)
        showPage();
    provider.reset();
    target.reset();
    app.reset();
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
    // Declared so that leaving this function releases them in the order
    // loader, target, provider, application.
    std::unique_ptr<HostApplication> app;
    std::unique_ptr<TargetProvider> provider;
    std::unique_ptr<SymbolTarget> target;
    std::unique_ptr<SymbolLoader> loader;

    auto attached = connector.attach(ProgId);
    if (!attached)
        return attached.error();
    app = attached.take();

    auto activeProvider = app->ActiveProvider();
    if (!activeProvider)
        return activeProvider.error();
    provider = activeProvider.take();

    auto activeTarget = app->ActiveTarget();
    if (!activeTarget)
        return activeTarget.error();
    target = activeTarget.take();

    hidePage();

    if (auto put = target->SetMode2D(true); !put)
        return put.error();

    if (auto written = writeDeckSize(); !written)
        return written.error();

    auto providerTarget = provider->Target();
    if (!providerTarget)
        return providerTarget.error();
    target = providerTarget.take(); // the active target is released here

    auto symbolLoader = target->SymbolLoader();
    if (!symbolLoader)
        return symbolLoader.error();
    loader = symbolLoader.take();

    if (auto loaded = loader->Invoke("LoadSymbol", {styleSymbolPath(style), false, true, true}); !loaded)
        return loaded.error();

    if (auto opened = target->OpenSymbolFile(Deck2DSymbolFile); !opened)
        return opened.error();

    return success();
}

Status runFinish3D(Connector &connector, const std::string &symbolPath)
{
    std::unique_ptr<HostApplication> app;
    std::unique_ptr<TargetProvider> provider;
    std::unique_ptr<SymbolTarget> target;
    auto release = [&] {
        app.reset();
        provider.reset();
        target.reset();
    };

    auto run = [&]() -> Status {
        auto attached = connector.attach(ProgId);
        if (!attached)
            return attached.error();
        app = attached.take();

        auto activeProvider = app->ActiveProvider();
        if (!activeProvider)
            return activeProvider.error();
        provider = activeProvider.take();

        auto activeTarget = app->ActiveTarget();
        if (!activeTarget)
            return activeTarget.error();
        target = activeTarget.take();

        if (auto prepared = app->Prepare(); !prepared)
            return prepared.error();

        if (auto put = target->SetMode2D(false); !put)
            return put.error();

        auto providerTarget = provider->Target();
        if (!providerTarget)
            return providerTarget.error();
        target = providerTarget.take(); // the active target is released here

        if (auto opened = target->OpenSymbolFile(symbolPath); !opened)
            return opened.error();
        return success();
    };

    Status result = run();
    release();
    return result;
}

} // namespace host
