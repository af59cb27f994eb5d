#include "headless/virtual_screens.hpp"

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
    if (index < 0 || index >= static_cast<int>(kHelpSpeedCodes.size())) return;
    optionSelected = index;
    choice.valUsed = kHelpSpeedCodes[static_cast<std::size_t>(index)];
}

} // namespace kelvar
