#include "platform/sdl/sdl_joystick.hpp"

#include <algorithm>
#include <iostream>

namespace kelvar {

SdlJoystick::~SdlJoystick() {
    if (joystick_) SDL_JoystickClose(joystick_);
}

SDL_Joystick* SdlJoystick::open(std::int32_t id) {
    if (id != 0) return nullptr;
    if (joystick_ && SDL_JoystickGetAttached(joystick_)) return joystick_;
    if (joystick_) {
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
    }
    if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0 && SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0)
        return nullptr;
    if (SDL_NumJoysticks() > 0) joystick_ = SDL_JoystickOpen(0);
    return joystick_;
}

bool SdlJoystick::present(std::int32_t id) {
    const bool found = open(id) != nullptr;
    if (!found && !warned_) {
        warned_ = true;
        std::cerr << "kelvar-raid: no joystick found; playing with the keyboard\n";
    }
    return found;
}

bool SdlJoystick::read(std::int32_t id, JoyReading& out) {
    SDL_Joystick* j = open(id);
    if (!j) return false;
    SDL_JoystickUpdate();
    out.x = SDL_JoystickGetAxis(j, 0);
    out.y = SDL_JoystickNumAxes(j) > 1 ? SDL_JoystickGetAxis(j, 1) : 0;
    out.buttons = 0;
    const int n = std::min(SDL_JoystickNumButtons(j), 16);
    for (int b = 0; b < n; ++b)
        if (SDL_JoystickGetButton(j, b)) out.buttons |= 1u << b;
    return true;
}

} // namespace kelvar
