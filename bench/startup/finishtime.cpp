// Presses a key or clicks in a window (a synthetic press and release sent to it) and
// measures the time until a process has ended.
//   bench_finishtime PID WINDOW KEY     KEY: a keysym name, e.g. Return or alt+f,
//                                       or click:X,Y for a left click at X,Y in WINDOW
// Prints the milliseconds from the press to the end of PID (-1 after 10 s) and
// the wall-clock time of the press in seconds since the epoch.
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

static double nowMs()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static void sendKey(Display *display, Window window, unsigned keycode, unsigned state, int type)
{
    XKeyEvent key{};
    key.type = type;
    key.display = display;
    key.window = window;
    key.root = DefaultRootWindow(display);
    key.subwindow = None;
    key.time = CurrentTime;
    key.x = key.y = key.x_root = key.y_root = 1;
    key.same_screen = True;
    key.keycode = keycode;
    key.state = state;
    XSendEvent(display, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask,
               reinterpret_cast<XEvent *>(&key));
}

static void sendClick(Display *display, Window window, int x, int y, int type)
{
    XButtonEvent button{};
    button.type = type;
    button.display = display;
    button.window = window;
    button.root = DefaultRootWindow(display);
    button.subwindow = None;
    button.time = CurrentTime;
    button.x = x;
    button.y = y;
    button.x_root = x;
    button.y_root = y;
    button.same_screen = True;
    button.button = Button1;
    button.state = type == ButtonRelease ? Button1Mask : 0;
    XSendEvent(display, window, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask,
               reinterpret_cast<XEvent *>(&button));
}

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s PID WINDOW KEY\n", argv[0]);
        return 2;
    }
    const pid_t pid = pid_t(std::atol(argv[1]));
    const Window window = Window(std::strtoul(argv[2], nullptr, 0));
    std::string keyName = argv[3];
    unsigned state = 0;
    for (std::size_t plus; (plus = keyName.find('+')) != std::string::npos; keyName.erase(0, plus + 1)) {
        const std::string modifier = keyName.substr(0, plus);
        state |= modifier == "alt" ? Mod1Mask : modifier == "ctrl" ? ControlMask : modifier == "shift" ? ShiftMask : 0;
    }

    const int pidfd = int(syscall(SYS_pidfd_open, pid, 0));
    Display *display = XOpenDisplay(nullptr);
    if (pidfd < 0 || !display) {
        std::fprintf(stderr, "bench_finishtime: no such process or no display\n");
        return 2;
    }
    int clickX = -1, clickY = -1;
    const bool click = std::sscanf(argv[3], "click:%d,%d", &clickX, &clickY) == 2;
    const KeySym sym = XStringToKeysym(keyName.c_str());
    const unsigned keycode = click ? 0 : XKeysymToKeycode(display, sym);
    if (!click && !keycode) {
        std::fprintf(stderr, "bench_finishtime: no key \"%s\"\n", keyName.c_str());
        return 2;
    }

    timespec wall;
    clock_gettime(CLOCK_REALTIME, &wall);
    const double start = nowMs();
    if (click) {
        sendClick(display, window, clickX, clickY, ButtonPress);
        sendClick(display, window, clickX, clickY, ButtonRelease);
    } else {
        sendKey(display, window, keycode, state, KeyPress);
        sendKey(display, window, keycode, state, KeyRelease);
    }
    XFlush(display);
    pollfd p{pidfd, POLLIN, 0};
    const int ended = poll(&p, 1, 10000);
    std::printf("%.2f %ld.%06ld\n", ended == 1 ? nowMs() - start : -1.0, long(wall.tv_sec), wall.tv_nsec / 1000);
    XCloseDisplay(display);
    return 0;
}
