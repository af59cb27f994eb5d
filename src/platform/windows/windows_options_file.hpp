#pragma once
// The options file in a real folder, through Windows calls with UTF-16 paths. Nothing outside
// that folder is ever changed: a link by the file's name (a symbolic link or any other reparse
// point) is read through but never written or changed through.
#include "platform/options_file.hpp"

namespace kelvar {

class WindowsOptionsFile final : public OptionsFile {
  public:
    // `where.folder`, made (with its missing parents) when the options are first written;
    // `where.fallback` from then on if it cannot be made.
    explicit WindowsOptionsFile(OptionsFolder where);

    std::string currentFolder() override;
    void clearAttributes(const std::string& path) override;
    // Hands the reader at most the first kReadLimit bytes of a plain file.
    std::unique_ptr<std::istream> openForReading(const std::string& path) override;
    bool replace(const std::string& path, std::string_view bytes) override;

    static constexpr std::size_t kReadLimit = 16 * 1024;

  private:
    std::string folder_, fallback_;
};

// Beside the program when its folder is writable; otherwise in this game's folder of the
// player's roaming application data (an empty `appData`: beside the program all the same).
OptionsFolder chooseWindowsOptionsFolder(const std::string& programFolder,
                                         bool programFolderWritable, const std::string& appData);

// This process's options folder.
OptionsFolder optionsFolderOfThisProcess();

} // namespace kelvar
