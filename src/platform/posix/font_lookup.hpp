#pragma once
#include <string>

namespace kelvar {

// The file of the font that fontconfig finds for `family` (with `fallback`, a generic family
// such as "sans-serif" or "monospace", behind it). When fontconfig finds none, the first of the
// packaged fonts' known files that exists (one stderr line says so); empty when there is none.
std::string findFontFile(const std::string& family, const std::string& fallback, bool bold);

// For tests: every lookup finds nothing, as on a machine with no fonts at all.
void setNoFontsForTesting(bool none);

} // namespace kelvar
