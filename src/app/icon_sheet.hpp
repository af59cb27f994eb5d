#pragma once
#include <string>

namespace kelvar {

// Draws every picture of the game at 1x and 4x, each labelled with its id, on one black
// sheet and saves it as a PNG: a quick way to review the art. Needs no window.
// Returns false, after one line on stderr, if a picture will not load or the file cannot
// be written.
bool writeIconSheet(const std::string& pngPath);

} // namespace kelvar
