// Starts a program and measures, on the X display, the time from its exec to
// the map of its first window (a MapNotify on the root window, whose window
// carries the program's process id), then its peak resident memory.
//   bench_maptime [-s SETTLE_MS] [-w TIMEOUT_MS] -- PROGRAM [ARGS...]
// Prints "<milliseconds to the map> <peak resident kB>"; the milliseconds are
// -1 when no window was mapped in time. After the map the program runs for
// SETTLE_MS more (its first paint), then gets SIGTERM; the peak is the
// kernel's high-water mark of its resident set (wait4's ru_maxrss, = VmHWM).
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

static double nowMs()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static long windowPid(Display *display, Window window, Atom pidAtom)
{
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char *data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data)
            == Success
        && data && count == 1 && format == 32)
        pid = long(*reinterpret_cast<unsigned long *>(data));
    if (data)
        XFree(data);
    return pid;
}

static bool hasEnded(pid_t pid)
{
    siginfo_t info{};
    return waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid != 0;
}

static int ignoreXErrors(Display *, XErrorEvent *) { return 0; } // a window gone before we asked

int main(int argc, char *argv[])
{
    int settleMs = 300;
    int timeoutMs = 10000;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (!std::strcmp(argv[i], "-s") && i + 1 < argc)
            settleMs = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "-w") && i + 1 < argc)
            timeoutMs = std::atoi(argv[++i]);
    }
    if (i + 1 >= argc) {
        std::fprintf(stderr, "usage: %s [-s SETTLE_MS] [-w TIMEOUT_MS] -- PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    char **program = argv + i + 1;

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "bench_maptime: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignoreXErrors);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    pid_t pid;
    const double start = nowMs();
    if (posix_spawnp(&pid, program[0], nullptr, nullptr, program, environ) != 0) {
        std::perror("bench_maptime: spawn");
        return 2;
    }

    double mapped = -1;
    const int fd = ConnectionNumber(display);
    while (mapped < 0 && nowMs() - start < timeoutMs) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                const double at = nowMs();
                if (windowPid(display, event.xmap.window, pidAtom) == pid) {
                    mapped = at - start;
                    break;
                }
            }
        }
        if (mapped >= 0 || hasEnded(pid))
            break;
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 5);
    }

    if (mapped >= 0)
        usleep(useconds_t(settleMs) * 1000);
    kill(pid, SIGTERM);
    int status;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    std::printf("%.2f %ld\n", mapped, usage.ru_maxrss);
    XCloseDisplay(display);
    return 0;
}
