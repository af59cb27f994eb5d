// Runs under a real X server (xvfb-run): an X error about a window that is already gone must
// not end the game, even when it arrives while SDL shuts its video down and puts back the
// error handler it found at start.
#include "platform/sdl/display.hpp"

#include <gtest/gtest.h>
// After gtest: Xlib defines macros (None, Bool) that gtest's own names would collide with.
#include <SDL.h>
#include <X11/Xlib.h>

#include <cstdlib>

namespace {

// Sends an event to a window that no longer exists and waits for the server's answer.
void provokeBadWindow() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) std::exit(3);
    const Window gone = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(d, gone);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = gone;
    event.xclient.format = 32;
    XSendEvent(d, gone, False, NoEventMask, &event);
    XSync(d, False);
    XCloseDisplay(d);
}

TEST(LateX11Error, WhilePlayingOrAfterSdlQuitsLeavesTheProgramRunning) {
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run this under an X server";
    EXPECT_EXIT(
        {
            std::string message;
            if (!kelvar::openSdlDisplay(message)) std::exit(4);
            SDL_Window* w = SDL_CreateWindow("t", 0, 0, 32, 32, SDL_WINDOW_HIDDEN);
            provokeBadWindow();
            SDL_DestroyWindow(w);
            SDL_Quit();
            provokeBadWindow();
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
