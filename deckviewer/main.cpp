// deckviewer: shows a deck designed with Joistmaster, or writes its model,
// takeoff or drawing to a file. See --help.
#include "viewer.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const jm::Result<deckviewer::Options> parsed = deckviewer::parseOptions(arguments);
    if (!parsed) {
        std::fprintf(stderr, "deckviewer: %s\n", qPrintable(parsed.error()));
        return 2;
    }
    if (parsed->help) {
        std::fputs(qPrintable(deckviewer::helpText()), stdout);
        return 0;
    }
    return deckviewer::run({QStringLiteral("deckviewer"), QStringLiteral("deckviewer")}, *parsed, argc, argv);
}
