// bench_drawingset: a deck's whole drawing set written from its deck file, as
// deckviewer --render FILE --sheets all does it (read, frame, check, compose,
// paint, write): the worked example (16 x 12) under 1 s, the largest deck
// (99 x 99) under 5 s, to a PDF and to an SVG a sheet. Each figure is the
// median of several runs.
#include "sheetsource.h"

#include "benchsupport.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QByteArray worked = workedExample();
    if (worked.isEmpty())
        return 1;
    QTemporaryDir folder;
    const QString deckFile = folder.filePath(QStringLiteral("Deck_Rectangle.txt"));
    for (const auto &[deck, name, runs, goal] :
         {std::tuple{worked, "16 x 12", 11, 1000}, std::tuple{largestDeck(worked), "99 x 99", 3, 5000}}) {
        write(deckFile, deck);
        for (const char *suffix : {"pdf", "svg"}) {
            const QString out = folder.filePath(QStringLiteral("set.%1").arg(QLatin1String(suffix)));
            const double ms = medianMs(runs, [&] {
                return timedMs([&] {
                    if (!deckviewer::writeDrawingSet(deckFile, QStringLiteral("all"), deckview::Paper::Letter, out))
                        std::exit(1);
                });
            });
            std::printf("%s ft, the whole set to %s: %.0f ms (goal under %d)\n", name, suffix, ms, goal);
        }
    }
    return 0;
}
