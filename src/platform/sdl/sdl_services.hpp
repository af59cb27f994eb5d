#pragma once
// The real services on SDL2.
#include <SDL.h>

#include "platform/sdl/sdl_joystick.hpp"
#include "platform/services.hpp"

namespace kelvar {

// Warps the pointer to a point of a window's client area given in twips.
class SdlPointer final : public Pointer {
  public:
    void setWindow(SDL_Window* w) { window_ = w; }
    bool setCursorPosition(std::int32_t xTwips, std::int32_t yTwips) override;

  private:
    SDL_Window* window_ = nullptr;
};

// The play field's own key repeat: a held key repeats after `delayMs`, then every `periodMs`.
// The desktop's repeat settings are left alone.
class WindowKeyRepeat final : public KeyRepeat {
  public:
    bool setKeyBoardDelay(std::int32_t delay) override;
    bool setKeyBoardSpeed(std::int32_t speed) override;
    std::uint32_t delayMs() const { return delayMs_; }
    std::uint32_t periodMs() const { return periodMs_; }

  private:
    std::uint32_t delayMs_ = 500, periodMs_ = 100;
};

} // namespace kelvar
