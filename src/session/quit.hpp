#pragma once
// Ending the program from inside a tick: a window's close button, or SIGINT or SIGTERM (which
// come as a quit event), must end it at once, even in the middle of a wait or a sound.
namespace kelvar {

// Thrown where a quit is noticed inside a tick; it unwinds the tick and ends the loop.
struct QuitRequested {};

} // namespace kelvar
