#include "platform/sdl/x11_errors.hpp"

#include <X11/Xlib.h>

#include <iostream>

namespace kelvar {

namespace {

int reportOnce(Display* display, XErrorEvent* e) {
    static bool reported = false;
    // A window or drawable that is gone: a race with its destruction, nothing to say.
    if (e->error_code == BadWindow || e->error_code == BadDrawable) return 0;
    if (!reported) {
        reported = true;
        char text[160] = {};
        XGetErrorText(display, e->error_code, text, sizeof text);
        std::cerr << "kelvar-raid: X11 error ignored: " << text << " (request "
                  << static_cast<int>(e->request_code) << ")\n";
    }
    return 0;
}

} // namespace

void survivableX11Errors() {
    XSetErrorHandler(reportOnce);
}

} // namespace kelvar
