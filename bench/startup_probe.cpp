// Start-up time of a program's first window: execs the program and waits, on the X server,
// for its first top-level window to be mapped and then for something to be drawn in it (a
// pixel that is not black). Prints both times in milliseconds from just before the exec, and
// the CPU time the program's threads had used by the time it was drawn (steadier than the
// times on a busy machine), then ends the program.
// Usage: kelvar_startup_probe PROGRAM [ARGS...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <dirent.h>
#include <string>

namespace {

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

bool drawn(Display* d, Window w) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return false;
    XImage* img = XGetImage(d, w, 0, 0, static_cast<unsigned>(a.width),
                            static_cast<unsigned>(a.height), AllPlanes, ZPixmap);
    if (!img) return false;
    bool any = false;
    for (int y = 0; y < a.height && !any; y += 2)
        for (int x = 0; x < a.width && !any; x += 2) any = XGetPixel(img, x, y) != 0;
    XDestroyImage(img);
    return any;
}

// CPU time of every thread of `pid` so far, from the scheduler's own nanosecond account.
double cpuMsOf(pid_t pid) {
    const std::string dir = "/proc/" + std::to_string(pid) + "/task";
    double total = 0;
    if (DIR* tasks = opendir(dir.c_str())) {
        while (dirent* t = readdir(tasks)) {
            if (t->d_name[0] == '.') continue;
            if (FILE* f = std::fopen((dir + "/" + t->d_name + "/schedstat").c_str(), "r")) {
                unsigned long long ns = 0;
                if (std::fscanf(f, "%llu", &ns) == 1) total += static_cast<double>(ns) / 1e6;
                std::fclose(f);
            }
        }
        closedir(tasks);
    }
    return total;
}

int ignoreErrors(Display*, XErrorEvent*) {
    return 0; // a window that went away between the event and the look at it
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: kelvar_startup_probe PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "startup_probe: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);

    const double t0 = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    const double deadline = t0 + 10000;
    double mapped = -1, painted = -1, cpu = -1;
    Window window = 0;
    pollfd pfd{ConnectionNumber(d), POLLIN, 0};
    while (painted < 0 && nowMs() < deadline) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && mapped < 0) {
                mapped = nowMs() - t0;
                window = e.xmap.window;
            }
        }
        if (window && drawn(d, window)) {
            painted = nowMs() - t0;
            cpu = cpuMsOf(pid);
            break;
        }
        // Before the map, wait for events; after it, look again every 2 ms.
        poll(&pfd, 1, window ? 2 : 50);
        if (waitpid(pid, nullptr, WNOHANG) == pid) break; // ended before it showed anything
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(d);
    if (painted < 0) {
        std::fprintf(stderr, "startup_probe: no window drawn within 10 s\n");
        return 1;
    }
    std::printf("%.1f %.1f %.1f\n", mapped, painted, cpu);
    return 0;
}
