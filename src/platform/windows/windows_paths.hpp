#pragma once
// Paths between the game (UTF-8) and Windows (UTF-16), and the folders Windows names.
#include <string>

namespace kelvar {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);

// The folder of the running program; empty when Windows will not say.
std::string programFolder();
// The player's roaming application-data folder; empty when there is none.
std::string roamingAppDataFolder();
// The system's fonts folder; empty when there is none.
std::string systemFontsFolder();
// Whether a new file can be made in `folder` (tried, then removed).
bool folderIsWritable(const std::string& folder);

} // namespace kelvar
