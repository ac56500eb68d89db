// deckhost: a substitute for the host application on the session bus, for
// running and testing Joistmaster without the real host. See --help.
#include "callspanel.h"
#include "deckhost.h"
#include "journal.h"
#include "latestjob.h"
#include "options.h"
#include "presenter.h"
#include "recentdecks.h"
#include "symbolcalls.h"
#include "viewer.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QStatusBar>
#include <QThreadPool>
#include <QDBusConnection>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
// What the window is, which its title begins with.
const QString WindowName = QStringLiteral("Joistmaster Substitute Host");

int fail(const QString &message, int code)
{
    std::fprintf(stderr, "deckhost: %s\n", qPrintable(message));
    return code;
}

void say(const QString &line)
{
    std::fprintf(stdout, "%s\n", line.toUtf8().constData());
    std::fflush(stdout);
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
    // --open and --render are the deck viewer's, as they were this host's.
    if (options.viewer)
        return deckviewer::run({QStringLiteral("deckhost"), QStringLiteral("this host")}, *options.viewer, argc, argv);

    // Without a window there is no need for a display either.
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
    host.setWizardFolder(QDir::cleanPath(QDir(options.wizardFolder).absolutePath()));
    QObject::connect(&host, &DeckHost::received, &host, [&journal](const ReceivedCall &call) { journal.write(call); });

    // Each symbol asked for is remembered with a copy of the wizard's files,
    // off the window's thread (a copy takes tens of milliseconds, and calls
    // wait meanwhile), one at a time, and of those waiting only the latest.
    recentdecks::Asked asked;
    QThreadPool rememberer;
    rememberer.setMaxThreadCount(1);
    deckview::LatestJob remembering(&rememberer, &host);
    const auto remember = [&options, &asked, &remembering] {
        remembering.start([folder = options.wizardFolder, asked] { return recentdecks::remember(folder, asked); },
                          [](const jm::Status &kept) {
                              if (!kept)
                                  std::fprintf(stderr, "deckhost: %s\n", qPrintable(kept.error()));
                          });
    };
    // After the call is answered, like everything else the window does with
    // it; of a flood of calls only the latest deck is remembered and shown.
    SymbolCalls symbols;
    QObject::connect(&host, &DeckHost::symbolLoaded, &symbols, &SymbolCalls::loaded);
    QObject::connect(&host, &DeckHost::symbolFileOpened, &symbols, &SymbolCalls::opened);
    QObject::connect(&symbols, &SymbolCalls::symbolLoaded, &host, [&](const QString &path) { asked = {path, {}}, remember(); });
    QObject::connect(&symbols, &SymbolCalls::symbolFileOpened, &host, [&](const QString &path) { asked.opened = path, remember(); });

    std::unique_ptr<DeckPresenter> presenter;
    if (!options.headless) {
        presenter = std::make_unique<DeckPresenter>(WindowName, options.wizardFolder);
        auto *calls = new CallsPanel(options.wizardFolder);
        presenter->window()->addPanel(QObject::tr("Calls"), QStringLiteral("callsDock"), calls);
        auto *folder = new QLabel(QObject::tr("Reads the wizard's files in %1")
                                      .arg(QDir::toNativeSeparators(QDir(options.wizardFolder).absolutePath())));
        folder->setObjectName(QStringLiteral("wizardFolder"));
        presenter->window()->statusBar()->addPermanentWidget(folder);
        // Each call is answered first; what the window shows of it comes after.
        const auto later = Qt::QueuedConnection;
        QObject::connect(&host, &DeckHost::received, calls, &CallsPanel::addCall, later);
        QObject::connect(&symbols, &SymbolCalls::symbolFileOpened, calls, &CallsPanel::showParameterFiles);
        QObject::connect(&symbols, &SymbolCalls::symbolLoaded, presenter.get(), &DeckPresenter::symbolLoaded);
        QObject::connect(&symbols, &SymbolCalls::symbolFileOpened, presenter.get(), &DeckPresenter::symbolFileOpened);
        QObject::connect(presenter.get(), &DeckPresenter::drawn, presenter.get(), say);
    }

    QString error;
    if (!host.publish(QDBusConnection::sessionBus(), &error))
        return fail(error, 1);
    if (presenter)
        presenter->window()->show();
    const int code = app->exec();
    // A copy being made is finished (a stale one waiting is not begun).
    remembering.supersede();
    rememberer.waitForDone();
    // Closing the window ends the host at once: a deck still being built is
    // not waited for. The journal has been flushed line by line.
    std::fflush(stdout);
    std::_Exit(code);
}
