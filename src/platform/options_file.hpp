#pragma once
#include <istream>
#include <memory>
#include <string>
#include <string_view>

namespace kelvar {

// The folder and file access that the options code needs.
class OptionsFile {
  public:
    virtual ~OptionsFile() = default;
    virtual std::string currentFolder() = 0;
    // Makes a file plainly readable and writable by its owner; errors are ignored.
    virtual void clearAttributes(const std::string& path) = 0;
    // nullptr when the file cannot be opened.
    virtual std::unique_ptr<std::istream> openForReading(const std::string& path) = 0;
    // Replaces the file's contents as a whole, or leaves the old file in place on failure.
    virtual bool replace(const std::string& path, std::string_view bytes) = 0;
};

// `folder` joined with `name` by this platform's path rules.
std::string joinPath(const std::string& folder, const std::string& name);

// Where the options file is kept.
struct OptionsFolder {
    std::string folder;   // read and written here
    std::string fallback; // written here instead when `folder` cannot be made; empty: nowhere
};

// A player who starts the game in a folder that holds an options file (any entry by that name)
// keeps using it; everyone else gets the desktop's configuration folder of this game,
// `$XDG_CONFIG_HOME/kelvar-raid`, or `$HOME/.config/kelvar-raid` when that variable is unset or
// not absolute, with the current folder to fall back on. Null or empty variables count as unset.
OptionsFolder chooseOptionsFolder(const std::string& currentFolder, bool currentHoldsOptionsFile,
                                  const char* xdgConfigHome, const char* home);

} // namespace kelvar
