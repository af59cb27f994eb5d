// Key to screen on the play field, with keys pressed through the X server's test extension as a
// keyboard would, at random moments of the tick:
//   pause:  Pause, timed until the window shows the "PAUSED" banner, then until it is gone. The
//           key handler shows it without waiting for a tick: the path from a key to the screen
//           (the X server, SDL's queue, the game's loop, the drawing and the present).
//   arrows: Left and Right in turn, timed until the ship is seen a half step away; the rules
//           carry the step out at the next tick.
// Prints one time in milliseconds per press.
// Usage: kelvar_key_probe WINDOW_ID pause|arrows PRESSES
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <time.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>

#include "core/base/twips.hpp"

namespace {

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The banner's box at scale 1 (its place in twips, in pixels). Shown, one colour (its back)
// covers most of it; over the play field's black, a passing star never does.
constexpr int kX = 1575 / kelvar::kTwipsPerPixel, kY = 3120 / kelvar::kTwipsPerPixel,
              kW = 1695 / kelvar::kTwipsPerPixel, kH = 279 / kelvar::kTwipsPerPixel;

bool bannerShown(Display* d, Window w) {
    XImage* img = XGetImage(d, w, kX, kY, kW, kH, AllPlanes, ZPixmap);
    if (!img) return false;
    std::map<unsigned long, int> count;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) ++count[XGetPixel(img, x, y) & 0xFFFFFF];
    XDestroyImage(img);
    for (const auto& [colour, n] : count)
        if (colour != 0 && n > kW * kH / 2) return true;
    return false;
}

// Where the ship stands across: the mean column of the rows the ship moves in, over columns
// with at least six lit pixels there (a star lights a few).
double shipColumn(Display* d, Window w) {
    constexpr int kTop = 340, kRows = 402 - kTop,
                  kWidth = 4800 / kelvar::kTwipsPerPixel; // the field, not the panel
    XImage* img = XGetImage(d, w, 0, kTop, kWidth, kRows, AllPlanes, ZPixmap);
    if (!img) return -1;
    double sum = 0, mass = 0;
    for (int x = 0; x < kWidth; ++x) {
        int lit = 0;
        // Read in place: a 24-bit visual's pixels are 32-bit words, and XGetPixel per pixel
        // would add a millisecond to every look.
        for (int y = 0; y < kRows; ++y)
            lit += (reinterpret_cast<const std::uint32_t*>(img->data + y * img->bytes_per_line)[x] &
                    0xFFFFFF) != 0;
        if (lit >= 6) {
            sum += static_cast<double>(x) * lit;
            mass += lit;
        }
    }
    XDestroyImage(img);
    return mass > 0 ? sum / mass : -1;
}

void press(Display* d, KeyCode key) {
    XTestFakeKeyEvent(d, key, True, CurrentTime);
    XTestFakeKeyEvent(d, key, False, CurrentTime);
    XFlush(d);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s WINDOW_ID pause|arrows PRESSES\n", argv[0]);
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 2;
    const Window w = std::strtoul(argv[1], nullptr, 0);
    const bool arrows = std::string(argv[2]) == "arrows";
    const int presses = std::atoi(argv[3]);
    const KeyCode pause = XKeysymToKeycode(d, XK_Pause);
    const KeyCode left = XKeysymToKeycode(d, XK_Left), right = XKeysymToKeycode(d, XK_Right);
    XSetInputFocus(d, w, RevertToParent, CurrentTime);
    XSync(d, False);
    std::mt19937 rng(1);
    std::uniform_real_distribution<double> gap(20, 60); // lands anywhere in a tick
    for (int i = 0; i < presses; ++i) {
        const double settle = nowMs() + gap(rng);
        while (nowMs() < settle) {
            const timespec pauseFor{0, 1'000'000};
            nanosleep(&pauseFor, nullptr);
        }
        const bool banner = bannerShown(d, w);
        const double from = shipColumn(d, w);
        const double t0 = nowMs();
        press(d, !arrows ? pause : i % 2 == 0 ? left : right);
        // A step is 285 twips, 19 pixels: half of it is far beyond a star's pull on the mean.
        const auto changed = [&] {
            return arrows ? std::abs(shipColumn(d, w) - from) >= 9.5 : bannerShown(d, w) != banner;
        };
        while (!changed()) {
            if (nowMs() - t0 > 5000) {
                std::fprintf(stderr, "key_probe: nothing changed in 5 s\n");
                return 1;
            }
        }
        std::printf("%.3f\n", nowMs() - t0);
    }
    XCloseDisplay(d);
    return 0;
}
