// From an edit in the Framing panel to the redrawn view: the Z overhang
// changed (and changed back, alternately) in the deck viewer's window, which
// frames, checks (with the search for a passing framing), takes off and
// redraws the deck; timed to the window's "drawn" line, the median of the
// runs. The worked example (16 x 12 ft) and the largest deck (99 x 99 ft), in
// the wireframe the file asks for. Private state and config folders.
#include "benchsupport.h"

#include "designsource.h"
#include "framingpanel.h"
#include "presenter.h"
#include "showdeck.h"

#include <QApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <cstdio>

namespace {
bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The median milliseconds from an edit to the redrawn view, or -1.
double editToView(const QByteArray &deckFile, int runs)
{
    QTemporaryDir folder;
    if (!write(folder.filePath(QStringLiteral("Deck_Rectangle.txt")), deckFile)
        || !write(folder.filePath(QStringLiteral("DeckType.txt")), " 2 \r\n"))
        return -1;
    DeckPresenter presenter(QStringLiteral("Bench"), folder.path());
    presenter.window()->show();
    QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
    presenter.open(folder.path());
    if (!drawn.wait(120000))
        return -1;
    auto *overhang = presenter.framingPanel()->findChild<QDoubleSpinBox *>(QStringLiteral("overhangZBox"));
    int run = 0;
    return medianMs(runs, [&] {
        const double value = ++run % 2 ? 2.0 : 2.5;
        return timedMs([&] {
            drawn.clear();
            overhang->setValue(value);
            drawn.wait(120000);
        });
    });
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
    std::printf("edit to redrawn view, worked example 16 x 12 ft: %.1f ms (median of 21)\n", editToView(worked, 21));
    std::printf("edit to redrawn view, largest deck 99 x 99 ft: %.1f ms (median of 5)\n", editToView(largestDeck(worked), 5));
    std::printf("the rebuild alone, worked example: %.1f ms; largest deck: %.1f ms\n", rebuildOnly(worked, 21),
                rebuildOnly(largestDeck(worked), 5));
    return 0;
}
