#pragma once
#include <string>

namespace kelvar::resources {

// The file of the font that fontconfig finds for `family` (with `fallback`, a generic family
// such as "sans-serif" or "monospace", behind it); empty when there is none.
std::string findFontFile(const std::string& family, const std::string& fallback, bool bold);

} // namespace kelvar::resources
