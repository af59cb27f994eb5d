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

} // namespace kelvar
