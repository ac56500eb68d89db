// What the benchmarks share: medians of repeated runs, and the worked
// example's deck file with some of its lines changed.
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
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
