#pragma once
// The font files the game knows on Windows, looked for folder by folder.
#include <string>
#include <vector>

namespace kelvar {

// The first file of a face of the wanted kind (monospaced or not) in the first folder that has
// one: the wanted weight first, then the other (made bold when drawn). Any known face at all
// when no folder has one of the wanted kind; empty when there is none.
std::string findFontFileIn(const std::vector<std::string>& folders, bool monospace, bool bold);

// Where the game looks: the system's fonts folder, then the "fonts" folder beside the program.
std::vector<std::string> fontFolders();

} // namespace kelvar
