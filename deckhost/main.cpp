// deckhost: a substitute for the host application on the session bus, for
// running and testing Joistmaster without the real host. See --help.
#include "deckexport.h"
#include "deckhost.h"
#include "hostwindow.h"
#include "journal.h"
#include "options.h"
#include "presenter.h"
#include "showdeck.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>

#include <cstdio>
#include <memory>

namespace {
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

// --render: a model or takeoff file, or a drawing, without bus or window.
int render(const Options &options, int argc, char *argv[])
{
    if (deckview::drawingFormatOf(options.out) == deckview::DrawingFormat::Unknown) {
        if (!deckmodel::formatOf(options.out))
            return fail(QStringLiteral("\"%1\" names no format this host writes (.step, .glb, .csv, .png, .svg or .pdf).")
                            .arg(QFileInfo(options.out).fileName()),
                        1);
        const QString problem = deckmodel::renderDeck(options.render, options.out);
        return problem.isEmpty() ? 0 : fail(problem, 1);
    }
    // Painted text needs fonts, fonts need a GUI application (but no display);
    // an SVG drawing is written as text and needs neither. Qt's warnings (a
    // missing runtime folder, say) are not this tool's to report: stderr
    // carries the one line saying why a render failed.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    std::unique_ptr<QCoreApplication> app;
    if (deckview::drawingFormatOf(options.out) == deckview::DrawingFormat::Svg) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    const QString problem = drawDeck(options.render, *deckview::standardViewNamed(options.view),
                                     options.mode.isEmpty() ? std::nullopt : deckview::viewModeNamed(options.mode),
                                     options.out);
    return problem.isEmpty() ? 0 : fail(problem, 1);
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
    if (!options.render.isEmpty())
        return render(options, argc, argv);

    // Without a window there is no need for a display either.
    if (!options.open.isEmpty()) {
        QApplication viewer(argc, argv);
        auto *files = new HostWindow(options.open); // the window's Calls tab owns it
        files->openDeck(options.open);
        const QFileInfo opened(options.open);
        DeckPresenter presenter(opened.isDir() ? opened.absoluteFilePath() : opened.absolutePath(), files);
        QObject::connect(&presenter, &DeckPresenter::drawn, &presenter, say);
        presenter.open(options.open);
        presenter.window()->show();
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

    std::unique_ptr<DeckPresenter> presenter;
    if (!options.headless) {
        auto *calls = new HostWindow(options.wizardFolder); // the window's Calls tab owns it
        QObject::connect(&host, &DeckHost::received, calls, &HostWindow::addCall);
        QObject::connect(&host, &DeckHost::symbolFileOpened, calls, &HostWindow::showParameterFiles);
        presenter = std::make_unique<DeckPresenter>(options.wizardFolder, calls);
        QObject::connect(&host, &DeckHost::symbolLoaded, presenter.get(), &DeckPresenter::symbolLoaded);
        QObject::connect(&host, &DeckHost::symbolFileOpened, presenter.get(), &DeckPresenter::symbolFileOpened);
        QObject::connect(presenter.get(), &DeckPresenter::drawn, presenter.get(), say);
    }

    QString error;
    if (!host.publish(QDBusConnection::sessionBus(), &error))
        return fail(error, 1);
    if (presenter)
        presenter->window()->show();
    return app->exec();
}
