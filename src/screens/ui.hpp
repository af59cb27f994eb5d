#pragma once
// The small drawing kit that the three windows share: windows sized in twips, fonts found by
// fontconfig, pictures by id, labels, shapes. Everything is placed in twips and drawn at
// kTwipsPerPixel twips to the pixel.
#include <SDL.h>
#include <SDL_ttf.h>

#include <map>
#include <string>
#include <tuple>

#include "core/base/twips.hpp"
#include "core/state/play_field.hpp"

namespace kelvar::ui {

inline int px(double twips) {
    return twipsToPixels(twips);
}
SDL_Rect pxRect(double left, double top, double width, double height);
SDL_Color sdlColour(Rgb rgb);

// Where a window's outer frame goes: centred across, 250 twips above the middle of the
// screen, or at its top edge. Halves of a pixel go to the even neighbour. At a larger output
// scale the 250 twips grow with the window.
SDL_Point placementOnScreen(const SDL_Rect& screen, int outerWidth, int outerHeight, bool atTop,
                            int scale = 1);

// Before SDL starts: the windows are small, and SDL's software renderer draws them in about a
// millisecond with no GL driver in memory. SDL_RENDER_DRIVER in the environment still wins.
void preferSoftwareRenderer();

// A fixed-size window whose client area is given in twips. Created hidden, at the output scale
// of the time: everything is drawn in the game's pixels and shown that many times larger.
class Window {
  public:
    Window(const std::string& caption, int clientWidthTwips, int clientHeightTwips);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    SDL_Window* sdl() const { return window_; }
    SDL_Renderer* renderer() const { return renderer_; }
    Uint32 id() const { return SDL_GetWindowID(window_); }
    void show();
    void hide();
    bool shown() const;
    // Centred on the screen, 250 twips above its middle, or at the top of the screen.
    void placeCentred(bool atTop);
    void placeTop();
    void present() { SDL_RenderPresent(renderer_); }
    int scale() const { return scale_; }
    // Desktop fullscreen: the picture at the largest whole scale that fits, centred on black.
    void setFullscreen(bool on);
    bool fullscreen() const;

  private:
    int scale_ = 1;
    SDL_Point clientSize_{0, 0}; // in the game's pixels
    SDL_Point windowedAt_{0, 0}; // where the window was before it went fullscreen
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
};

// Fonts by face, size in points (at 96 dpi) and weight; null when no font file can be had, and
// then the text functions draw in the built-in bitmap font (said once on stderr).
// `scale` opens the same font that many times larger, for text drawn on a scaled window.
TTF_Font* font(const Font& f, int scale = 1);
void closeFonts();

enum class Align { Left, Centre, Right };

// Draws `text` inside `box` (pixels), wrapped at the box's width when `wrap` is set. On a
// scaled renderer the text is set at the larger size, not enlarged, so it stays sharp.
void drawText(SDL_Renderer* r, const Font& f, const std::string& text, Rgb colour,
              const SDL_Rect& box, Align align, bool wrap);
// Pixel size of a single line of text (at scale 1: the layout never depends on the scale).
SDL_Point textSize(const Font& f, const std::string& text);

// Whether any pixel of `s` lets the background through. A picture with none is copied, not
// blended: a quarter of the title screen is its art, and blending it costs most of a frame.
bool hasTransparency(SDL_Surface* s);

// Pictures by id, as textures of one renderer.
class Pictures {
  public:
    explicit Pictures(SDL_Renderer* r) : renderer_(r) {}
    ~Pictures();
    Pictures(const Pictures&) = delete;
    Pictures& operator=(const Pictures&) = delete;
    SDL_Texture* get(int id);
    // Draws picture `id` at its own size with its top left corner at (left, top) twips.
    void draw(int id, double left, double top);
    // Draws picture `id` stretched into a box given in twips.
    void drawInto(int id, double left, double top, double width, double height);

  private:
    SDL_Renderer* renderer_;
    std::map<int, SDL_Texture*> textures_;
};

void fillRect(SDL_Renderer* r, Rgb colour, const SDL_Rect& box);
void drawRect(SDL_Renderer* r, Rgb colour, const SDL_Rect& box);
void fillOval(SDL_Renderer* r, Rgb fill, Rgb border, const SDL_Rect& box);
void drawLine(SDL_Renderer* r, Rgb colour, double x1, double y1, double x2, double y2);
// The largest size of `f`, no larger than it, whose line height fits `maxHeight` pixels.
Font fittingFont(const Font& f, int maxHeight);
// The font a play field label is drawn with: its own, made to fit a fixed box.
Font labelFont(const Label& label);
void drawLabel(SDL_Renderer* r, const Label& label);

} // namespace kelvar::ui
