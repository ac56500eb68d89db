// deckhost: a substitute for the host application on the session bus, for
// running and testing Joistmaster without the real host. See --help.
#include "deckexport.h"
#include "deckhost.h"
#include "hostwindow.h"
#include "journal.h"
#include "options.h"

#include <QApplication>
#include <QDBusConnection>

#include <cstdio>
#include <memory>

namespace {
int fail(const QString &message, int code)
{
    std::fprintf(stderr, "deckhost: %s\n", qPrintable(message));
    return code;
}
} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    ParsedOptions parsed = parseOptions(arguments, QString());
    if (!parsed.error.isEmpty())
        return fail(parsed.error, 2);
    Options &options = parsed.options;
    if (options.help) {
        std::fputs(qPrintable(helpText()), stdout);
        return 0;
    }
    if (!options.render.isEmpty()) {
        const QString problem = deckmodel::renderDeck(options.render, options.out);
        return problem.isEmpty() ? 0 : fail(problem, 1);
    }

    // Without a window there is no need for a display either.
    if (!options.open.isEmpty()) {
        QApplication viewer(argc, argv);
        HostWindow window(options.open);
        window.openDeck(options.open);
        window.show();
        return viewer.exec();
    }

    std::unique_ptr<QCoreApplication> app;
    if (options.headless)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    if (options.wizardFolder.isEmpty())
        options.wizardFolder = QCoreApplication::applicationDirPath();

    Journal journal;
    if (!journal.open(options.journal))
        return fail(QStringLiteral("cannot open the journal %1: %2").arg(options.journal, journal.errorString()), 1);

    DeckHost host(options.behaviour);
    QObject::connect(&host, &DeckHost::received, &host, [&journal](const ReceivedCall &call) { journal.write(call); });

    std::unique_ptr<HostWindow> window;
    if (!options.headless) {
        window = std::make_unique<HostWindow>(options.wizardFolder);
        QObject::connect(&host, &DeckHost::received, window.get(), &HostWindow::addCall);
        QObject::connect(&host, &DeckHost::symbolFileOpened, window.get(), &HostWindow::showParameterFiles);
    }

    QString error;
    if (!host.publish(QDBusConnection::sessionBus(), &error))
        return fail(error, 1);
    if (window)
        window->show();
    return app->exec();
}
