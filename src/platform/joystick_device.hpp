#pragma once
#include <cstdint>

namespace kelvar {

struct JoyReading {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint32_t buttons = 0; // bit n: button n+1 held
};

// Raw access to a joystick by number; no scaling, no dead zone.
class JoystickDevice {
  public:
    virtual ~JoystickDevice() = default;
    virtual bool present(std::int32_t id) = 0;
    virtual bool read(std::int32_t id, JoyReading& out) = 0;
};

} // namespace kelvar
