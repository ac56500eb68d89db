// Runs one of the wizard's host conversations over COM, through the same
// sequence code the wizard uses, and prints what happened:
//
//   comdriver startup          start-up; prints "showPage"
//   comdriver finish2d STYLE   the 2D finish; prints "hidePage", "writeDeckSize"
//   comdriver finish3d PATH    the 3D finish with a symbol path
//   comdriver open PATH        OpenSymbolFile on the active target; prints its out value
//   comdriver leak             takes ActiveProvider and never releases it, so
//                              that a test can see the host notice a leak
//
// The last line is "ok" or "error 0xNNNNNNNN: description".
#include "comconnector.h"
#include "journalline.h"
#include "sequences.h"

#include <cstdio>
#include <cstdlib>
#include <string>

// Symbol paths begin with "*": the runtime must not expand them as file patterns.
int _dowildcard = 0;

namespace {
// "open" with a path, "leak" without one.
host::Status openOrLeak(host::Connector &connector, const char *path)
{
    auto app = connector.attach(host::ProgId);
    if (!app)
        return app.error();
    if (!path) {
        auto provider = app.value()->ActiveProvider();
        if (provider)
            (void)provider.take().release();
        return provider ? host::success() : provider.error();
    }
    auto target = app.value()->ActiveTarget();
    if (!target)
        return target.error();
    auto opened = target.value()->OpenSymbolFile(path);
    if (opened)
        std::printf("value %s\n", host::describe(opened.value()).c_str());
    return opened ? host::success() : opened.error();
}
} // namespace

int main(int argc, char **argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::string mode = argc > 1 ? argv[1] : "";
    const char *arg = argc == 3 ? argv[2] : nullptr;
    host::com::ComConnector connector;
    const auto say = [](const char *what) { return [what] { std::puts(what); }; };
    const auto writeDeckSize = [&] { return say("writeDeckSize")(), host::success(); };
    host::Status status = host::success();
    if (mode == "startup" && argc == 2)
        host::runStartup(connector, say("showPage"));
    else if (mode == "finish2d" && arg)
        status = host::runFinish2D(connector, std::atoi(arg), say("hidePage"), writeDeckSize);
    else if (mode == "finish3d" && arg)
        status = host::runFinish3D(connector, arg);
    else if ((mode == "open" && arg) || (mode == "leak" && argc == 2))
        status = openOrLeak(connector, arg);
    else
        return std::fputs("usage: comdriver startup | finish2d STYLE | finish3d PATH | open PATH | leak\n", stderr), 2;
    if (status)
        return std::puts("ok"), 0;
    const host::Error &e = status.error();
    return std::printf("error 0x%08llX: %s\n", static_cast<unsigned long long>(e.number), e.description.c_str()), 1;
}
