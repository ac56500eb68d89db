// bench_deckmodel: the deck model's timings.
//   worked example (16 x 12 x 3): read, frame, check and count; goal under 20 ms
//   its whole takeoff counted and priced with the example prices; goal under 5 ms
//     its guards and stair's share (built with and without the stair, whose
//     guard bays, posts and balusters come with it): the whole under 5 ms
//   largest deck (99 x 99, 6-inch posts, 2 X 6 beams): the same; goal under 300 ms,
//     with its guards (about 1,100 balusters) and stair under 150 ms
//   its STEP file written; goal under 1.5 s; its glTF file for comparison
//   both hung on the house along their left edge and along their back edge
//   (framed turned a quarter turn): framed, checked (with the ledger's rows)
//   and counted with prices, beside the free-standing figures; the largest
//   hung along its back edge written as STEP, its ledger's hangers solids
// Each figure is the median of several runs.
#include "deckexport.h"
#include "guardchecks.h"
#include "ledgerchecks.h"
#include "plan.h"
#include "takeoff.h"

#include "benchsupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace deckmodel;

namespace {

Deck readAndBuild(const QByteArray &bytes, Takeoff *takeoff = nullptr, const Extras &extras = {})
{
    const auto read = deckfile::readDeckFile(bytes, QStringLiteral("Deck_Rectangle.txt"));
    const jm::Result<Deck> built = read ? buildDeck(*read, extras) : jm::Result<Deck>(read.failure());
    if (!built) {
        std::fprintf(stderr, "%s\n", qPrintable(built.error()));
        std::exit(1);
    }
    const Takeoff counted = takeoffOf(*built);
    if (takeoff)
        *takeoff = counted;
    return *built;
}

} // namespace

int main()
{
    const QByteArray worked = workedExample();
    if (worked.isEmpty())
        return 1;
    const QByteArray largest = largestDeck(worked);

    Extras noStair;
    noStair.stair.present = false;
    const double workedMs = medianMs(21, [&] { return timedMs([&] { readAndBuild(worked); }); });
    // The worked example's whole takeoff with the example prices: counted,
    // priced and written as the CSV's rows.
    const Deck example = readAndBuild(worked);
    const PriceList prices = PriceList::parse(PriceList::exampleBytes(), QStringLiteral("prices.csv"));
    const double pricedMs = medianMs(21, [&] {
        return timedMs([&] { (void)takeoffCsv(takeoffOf(example), prices); });
    });
    const double workedNoStairMs = medianMs(21, [&] { return timedMs([&] { readAndBuild(worked, nullptr, noStair); }); });
    const Deck workedDeck = readAndBuild(worked);
    const double workedRowsMs = medianMs(21, [&] { return timedMs([&] { guardAndStairChecks(workedDeck); }); });
    const Deck big = readAndBuild(largest);
    const double largestMs = medianMs(7, [&] { return timedMs([&] { readAndBuild(largest); }); });
    const double bigRowsMs = medianMs(7, [&] { return timedMs([&] { guardAndStairChecks(big); }); });
    const auto count = [&](Kind kind) { return std::count_if(big.members.begin(), big.members.end(), [&](const Member &m) { return m.kind == kind; }); };
    const double solidsMs = medianMs(5, [&] { return timedMs([&] { buildSolids(big); }); });
    QTemporaryDir folder;
    const QString step = folder.filePath(QStringLiteral("largest.step"));
    const QString glb = folder.filePath(QStringLiteral("largest.glb"));
    const double stepMs = medianMs(3, [&] { return timedMs([&] { (void)writeDeck(big, step, Format::Step); }); });
    const double glbMs = medianMs(3, [&] { return timedMs([&] { (void)writeDeck(big, glb, Format::Glb); }); });

    // Hung on the house along the left edge (the lowest Z), lag screws.
    Extras attached;
    attached.attachment = {true, -1, HouseFraming::BandJoist, LedgerFastener::Lag, 0.5};
    const auto hungOn = [&](const QByteArray &bytes, const QString &side = QStringLiteral("left")) {
        Extras e = attached;
        const auto read = deckfile::readDeckFile(bytes, QStringLiteral("Deck_Rectangle.txt"));
        if (read)
            if (const auto outline = shapePlan(read->deckType, read->depthA, read->widthB))
                e.attachment.edge = edgeFacing(*outline, side);
        return e;
    };
    const Extras workedAttached = hungOn(worked), largestAttached = hungOn(largest);
    const Extras workedBack = hungOn(worked, QStringLiteral("back")), largestBack = hungOn(largest, QStringLiteral("back"));
    const auto attachedRun = [&](const QByteArray &bytes, const Extras &e) {
        const Deck d = readAndBuild(bytes, nullptr, e);
        (void)checkCode(d, CodeSettings{});
        (void)takeoffCsv(takeoffOf(d), prices);
    };
    const double workedAttachedMs = medianMs(21, [&] { return timedMs([&] { attachedRun(worked, workedAttached); }); });
    const double largestAttachedMs = medianMs(7, [&] { return timedMs([&] { attachedRun(largest, largestAttached); }); });
    const double workedBackMs = medianMs(21, [&] { return timedMs([&] { attachedRun(worked, workedBack); }); });
    const double largestBackMs = medianMs(7, [&] { return timedMs([&] { attachedRun(largest, largestBack); }); });
    const Deck bigBack = readAndBuild(largest, nullptr, largestBack);
    const QString backStep = folder.filePath(QStringLiteral("largest-back.step"));
    const double backStepMs = medianMs(3, [&] { return timedMs([&] { (void)writeDeck(bigBack, backStep, Format::Step); }); });

    std::printf("worked example, read + frame + check + count: %8.2f ms (goal 20; with guards and stair 5)\n", workedMs);
    std::printf("worked example, the same without the stair:   %8.2f ms\n", workedNoStairMs);
    std::printf("worked example, guard and stair code rows:    %8.2f ms\n", workedRowsMs);
    std::printf("worked example, full takeoff with prices:     %8.2f ms (goal 5)\n", pricedMs);
    std::printf("largest deck (%zu members), the same:        %8.2f ms (goal 300; with guards and stair 150)\n", big.members.size(), largestMs);
    std::printf("largest deck: %ld guard posts, %ld balusters; its guard and stair code rows: %.2f ms\n",
                long(count(Kind::GuardPost)), long(count(Kind::Baluster)), bigRowsMs);
    std::printf("largest deck, solids only:                    %8.2f ms\n", solidsMs);
    std::printf("largest deck, STEP written:                   %8.2f ms (goal 1500), %lld bytes\n", stepMs,
                QFile(step).size());
    std::printf("largest deck, glTF written:                   %8.2f ms, %lld bytes\n", glbMs, QFile(glb).size());
    std::printf("worked example hung on the house (left edge), framed, code check, priced takeoff: %8.2f ms\n",
                workedAttachedMs);
    std::printf("largest deck hung on the house (left edge), the same:                             %8.2f ms\n",
                largestAttachedMs);
    std::printf("worked example hung on the house (back edge, framed turned), the same:           %8.2f ms\n",
                workedBackMs);
    std::printf("largest deck hung on the house (back edge, framed turned), the same:             %8.2f ms\n",
                largestBackMs);
    std::printf("largest deck hung on the house (back edge), STEP with %zu hanger solids:        %8.2f ms, %lld bytes\n",
                bigBack.ledger.hangerSolids.size(), backStepMs, QFile(backStep).size());
    return 0;
}
