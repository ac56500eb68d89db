// Joistmaster: a wizard that designs a garden deck and hands it to the host
// CAD application. main() only wires the real seams to the pages.
#include "commandline.h"
#include "endonsignal.h"
#include "realseams.h"
#include "system.h"
#include "wizard.h"

#include <QApplication>

#include <thread>

#ifdef Q_OS_UNIX
#include <dlfcn.h>
#endif

namespace {

// The first page's captions need the font configuration, whose reading is the
// larger part of the wizard's start: it is read on a thread of its own while
// the application connects to the display. The library is the one the
// toolkit's font database uses, already loaded with it; where there is none,
// nothing is done here.
std::thread readFontConfiguration()
{
#ifdef Q_OS_UNIX
    using Init = int (*)();
    if (const auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit")))
        return std::thread(init);
#endif
    return {};
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> exitCode = answerBeforeStart(argc, argv))
        return *exitCode;
    std::thread fontConfiguration = readFontConfiguration();
    QApplication app(argc, argv);
    if (fontConfiguration.joinable())
        fontConfiguration.join();
    QApplication::setApplicationName(QStringLiteral("Joistmaster"));
    const CommandLine commandLine = readCommandLine(app.arguments().mid(1), QCoreApplication::applicationDirPath());
    if (commandLine.action != CommandLine::Action::Run)
        return printAnswer(commandLine);

    QMessageBoxes messages;
    ApplicationEnd end;
    endOnSignals(end);
    const auto host = host::makeSystemConnector();
    Wizard wizard(commandLine.programFolder, host.get(), &messages, &end);
    if (!wizard.start())
        return 0;
    return app.exec();
}
