#pragma once
#include <string>

namespace kelvar {

// The file of the font that stands in for `family` (with `fallback`, a generic family such as
// "sans-serif" or "monospace", behind it); empty when there is none. Linux asks fontconfig, then
// the packaged fonts' known files (one stderr line says so); Windows looks in the system's fonts
// folder, then in the fonts shipped beside the program.
std::string findFontFile(const std::string& family, const std::string& fallback, bool bold);

// For tests: every lookup finds nothing, as on a machine with no fonts at all.
void setNoFontsForTesting(bool none);

} // namespace kelvar
