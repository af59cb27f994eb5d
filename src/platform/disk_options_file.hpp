#pragma once
// The options file on this machine's disk, in the folder where this process keeps it.
#include <memory>
#include <string>

#include "platform/options_file.hpp"

namespace kelvar {

std::unique_ptr<OptionsFile> optionsFileOfThisProcess(const std::string& fileName);

} // namespace kelvar
