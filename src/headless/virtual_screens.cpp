#include "headless/virtual_screens.hpp"

#include "core/base/speeds.hpp"

namespace kelvar {

void VirtualScreens::openHelp() {
    help = {true, false, false};
    shutHelpOptions();
}

void VirtualScreens::shutHelpOptions() {
    optionSelected = -1;
    choice.centerOrNot = 0;
}

void VirtualScreens::selectHelpOption(int index) {
    if (index < 0 || index >= static_cast<int>(kSpeeds.size())) return;
    optionSelected = index;
    choice.valUsed = std::string(kSpeeds[static_cast<std::size_t>(index)].code);
}

} // namespace kelvar
