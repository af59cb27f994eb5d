#pragma once
// The game's own bitmap font, 5 x 7 pixels for printable ASCII, drawn scaled to the size asked
// for. It stands in when no font file can be found at all, so that no text goes missing.
#include <SDL.h>

#include <array>
#include <cstdint>
#include <string>

#include "screens/ui.hpp"

namespace kelvar::ui::fallback_font {

// Rows from the top; bit 4 is the leftmost pixel. Anything outside printable ASCII reads "?".
const std::array<std::uint8_t, 7>& glyph(char c);

// Pixel size of a single line of `text` at a font size of `pixels` (the line height).
SDL_Point textSize(int pixels, const std::string& text);

// Draws `text` inside `box` like the font renderer does: aligned in the box's width, wrapped
// at word boundaries when `wrap` is set, clipped to the box when it has a size.
void drawText(SDL_Renderer* r, int pixels, bool bold, const std::string& text, Rgb colour,
              const SDL_Rect& box, Align align, bool wrap);

} // namespace kelvar::ui::fallback_font
