// Clicks a window the moment the X server maps it, before its program has drawn it or even
// learnt that it has the focus: the fastest a click can come. Prints the window's id (decimal)
// and exits 0; 1 if no such window was mapped within a minute.
// Usage: kelvar_x11_click_on_map WIDTH HEIGHT X Y   (a point of the window, in pixels)
// Start it first and wait for its "ready" on stderr: it sees only windows mapped after that.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT X Y\n", argv[0]);
        return 2;
    }
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
        return 1;
    }
    alarm(60); // never hangs a test
    const Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);
    std::fprintf(stderr, "ready\n");
    for (XEvent e; XNextEvent(d, &e) == 0;) {
        XWindowAttributes a;
        if (e.type != MapNotify || !XGetWindowAttributes(d, e.xmap.window, &a) ||
            a.width != width || a.height != height)
            continue;
        int rootX = 0, rootY = 0;
        Window child = 0;
        XTranslateCoordinates(d, e.xmap.window, root, x, y, &rootX, &rootY, &child);
        XTestFakeMotionEvent(d, -1, rootX, rootY, CurrentTime);
        XTestFakeButtonEvent(d, 1, True, CurrentTime);
        XTestFakeButtonEvent(d, 1, False, CurrentTime);
        XSync(d, False);
        std::printf("%lu\n", e.xmap.window);
        return 0;
    }
    return 1;
}
