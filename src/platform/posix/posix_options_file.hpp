#pragma once
// The options file in a real folder, through POSIX calls. Nothing outside that folder is ever
// changed: a symbolic link by the file's name is read through but never written or chmod-ed
// through.
#include "platform/options_file.hpp"

namespace kelvar {

class PosixOptionsFile final : public OptionsFile {
  public:
    // The process's current folder.
    PosixOptionsFile();
    // `where.folder`, made (with its missing parents, mode 0700) when the options are first
    // written; `where.fallback` from then on if it cannot be made.
    explicit PosixOptionsFile(OptionsFolder where);

    std::string currentFolder() override;
    void clearAttributes(const std::string& path) override;
    // Hands the reader at most the first kReadLimit bytes: two short lines need far less, and
    // start-up must not depend on the file's size.
    std::unique_ptr<std::istream> openForReading(const std::string& path) override;
    bool replace(const std::string& path, std::string_view bytes) override;

    static constexpr std::size_t kReadLimit = 16 * 1024;

  private:
    std::string folder_, fallback_;
};

// This process's options folder: its current folder, whether that holds `fileName`, and its
// environment.
OptionsFolder optionsFolderOfThisProcess(const std::string& fileName);

} // namespace kelvar
