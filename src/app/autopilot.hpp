#pragma once
#include "app/command_line.hpp"

namespace kelvar {

// Plays N ticks headless with a simple player that reads the state each tick and presses keys,
// writes what it pressed as a demo file, and prints the run's summary line.
int runAutopilot(const Options& options);

} // namespace kelvar
