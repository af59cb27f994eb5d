#pragma once
// The first joystick on SDL, read raw.
#include <SDL.h>

#include "platform/joystick_device.hpp"

namespace kelvar {

class SdlJoystick final : public JoystickDevice {
  public:
    ~SdlJoystick() override;
    bool present(std::int32_t id) override;
    bool read(std::int32_t id, JoyReading& out) override;

  private:
    SDL_Joystick* open(std::int32_t id);
    SDL_Joystick* joystick_ = nullptr;
    bool warned_ = false;
};

} // namespace kelvar
