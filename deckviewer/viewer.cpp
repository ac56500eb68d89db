#include "viewer.h"

#include "checksettings.h"
#include "deckexport.h"
#include "designfile.h"
#include "designsource.h"
#include "filespanel.h"
#include "presenter.h"
#include "savedstairs.h"
#include "sheetsource.h"
#include "showdeck.h"
#include "takeoffprices.h"
#include "textfiles.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace deckviewer {

namespace {
int fail(const Program &program, const QString &message)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(program.name), qPrintable(message));
    return 1;
}

void say(const QString &line)
{
    std::fprintf(stdout, "%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// --out X.jmdeck: the deck as a design file, from the suggested framing
// where the run asks for it.
int writeDesignFile(const Program &program, const Options &options)
{
    jm::Result<design::Design> made = designFrom(options.render, options.code, wastePercent());
    if (!made)
        return fail(program, made.error());
    if (options.codeGiven)
        made->code = options.code;
    if (options.wastePercent)
        made->wastePercent = *options.wastePercent;
    if (!made->is2D) {
        const jm::Result<std::optional<deckmodel::Attachment>> attached = askedAttachment(made->deck);
        if (!attached)
            return fail(program, attached.error());
        if (*attached)
            made->attachment = **attached;
    }
    if (options.suggestedFraming && !made->is2D) {
        useSuggestedFraming(false);
        const ShownDeck shown = deckFromDesign(*made, options.render, made->code);
        if (!shown.error.isEmpty())
            return fail(program, shown.error);
        if (shown.suggestion.parameters)
            made = design::withFraming(*made, *shown.suggestion.parameters);
        else if (shown.report.failed() > 0 || shown.report.outside() > 0)
            return fail(program, QStringLiteral("There is no suggested framing: ") + shown.suggestion.why);
    }
    const jm::Status written = design::writeDesign(options.out, *made);
    return written ? 0 : fail(program, written.error());
}

// --render: a model or takeoff file, or a drawing, without a window.
int render(const Program &program, const Options &options, int &argc, char **argv)
{
    if (design::isDesignPath(options.out))
        return writeDesignFile(program, options);
    if (!options.sheets.isEmpty()) {
        // A drawing set: the PDF's text needs fonts, and fonts a GUI application.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(message));
        });
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        const auto paper = options.paper.isEmpty() ? std::nullopt : deckview::paperNamed(options.paper);
        const jm::Status written = writeDrawingSet(options.render, options.sheets, paper, options.out, options.code);
        return written ? 0 : fail(program, written.error());
    }
    if (deckview::drawingFormatOf(options.out) == deckview::DrawingFormat::Unknown) {
        if (!deckmodel::formatOf(options.out))
            return fail(program, QStringLiteral("%1 names no format %2 writes (.step, .glb, .csv, .json, .txt, .png, "
                                                ".svg, .pdf or .jmdeck).")
                                     .arg(textfiles::quoted(QFileInfo(options.out).fileName()), program.self));
        const jm::Status rendered = writeModel(options.render, options.out, options.code);
        return rendered ? 0 : fail(program, rendered.error());
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
    const jm::Status drawn = drawDeck(options.render, *deckview::standardViewNamed(options.view),
                                      options.mode.isEmpty() ? std::nullopt : deckview::viewModeNamed(options.mode),
                                      options.out);
    return drawn ? 0 : fail(program, drawn.error());
}

// --open: the deck in the window, its parameter files in a tab beside it.
int open(const QString &path, int &argc, char **argv)
{
    QApplication viewer(argc, argv);
    const QFileInfo opened(path);
    DeckPresenter presenter(WindowName, opened.isDir() ? opened.absoluteFilePath() : opened.absolutePath());
    auto *files = new FilesPanel(path);
    files->openDeck(path);
    presenter.window()->addPanel(QObject::tr("Files"), QStringLiteral("filesDock"), files);
    QObject::connect(presenter.window(), &deckview::DeckWindow::openRequested, files, &FilesPanel::openDeck);
    QObject::connect(&presenter, &DeckPresenter::drawn, &presenter, say);
    presenter.open(path);
    presenter.window()->show();
    const int code = viewer.exec();
    // Closing the window ends the viewer at once, even while a deck is being built.
    std::fflush(stdout);
    std::_Exit(code);
}
} // namespace

int run(const Program &program, const Options &given, int &argc, char **argv)
{
    Options options = given;
    usePriceList(options.prices);
    // A design brings its own check settings and waste allowance, unless the command line gives others.
    if (!options.render.isEmpty() && design::isDesignPath(options.render) && !QFileInfo(options.render).isDir()) {
        const jm::Result<design::Design> read = design::readDesign(options.render);
        if (!read)
            return fail(program, read.error());
        if (!options.codeGiven)
            options.code = read->code;
        if (!options.wastePercent)
            options.wastePercent = read->wastePercent;
    }
    if (options.wastePercent)
        useWastePercent(*options.wastePercent);
    useSuggestedFraming(options.suggestedFraming);
    if (!options.attach.isEmpty())
        useAttachment(options.attach, options.attachment);
    // An output that is one of the run's inputs would replace what it is made from.
    if (!options.render.isEmpty())
        if (const jm::Status distinct = outputIsNoInput(options, {priceListPath(), codeSettingsPath(), savedstairs::stairsFile()});
            !distinct)
            return fail(program, distinct.error());
    if (!options.render.isEmpty()
        && (options.out.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) || !options.sheets.isEmpty())) {
        // A price list that cannot be read stops the run (the person's own
        // one that cannot be made gives the example prices, said once); a row
        // that cannot be read does not.
        const jm::Result<Prices> prices = loadPrices();
        if (!prices)
            return fail(program, prices.error());
        for (const QString &problem : prices->problems)
            std::fprintf(stderr, "%s: %s\n", qPrintable(program.name), qPrintable(problem));
    }
    return options.render.isEmpty() ? open(options.open, argc, argv) : render(program, options, argc, argv);
}

} // namespace deckviewer
