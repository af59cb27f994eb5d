#pragma once
#include <cstdint>

namespace kelvar {

// The keyboard's auto-repeat for the play field: delay 0..3 (0 the shortest), speed 0..31
// (31 the fastest).
class KeyRepeat {
  public:
    virtual ~KeyRepeat() = default;
    virtual bool setKeyBoardDelay(std::int32_t delay) = 0;
    virtual bool setKeyBoardSpeed(std::int32_t speed) = 0;
};

} // namespace kelvar
