#include "endonsignal.h"

#include "seams.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int signalWriteEnd = -1;

// All a signal handler may safely do: note the signal for the event loop.
void noteSignal(int)
{
    const char signalled = 1;
    [[maybe_unused]] const auto written = ::write(signalWriteEnd, &signalled, 1);
}

} // namespace

void endOnSignals(ProgramEnd &end)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    signalWriteEnd = ends[1];
    auto *notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [&end, notifier] {
        notifier->setEnabled(false);
        end.endProgram();
    });
    struct sigaction action = {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        sigaction(signal, &action, nullptr);
}
#else
void endOnSignals(ProgramEnd &) {}
#endif
