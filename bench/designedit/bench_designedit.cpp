// From an edit in the Framing panel to the redrawn view: the Z overhang
// changed (and changed back, alternately) in the deck viewer's window, which
// frames, checks (with the search for a passing framing), takes off and
// redraws the deck; timed to the window's "drawn" line, the median of the
// runs. The worked example (16 x 12 ft) and the largest deck (99 x 99 ft), in
// the wireframe the file asks for. Private state and config folders.
#include "benchsupport.h"

#include "deckview.h"
#include "designsource.h"
#include "framingpanel.h"
#include "presenter.h"
#include "showdeck.h"

#include <QApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

struct EditTimes {
    double drawn = -1;   // to the window's "drawn" line: the first picture of the changed deck
    double settled = -1; // to the view's last frame (in hidden line, the one with the kernel's lines)
};

// The median milliseconds from an edit to the redrawn view, or -1; in
// `mode`, hidden line the kernel's lines following the depth buffer's.
EditTimes editToView(const QByteArray &deckFile, int runs, deckview::ViewMode mode = deckview::ViewMode::Wireframe)
{
    QTemporaryDir folder;
    if (!write(folder.filePath(QStringLiteral("Deck_Rectangle.txt")), deckFile)
        || !write(folder.filePath(QStringLiteral("DeckType.txt")), " 2 \r\n"))
        return {};
    DeckPresenter presenter(QStringLiteral("Bench"), folder.path());
    presenter.window()->show();
    QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
    presenter.open(folder.path());
    if (!drawn.wait(120000))
        return {};
    deckview::DeckView *view = presenter.window()->view;
    view->setMode(mode);
    QSignalSpy frames(view, &deckview::DeckView::frameReady);
    while (frames.wait(3000)) // the first kernel of the deck, in hidden line
        ;
    auto *overhang = presenter.framingPanel()->findChild<QDoubleSpinBox *>(QStringLiteral("overhangZBox"));
    int run = 0;
    std::vector<double> first, last;
    for (int i = 0; i < runs; ++i) {
        const double value = ++run % 2 ? 2.0 : 2.5;
        QElapsedTimer timer;
        timer.start();
        drawn.clear();
        frames.clear();
        overhang->setValue(value);
        drawn.wait(120000);
        first.push_back(timer.nsecsElapsed() / 1e6);
        // Frames until none comes for 3 s: the last one's time.
        double at = first.back();
        while (frames.wait(3000))
            at = timer.nsecsElapsed() / 1e6;
        last.push_back(std::max(at, first.back()));
    }
    std::sort(first.begin(), first.end());
    std::sort(last.begin(), last.end());
    return {first[first.size() / 2], last[last.size() / 2]};
}
// The median milliseconds of the deck's rebuild alone (framed, checked, taken off, its scene made), off the window.
double rebuildOnly(const QByteArray &deckFile, int runs)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Deck_Rectangle.txt"));
    if (!write(file, deckFile))
        return -1;
    const auto made = deckviewer::designFrom(file, {}, 10);
    if (!made)
        return -1;
    return medianMs(runs, [&] { return timedMs([&] { deckFromDesign(*made, file, made->code, false); }); });
}
} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    qputenv("XDG_STATE_HOME", home.filePath(QStringLiteral("state")).toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    QApplication app(argc, argv);
    const QByteArray worked = workedExample();
    for (const auto mode : {deckview::ViewMode::Wireframe, deckview::ViewMode::HiddenLine}) {
        const char *name = mode == deckview::ViewMode::Wireframe ? "wireframe" : "hidden line";
        const EditTimes worked16 = editToView(worked, 21, mode), largest = editToView(largestDeck(worked), 5, mode);
        std::printf("edit to redrawn view (%s), worked example 16 x 12 ft: %.1f ms, last frame %.1f ms (medians of 21)\n",
                    name, worked16.drawn, worked16.settled);
        std::printf("edit to redrawn view (%s), largest deck 99 x 99 ft: %.1f ms, last frame %.1f ms (medians of 5)\n",
                    name, largest.drawn, largest.settled);
    }
    std::printf("the rebuild alone, worked example: %.1f ms; largest deck: %.1f ms\n", rebuildOnly(worked, 21),
                rebuildOnly(largestDeck(worked), 5));
    return 0;
}
