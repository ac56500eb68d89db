// What the benchmarks share: medians of repeated runs, the worked example's
// deck file and the largest deck, made of it with some of its lines changed.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QList>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

// The median of `runs` figures, each in milliseconds as `run` reports it.
inline double medianMs(int runs, const std::function<double()> &run)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i)
        ms.push_back(run());
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// The milliseconds `work` takes.
inline double timedMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// A deck file with the numbered lines (from 1) given new text.
inline QByteArray replaceLines(const QByteArray &bytes, const std::vector<std::pair<int, QByteArray>> &lines)
{
    QList<QByteArray> all = bytes.split('\n');
    for (const auto &[line, text] : lines)
        all[line - 1] = text + '\r';
    return all.join('\n');
}

// The worked example's deck file, a 16 x 12 deck; empty when it cannot be read.
inline QByteArray workedExample()
{
    QFile file(QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The largest deck the wizard writes: 99 x 99, posts 6 inches wide 6 inches
// apart, the worked example otherwise.
inline QByteArray largestDeck(const QByteArray &worked)
{
    return replaceLines(worked, {{1, "99        ' Z,   ', Deck Depth"},
                                 {2, "99        ' X,   ', Deck Width"},
                                 {6, "6       ' X,   ', Length Between Posts"},
                                 {7, "6       ' XZ,  ', Post Width & Depth"},
                                 {9, "5.5    ' Y,  - Beam Height"},
                                 {10, "1.5     ' Z,  - Beam Depth"}});
}
