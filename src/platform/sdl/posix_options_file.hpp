#pragma once
// The options file in a real folder, through POSIX calls.
#include "platform/options_file.hpp"

namespace kelvar {

class PosixOptionsFile final : public OptionsFile {
  public:
    std::string currentFolder() override;
    void clearAttributes(const std::string& path) override;
    std::unique_ptr<std::istream> openForReading(const std::string& path) override;
    bool replace(const std::string& path, std::string_view bytes) override;
};

} // namespace kelvar
