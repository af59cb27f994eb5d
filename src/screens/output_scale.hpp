#pragma once
// The windows are laid out in the game's own pixels (15 twips each) and shown at a whole-number
// scale, so that a small retro picture stays crisp and a usable size on large desktops.
#include <SDL.h>

#include <optional>

namespace kelvar::ui {

constexpr int kMinScale = 1;
constexpr int kMaxScale = 8;

// The scale the windows open at: `requested` when given (kept within 1..8), otherwise the
// largest at which a window `windowHeight` pixels high at scale 1 fills no more than three
// quarters of `usableHeight`; never below 1.
int chooseScale(int usableHeight, int windowHeight, std::optional<int> requested);

// The scale every window made from now on opens at (1 until set).
void setOutputScale(int scale);
int outputScale();

// The desktop's usable height (its full height where the usable part is not known), or 0
// when there is no display.
int usableDesktopHeight();

} // namespace kelvar::ui
