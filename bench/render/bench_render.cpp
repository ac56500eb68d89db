// bench_render: every file deckviewer --render writes, the whole process from
// start to exit, on the worked example (16 x 12) and the largest deck
// (99 x 99, about 880 balusters):
//   worked example: every output under 150 ms
//   largest deck: STEP under 1 s and 150 MiB, glTF under 500 ms, the
//     hidden-line SVG under 500 ms, every other output under 300 ms
// Each figure is the median of several runs: the time on the wall, the
// processor time (user and system, steadier on a busy machine) and the
// largest peak memory. With a folder argument the files are kept there.
// The viewer runs offscreen with configuration and state folders of its own;
// DECKVIEWER in the environment names another build of it to time.
#include "benchsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <tuple>
#include <vector>

extern char **environ;

namespace {

struct Run {
    double wallMs = 0, cpuMs = 0;
    long peakKiB = 0;
};

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::exit(1);
}

// One deckviewer process with these arguments, waited for with its own
// resource use (processor time, peak resident memory).
Run run(const QStringList &arguments)
{
    static const std::string program = qEnvironmentVariableIsEmpty("DECKVIEWER") ? std::string(DECKVIEWER)
                                                                                 : qgetenv("DECKVIEWER").toStdString();
    std::vector<std::string> words{program};
    for (const QString &a : arguments)
        words.push_back(QFile::encodeName(a).toStdString());
    std::vector<char *> argv;
    for (std::string &w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        std::exit(1);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "deckviewer %s failed\n", qPrintable(arguments.join(u' ')));
        std::exit(1);
    }
    Run r;
    r.wallMs = timer.nsecsElapsed() / 1e6;
    r.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    r.peakKiB = usage.ru_maxrss;
    return r;
}

Run medianRun(int runs, const QStringList &arguments)
{
    std::vector<Run> all;
    for (int i = 0; i < runs; ++i)
        all.push_back(run(arguments));
    Run median;
    std::vector<double> wall, cpu;
    for (const Run &r : all) {
        wall.push_back(r.wallMs);
        cpu.push_back(r.cpuMs);
        median.peakKiB = std::max(median.peakKiB, r.peakKiB);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    median.wallMs = wall[wall.size() / 2];
    median.cpuMs = cpu[cpu.size() / 2];
    return median;
}

} // namespace

int main(int argc, char *argv[])
{
    const QByteArray worked = workedExample();
    if (worked.isEmpty())
        return 1;
    QTemporaryDir scratch;
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path();
    QDir().mkpath(out);
    for (const char *folder : {"config", "state", "data", "cache", "runtime"})
        QDir(scratch.path()).mkpath(QLatin1String(folder));
    QFile::setPermissions(scratch.filePath(QStringLiteral("runtime")), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("config"))));
    qputenv("XDG_STATE_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("state"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("data"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("cache"))));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(scratch.filePath(QStringLiteral("runtime"))));
    qputenv("QT_QPA_PLATFORM", "offscreen");

    struct Output {
        const char *name, *file;
        QStringList options;
        int workedGoalMs, largestGoalMs;
    };
    const Output outputs[] = {
        {"CSV takeoff", "takeoff.csv", {}, 150, 300},
        {"STEP", "deck.step", {}, 150, 1000},
        {"glTF", "deck.glb", {}, 150, 500},
        {"hidden-line SVG", "hidden.svg", {QStringLiteral("--mode"), QStringLiteral("hidden")}, 150, 500},
        {"code check JSON", "check.json", {}, 150, 300},
        {"drawing set PDF", "set.pdf", {QStringLiteral("--sheets"), QStringLiteral("all")}, 150, 300},
    };
    std::printf("%-16s %-8s %9s %9s %9s %12s  %s\n", "output", "deck", "wall ms", "cpu ms", "peak MiB", "bytes", "goal");
    for (const auto &[deck, name, runs, largest] :
         {std::tuple{worked, "16 x 12", 11, false}, std::tuple{largestDeck(worked), "99 x 99", 5, true}}) {
        const QString folder = QDir(out).filePath(QString::fromLatin1(name).remove(u' '));
        QDir().mkpath(folder);
        const QString deckFile = QDir(folder).filePath(QStringLiteral("Deck_Rectangle.txt"));
        write(deckFile, deck);
        for (const Output &o : outputs) {
            const QString file = QDir(folder).filePath(QLatin1String(o.file));
            const Run r = medianRun(runs, QStringList{QStringLiteral("--render"), deckFile} + o.options
                                              + QStringList{QStringLiteral("--out"), file});
            const int goal = largest ? o.largestGoalMs : o.workedGoalMs;
            const bool step = largest && QByteArray(o.file) == "deck.step";
            std::printf("%-16s %-8s %9.0f %9.0f %9.1f %12lld  under %d ms%s\n", o.name, name, r.wallMs, r.cpuMs,
                        r.peakKiB / 1024.0, QFileInfo(file).size(), goal, step ? " and 150 MiB" : "");
        }
    }
    return 0;
}
