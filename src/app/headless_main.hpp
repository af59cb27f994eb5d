#pragma once
#include "app/command_line.hpp"

namespace kelvar {

// Plays a demo file without a window; prints the summary line. Returns the exit code.
int runHeadless(const Options& options);

} // namespace kelvar
