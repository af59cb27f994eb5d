#pragma once
#include <cstdint>

namespace kelvar {

// Moves the mouse pointer to a point of the play field's client area, given in twips.
class Pointer {
  public:
    virtual ~Pointer() = default;
    virtual bool setCursorPosition(std::int32_t xTwips, std::int32_t yTwips) = 0;
};

} // namespace kelvar
