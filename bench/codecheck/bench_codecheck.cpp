// bench_codecheck: the code check's timings.
//   worked example (16 x 12 x 3): the check alone; goal under 5 ms
//   largest deck (99 x 99): the check alone; goal under 100 ms
//   the search for a passing framing: the worked example, the largest deck
//   (which nothing within the tables carries), the hardest a wizard deck
//   can ask, 26 ft deep and 99 ft wide (two beam lines just carry it, every
//   candidate framed is wide), and an L 20 x 14 ft whose short leg leaves
//   joists on a rim under any two beam lines (every candidate is framed and
//   checked, and none passes); goal under 2 s each
// Each figure is the median of several runs.
#include "codecheck.h"

#include "benchsupport.h"

#include <cstdio>
#include <cstdlib>

using namespace deckmodel;

namespace {

Deck framed(const QByteArray &bytes)
{
    const auto read = deckfile::readDeckFile(bytes, QStringLiteral("Deck_Rectangle.txt"));
    const jm::Result<Deck> deck = read ? frameDeck(*read) : jm::Result<Deck>(read.failure());
    if (!deck) {
        std::fprintf(stderr, "%s\n", qPrintable(deck.error()));
        std::exit(1);
    }
    return *deck;
}

} // namespace

int main()
{
    const QByteArray worked = workedExample();
    if (worked.isEmpty())
        return 1;
    const Deck example = framed(worked);
    const Deck largest = framed(largestDeck(worked));
    const Deck wide = framed(replaceLines(largestDeck(worked), {{1, "26        ' Z,   ', Deck Depth"}}));
    const CodeSettings settings;
    // The L at 4 ft on 2x8 joists at 12", 2-2x10 beams and 6x6 posts, with
    // 2-inch decking.
    DeckParameters l = example.parameters;
    l.deckType = 3, l.depthA = 20, l.widthB = 14, l.height = 4;
    l.overhangX = 2, l.overhangZ = 2.5, l.beamSpacing = 6, l.postSpacing = 10, l.postSize = 6;
    l.beamHeight = 9.25, l.joistHeight = 7.25, l.joistSpacing = 12, l.deckingThickness = 1.5;
    const jm::Result<Deck> shapeL = frameDeck(l);
    if (!shapeL) {
        std::fprintf(stderr, "%s\n", qPrintable(shapeL.error()));
        return 1;
    }

    const double exampleMs = medianMs(51, [&] { return timedMs([&] { (void)checkCode(example, settings); }); });
    const double largestMs = medianMs(11, [&] { return timedMs([&] { (void)checkCode(largest, settings); }); });
    Suggestion found;
    const double suggestMs = medianMs(11, [&] { return timedMs([&] { found = suggestFraming(example, settings); }); });
    const double noneMs = medianMs(5, [&] { return timedMs([&] { (void)suggestFraming(largest, settings); }); });
    Suggestion wideFound;
    const double wideMs = medianMs(3, [&] { return timedMs([&] { wideFound = suggestFraming(wide, settings); }); });

    Suggestion lFound;
    const double lMs = medianMs(5, [&] { return timedMs([&] { lFound = suggestFraming(*shapeL, settings); }); });

    std::printf("worked example, code check:               %8.2f ms (goal 5)\n", exampleMs);
    std::printf("largest deck (%zu members), code check: %8.2f ms (goal 100)\n", largest.members.size(), largestMs);
    std::printf("worked example, suggested framing:         %8.2f ms (goal 2000), %s\n", suggestMs,
                found.parameters ? "found" : "none");
    std::printf("largest deck, suggested framing:           %8.2f ms (goal 2000), %s\n", noneMs, "none within the tables");
    std::printf("26 x 99 ft deck, suggested framing:        %8.2f ms (goal 2000), %s\n", wideMs,
                wideFound.parameters ? "found" : qPrintable(wideFound.why));
    std::printf("L 20 x 14 ft deck, suggested framing:      %8.2f ms (goal 2000), %s\n", lMs,
                lFound.parameters ? "found" : "none passes");
    return 0;
}
