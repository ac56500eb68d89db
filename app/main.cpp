// Joistmaster: a wizard that designs a garden deck and hands it to the host
// CAD application. main() only wires the real seams to the pages.
#include "commandline.h"
#include "realseams.h"
#include "system.h"
#include "wizard.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const std::optional<int> exitCode = answerBeforeStart(argc, argv))
        return *exitCode;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Joistmaster"));
    const CommandLine commandLine = readCommandLine(app.arguments().mid(1), QCoreApplication::applicationDirPath());
    if (commandLine.action != CommandLine::Action::Run)
        return printAnswer(commandLine);

    QMessageBoxes messages;
    ApplicationEnd end;
    const auto host = host::makeSystemConnector();
    Wizard wizard(commandLine.programFolder, host.get(), &messages, &end);
    if (!wizard.start())
        return 0;
    return app.exec();
}
