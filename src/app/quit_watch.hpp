#pragma once
// Ending the program from inside a tick: a window's close button, or SIGINT or SIGTERM (which
// SDL turns into a quit request), must end it at once, even in the middle of a wait or a sound.
namespace kelvar {

// Thrown where a quit is noticed inside a tick; it unwinds the tick and ends the loop.
struct QuitRequested {};

// True when a quit request or a window close waits in SDL's queue. Takes nothing from the
// queue: the other events stay for the next event processing.
bool quitPending();

} // namespace kelvar
