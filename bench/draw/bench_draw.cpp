// bench_draw: the deck viewer's drawing in deckhost, timed as a person waits for it.
//   From OpenSymbolFile to the finished first drawing in the window, in each
//   viewing mode: the worked example (16 x 12) under 150 ms, the largest deck
//   (99 x 99) under 1.5 s. The window is new each time, as after a start.
//   A new direction of view in hidden line (an orbit step) on both decks,
//   without the hidden pieces (as the view draws) and with them dashed.
//   deckviewer --render (which deckhost --render runs too) of the worked
//   example to SVG in hidden line, the whole process: under 200 ms.
// Each figure is the median of several runs. Runs offscreen unless
// QT_QPA_PLATFORM says otherwise.
#include "presenter.h"

#include <QApplication>
#include "benchsupport.h"
#include "hiddenline.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::exit(1);
}

// One OpenSymbolFile into a new window, until the first drawing is finished.
double firstDrawingMs(const QString &folder)
{
    DeckPresenter presenter(QStringLiteral("Joistmaster Substitute Host"), folder);
    presenter.window()->show();
    QEventLoop loop;
    QString said;
    QObject::connect(&presenter, &DeckPresenter::drawn, &loop, [&](const QString &line) {
        said = line;
        loop.quit();
    });
    QElapsedTimer timer;
    timer.start();
    presenter.symbolFileOpened(QStringLiteral("*Program Data\\3D Decks\\Deck_Rectangle.bsx"));
    loop.exec();
    const double ms = timer.nsecsElapsed() / 1e6;
    if (!said.startsWith(QLatin1String("drawn "))) {
        std::fprintf(stderr, "%s\n", qPrintable(said));
        std::exit(1);
    }
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QByteArray worked = workedExample();
    if (worked.isEmpty())
        return 1;
    const QByteArray largest = largestDeck(worked);
    QTemporaryDir folder;
    const QString deckFile = folder.filePath(QStringLiteral("Deck_Rectangle.txt"));
    const std::pair<QByteArray, const char *> modes[] = {
        {"0          - WireFrame", "wireframe"}, {"1          - Hidden", "hidden line"}, {"2          - Shaded", "shaded"}};
    for (const auto &[deck, name, runs, goal] :
         {std::tuple{worked, "16 x 12", 11, 150}, std::tuple{largest, "99 x 99", 3, 1500}}) {
        for (const auto &[line, mode] : modes) {
            write(deckFile, replaceLines(deck, {{24, line}}));
            const double ms = medianMs(runs, [&] { return firstDrawingMs(folder.path()); });
            std::printf("%s ft, %s: OpenSymbolFile to first drawing %.0f ms (goal under %d)\n", name, mode, ms, goal);
        }
        write(deckFile, deck);
        ShownDeck shown = deckFrom(deckFile);
        QElapsedTimer timer;
        timer.start();
        addKernel(shown);
        const double kernelMs = timer.nsecsElapsed() / 1e6;
        // Turning the view: with the hidden pieces dashed, and without them
        // (the view's default), when the members hidden whole are left out.
        double yaw = 0;
        const int orbitRuns = runs;
        const auto orbitMs = [&](deckmodel::HiddenPieces pieces) {
            return medianMs(orbitRuns, [&] {
                yaw += 0.1;
                QElapsedTimer step;
                step.start();
                shown.hiddenLines->project({std::sin(yaw) * 0.8, 0.6, std::cos(yaw) * 0.8},
                                           {std::cos(yaw), 0, -std::sin(yaw)}, pieces);
                return step.nsecsElapsed() / 1e6;
            });
        };
        const double dashedMs = orbitMs(deckmodel::HiddenPieces::Drawn);
        const double plainMs = orbitMs(deckmodel::HiddenPieces::NotDrawn);
        std::printf("%s ft: %zu members; solids and mesh %.0f ms, a new direction in hidden line %.0f ms "
                    "(%.0f ms with the hidden pieces dashed)\n",
                    name, shown.members.size(), kernelMs, plainMs, dashedMs);
    }

    write(deckFile, worked);
    for (const char *suffix : {"svg", "pdf", "png"}) {
        const QString out = folder.filePath(QStringLiteral("deck.%1").arg(QLatin1String(suffix)));
        const double ms = medianMs(11, [&] {
            QElapsedTimer timer;
            timer.start();
            QProcess deckviewer;
            deckviewer.start(QStringLiteral(DECKVIEWER), {QStringLiteral("--render"), deckFile, QStringLiteral("--mode"),
                                                      QStringLiteral("hidden"), QStringLiteral("--out"), out});
            if (!deckviewer.waitForFinished(10000) || deckviewer.exitCode() != 0)
                std::exit(1);
            return timer.nsecsElapsed() / 1e6;
        });
        std::printf("deckviewer --render 16 x 12 ft, hidden line, to %s: %.0f ms, the whole process%s\n", suffix, ms,
                    QByteArray(suffix) == "svg" ? " (goal under 200)" : "");
    }
    return 0;
}
