#include "platform/sdl/sdl_joystick.hpp"

#include <algorithm>
#include <iostream>

namespace kelvar {

std::int32_t gamepad::direction(int stick, bool towardsLow, bool towardsHigh) {
    if (towardsLow != towardsHigh) return towardsLow ? kLeft : kRight;
    if (towardsLow) return kCentre;
    if (stick < -kDeadZone) return kLeft;
    if (stick > kDeadZone) return kRight;
    return kCentre;
}

SdlJoystick::~SdlJoystick() {
    close();
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool SdlJoystick::startSubsystem() {
    if (started_) return true;
    if (failed_) return false;
    // Game controllers bring the joystick subsystem with them; SDL reads the user's
    // SDL_GAMECONTROLLERCONFIG mappings here.
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        failed_ = true;
        std::cerr << "kelvar-raid: joysticks cannot be read: " << SDL_GetError() << "\n";
        return false;
    }
    // The stick is read once a tick (select() updates it), never through events. With joystick
    // events on, SDL would poll every millisecond instead of sleeping in its event wait while
    // a device is plugged in, and fill the queue with motion nobody reads.
    SDL_JoystickEventState(SDL_IGNORE);
    SDL_GameControllerEventState(SDL_IGNORE);
    started_ = true;
    return true;
}

void SdlJoystick::close() {
    if (pad_)
        SDL_GameControllerClose(pad_);
    else if (joystick_)
        SDL_JoystickClose(joystick_);
    pad_ = nullptr;
    joystick_ = nullptr;
}

bool SdlJoystick::select(bool preferBetter) {
    if (!startSubsystem()) return false;
    SDL_JoystickUpdate(); // picks up devices plugged in or pulled since the last events
    if (joystick_ && !SDL_JoystickGetAttached(joystick_)) close();
    if (joystick_ && (!preferBetter || pad_)) return true;

    const int count = SDL_NumJoysticks();
    int best = -1;
    for (int i = 0; i < count && best < 0; ++i)
        if (SDL_IsGameController(i)) best = i;
    if (best < 0 && count > 0) best = 0;
    if (best < 0) return joystick_ != nullptr;
    if (joystick_ && SDL_JoystickGetDeviceInstanceID(best) == SDL_JoystickInstanceID(joystick_))
        return true;

    close();
    if (SDL_IsGameController(best)) {
        pad_ = SDL_GameControllerOpen(best);
        joystick_ = pad_ ? SDL_GameControllerGetJoystick(pad_) : nullptr;
    }
    if (!joystick_) joystick_ = SDL_JoystickOpen(best);
    return joystick_ != nullptr;
}

JoyReading SdlJoystick::readDevice() const {
    JoyReading r;
    if (pad_) {
        using gamepad::direction;
        auto held = [this](SDL_GameControllerButton b) {
            return SDL_GameControllerGetButton(pad_, b) != 0;
        };
        r.x = direction(SDL_GameControllerGetAxis(pad_, SDL_CONTROLLER_AXIS_LEFTX),
                        held(SDL_CONTROLLER_BUTTON_DPAD_LEFT),
                        held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT));
        r.y = direction(SDL_GameControllerGetAxis(pad_, SDL_CONTROLLER_AXIS_LEFTY),
                        held(SDL_CONTROLLER_BUTTON_DPAD_UP), held(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
        for (std::size_t b = 0; b < gamepad::kFireButtons.size(); ++b)
            if (held(gamepad::kFireButtons[b])) r.buttons |= 1u << b;
        return r;
    }
    r.x = SDL_JoystickGetAxis(joystick_, 0);
    r.y = SDL_JoystickNumAxes(joystick_) > 1 ? SDL_JoystickGetAxis(joystick_, 1) : 0;
    const int n = std::min(SDL_JoystickNumButtons(joystick_), 16);
    for (int b = 0; b < n; ++b)
        if (SDL_JoystickGetButton(joystick_, b)) r.buttons |= 1u << b;
    return r;
}

bool SdlJoystick::present(std::int32_t id) {
    // Only the first joystick is played with.
    takeCentre_ = id == 0 && select(true);
    return takeCentre_;
}

bool SdlJoystick::read(std::int32_t id, JoyReading& out) {
    if (id != 0) return false;
    // A pulled cable must not leave the ship steering: with no device the stick is at rest.
    JoyReading r = select(false) ? readDevice() : JoyReading{centre_.x, centre_.y, 0};
    if (takeCentre_) {
        centre_ = r;
        takeCentre_ = false;
    }
    out = r;
    return true;
}

} // namespace kelvar
