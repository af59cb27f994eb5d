#pragma once
// X11's default error handler ends the program on any protocol error, even one about a window
// that has just been destroyed (SDL may still address it). Such errors are harmless here.
namespace kelvar {

// Under X11, replaces the fatal default with a handler that reports the first error on stderr
// and goes on. Does nothing under other video drivers.
void survivableX11Errors();

} // namespace kelvar
