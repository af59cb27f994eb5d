#pragma once
// X11's default error handler ends the program on any protocol error, even one about a window
// that has just been destroyed (SDL may still address it). Such errors are harmless here.
namespace kelvar {

// Replaces the fatal default with a handler that reports the first error on stderr and goes on.
// Call it before SDL starts its video: SDL keeps the handler it finds, calls it from its own, and
// puts it back when it quits, which is when a late error about a destroyed window tends to land.
// Harmless when the display is not X11.
void survivableX11Errors();

} // namespace kelvar
