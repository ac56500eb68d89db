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
#include <cstring>

// Symbol paths begin with "*": the runtime must not expand them as file patterns.
int _dowildcard = 0;

namespace {

int report(const host::Status &status)
{
    if (status) {
        std::puts("ok");
        return 0;
    }
    std::printf("error 0x%08llX: %s\n", static_cast<unsigned long long>(status.error().number),
                status.error().description.c_str());
    return 1;
}

host::Status openSymbolFile(host::Connector &connector, const std::string &path)
{
    auto app = connector.attach(host::ProgId);
    if (!app)
        return app.error();
    auto target = app.value()->ActiveTarget();
    if (!target)
        return target.error();
    auto opened = target.value()->OpenSymbolFile(path);
    if (!opened)
        return opened.error();
    std::printf("value %s\n", host::describe(opened.value()).c_str());
    return host::success();
}

host::Status leakProvider(host::Connector &connector)
{
    auto app = connector.attach(host::ProgId);
    if (!app)
        return app.error();
    auto provider = app.value()->ActiveProvider();
    if (!provider)
        return provider.error();
    (void)provider.take().release();
    return host::success();
}

} // namespace

int main(int argc, char **argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::string mode = argc > 1 ? argv[1] : "";
    host::com::ComConnector connector;
    auto say = [](const char *what) { return [what] { std::puts(what); }; };

    if (mode == "startup" && argc == 2) {
        host::runStartup(connector, say("showPage"));
        std::puts("ok");
        return 0;
    }
    if (mode == "finish2d" && argc == 3) {
        auto writeDeckSize = [] {
            std::puts("writeDeckSize");
            return host::success();
        };
        return report(host::runFinish2D(connector, std::atoi(argv[2]), say("hidePage"), writeDeckSize));
    }
    if (mode == "finish3d" && argc == 3)
        return report(host::runFinish3D(connector, argv[2]));
    if (mode == "open" && argc == 3)
        return report(openSymbolFile(connector, argv[2]));
    if (mode == "leak" && argc == 2)
        return report(leakProvider(connector));

    std::fputs("usage: comdriver startup | finish2d STYLE | finish3d PATH | open PATH | leak\n", stderr);
    return 2;
}
