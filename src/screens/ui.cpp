#include "screens/ui.hpp"

#include <SDL_image.h>

#include <cmath>
#include <cstring>
#include <iostream>

#include "platform/font_lookup.hpp"
#include "platform/sdl/parked_windows.hpp"
#include "platform/sdl/unmanaged_window.hpp"
#include "resources/icons.hpp"
#include "screens/fallback_font.hpp"
#include "screens/output_scale.hpp"
#include "screens/text_cache.hpp"

namespace kelvar::ui {

SDL_Rect pxRect(double left, double top, double width, double height) {
    const int x = px(left), y = px(top);
    return {x, y, px(left + width) - x, px(top + height) - y};
}

SDL_Color sdlColour(Rgb rgb) {
    return {static_cast<Uint8>(rgb >> 16), static_cast<Uint8>(rgb >> 8), static_cast<Uint8>(rgb),
            255};
}

static void setColour(SDL_Renderer* r, Rgb rgb) {
    const SDL_Color c = sdlColour(rgb);
    SDL_SetRenderDrawColor(r, c.r, c.g, c.b, 255);
}

// ---- windows ----

void preferSoftwareRenderer() {
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    // The software renderer draws into the window's own surface, which SDL would otherwise
    // make a GL texture: that alone loads the whole GL driver (most of a second, 80 MB).
    if (!SDL_getenv("SDL_RENDER_DRIVER")) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
}

Window::Window(const std::string& caption, int clientWidthTwips, int clientHeightTwips)
    : scale_(outputScale()) {
    const int w = px(clientWidthTwips), h = px(clientHeightTwips);
    clientSize_ = {w, h};
    window_ = unparkWindow(w * scale_, h * scale_);
    if (window_)
        SDL_SetWindowTitle(window_, caption.c_str());
    else
        window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   w * scale_, h * scale_, SDL_WINDOW_HIDDEN);
    if (!window_) {
        std::cerr << "kelvar-raid: cannot open a window: " << SDL_GetError() << "\n";
        return;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // No flags: the renderer the program asks for (SDL_HINT_RENDER_DRIVER) is taken as it is.
    // Asking for an accelerated one would pass over the software renderer and load a whole GL
    // driver for three small windows.
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
        std::cerr << "kelvar-raid: cannot draw in a window: " << SDL_GetError() << "\n";
        return;
    }
    // Drawing stays in the game's pixels; SDL scales by whole numbers only (crisp, and centred
    // on black in fullscreen) and gives mouse events back in the game's pixels.
    SDL_RenderSetLogicalSize(renderer_, w, h);
    SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
}

Window::~Window() {
    if (renderer_) textCache().forget(renderer_); // its textures die with it
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_ && !parkWindow(window_)) SDL_DestroyWindow(window_);
}

void Window::show() {
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
}
void Window::hide() {
    SDL_HideWindow(window_);
}
bool Window::shown() const {
    return (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) != 0;
}

void Window::setFullscreen(bool on) {
    if (!window_ || on == fullscreen()) return;
    if (on) SDL_GetWindowPosition(window_, &windowedAt_.x, &windowedAt_.y);
    SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    fitUnmanagedWindow(
        window_, {windowedAt_.x, windowedAt_.y, clientSize_.x * scale_, clientSize_.y * scale_});
}

bool Window::fullscreen() const {
    return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
                          SDL_WINDOW_FULLSCREEN_DESKTOP;
}

SDL_Point placementOnScreen(const SDL_Rect& screen, int outerWidth, int outerHeight, bool atTop,
                            int scale) {
    // In twips: Left = (screen - window) / 2, Top = (screen - window) / 2 - 250.
    const double xTwips = pixelsToTwips(screen.w - outerWidth) / 2.0;
    const double yTwips = pixelsToTwips(screen.h - outerHeight) / 2.0 - 250.0 * scale;
    return {screen.x + px(xTwips), atTop ? screen.y : screen.y + px(yTwips)};
}

void Window::placeCentred(bool atTop) {
    SDL_Rect screen{0, 0, 0, 0};
    SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &screen);
    int w = 0, h = 0, top = 0, left = 0, bottom = 0, right = 0;
    SDL_GetWindowSize(window_, &w, &h);
    SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right);
    const SDL_Point at =
        placementOnScreen(screen, w + left + right, h + top + bottom, atTop, scale_);
    SDL_SetWindowPosition(window_, at.x + left, at.y + top);
}

void Window::placeTop() {
    SDL_Rect screen{0, 0, 0, 0};
    SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &screen);
    int x = 0, y = 0, top = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    SDL_GetWindowBordersSize(window_, &top, nullptr, nullptr, nullptr);
    SDL_SetWindowPosition(window_, x, screen.y + top);
}

// ---- fonts ----

namespace {
using FontKey = std::tuple<int, int, bool>;
std::map<FontKey, TTF_Font*>& fontCache() {
    static std::map<FontKey, TTF_Font*> cache;
    return cache;
}
} // namespace

// Terminal is a narrow raster face; the monospaced faces that stand in for it are wider,
// so they are set a little smaller to keep the side panel's texts in their places.
static int pixelSize(const Font& f) {
    const double scale = f.face == FontFace::Terminal ? 0.85 : 1.0;
    return static_cast<int>(std::lround(f.points * 96.0 / 72.0 * scale));
}

TTF_Font* font(const Font& f, int outScale) {
    const int pixels = pixelSize(f) * std::max(1, outScale);
    const FontKey key{static_cast<int>(f.face), pixels, f.bold};
    auto& cache = fontCache();
    if (auto it = cache.find(key); it != cache.end()) return it->second;
    if (!TTF_WasInit() && TTF_Init() != 0) {
        cache[key] = nullptr;
        return nullptr;
    }
    const bool terminal = f.face == FontFace::Terminal;
    const std::string family = terminal ? "Terminal" : "Arial";
    const std::string path = findFontFile(family, terminal ? "monospace" : "sans-serif", f.bold);
    TTF_Font* opened = path.empty() ? nullptr : TTF_OpenFont(path.c_str(), pixels);
    if (!opened) {
        static bool reported = false;
        if (!reported) {
            reported = true;
            std::cerr << "kelvar-raid: no font found for " << family << " ("
                      << (path.empty() ? "none installed" : TTF_GetError())
                      << "); texts are drawn in the built-in font\n";
        }
    } else if (f.bold) {
        // A regular face standing in for a bold one is made bold.
        if (!(TTF_GetFontStyle(opened) & TTF_STYLE_BOLD) && TTF_FontFaceStyleName(opened) &&
            std::string(TTF_FontFaceStyleName(opened)).find("Bold") == std::string::npos)
            TTF_SetFontStyle(opened, TTF_STYLE_BOLD);
    }
    cache[key] = opened;
    return opened;
}

void closeFonts() {
    textCache().clear(); // keyed by the fonts about to close
    for (auto& [key, f] : fontCache())
        if (f) TTF_CloseFont(f);
    fontCache().clear();
}

SDL_Point textSize(const Font& f, const std::string& text) {
    TTF_Font* tf = font(f);
    if (!tf) return fallback_font::textSize(pixelSize(f), text);
    int w = 0, h = 0;
    if (!text.empty()) TTF_SizeUTF8(tf, text.c_str(), &w, &h);
    return {w, h};
}

// The whole-number scale a renderer draws at (1 for one that is not scaled).
static int rendererScale(SDL_Renderer* r) {
    float sx = 1, sy = 1;
    SDL_RenderGetScale(r, &sx, &sy);
    return std::max(1, static_cast<int>(std::lround(sx)));
}

void drawText(SDL_Renderer* r, const Font& f, const std::string& text, Rgb colour,
              const SDL_Rect& box, Align align, bool wrap) {
    const int scale = rendererScale(r);
    TTF_Font* tf = font(f, scale);
    if (!tf)
        return fallback_font::drawText(r, pixelSize(f), f.bold, text, colour, box, align, wrap);
    if (text.empty()) return;
    const int wrapAlign = align == Align::Centre  ? TTF_WRAPPED_ALIGN_CENTER
                          : align == Align::Right ? TTF_WRAPPED_ALIGN_RIGHT
                                                  : TTF_WRAPPED_ALIGN_LEFT;
    const TextCache::Entry* t =
        textCache().get(r, tf, text, colour, wrap && box.w > 0 ? box.w * scale : 0, wrapAlign);
    if (!t) return;
    // Placed in whole output pixels, so the text's pixels meet the screen's one to one.
    int x = box.x * scale;
    if (box.w > 0) {
        if (align == Align::Centre) x += (box.w * scale - t->w) / 2;
        if (align == Align::Right) x += box.w * scale - t->w;
    }
    const float k = static_cast<float>(scale);
    const SDL_FRect dst{static_cast<float>(x) / k, static_cast<float>(box.y), t->w / k, t->h / k};
    if (box.w > 0 && box.h > 0) {
        SDL_RenderSetClipRect(r, &box);
        SDL_RenderCopyF(r, t->texture, nullptr, &dst);
        SDL_RenderSetClipRect(r, nullptr);
    } else {
        SDL_RenderCopyF(r, t->texture, nullptr, &dst);
    }
}

// ---- pictures ----

Pictures::~Pictures() {
    for (auto& [id, t] : textures_)
        if (t) SDL_DestroyTexture(t);
}

bool hasTransparency(SDL_Surface* s) {
    if (!s) return false;
    // Palette pictures mark their transparent colour with a colour key.
    if (SDL_HasColorKey(s)) return true;
    if (!SDL_ISPIXELFORMAT_ALPHA(s->format->format)) return false;
    if (SDL_LockSurface(s) != 0) return true;
    bool found = false;
    for (int y = 0; y < s->h && !found; ++y) {
        const auto* row = static_cast<const Uint8*>(s->pixels) + y * s->pitch;
        for (int x = 0; x < s->w && !found; ++x) {
            Uint32 pixel = 0;
            std::memcpy(&pixel, row + x * s->format->BytesPerPixel, s->format->BytesPerPixel);
            Uint8 r = 0, g = 0, b = 0, a = 0;
            SDL_GetRGBA(pixel, s->format, &r, &g, &b, &a);
            found = a != 255;
        }
    }
    SDL_UnlockSurface(s);
    return found;
}

SDL_Texture* Pictures::get(int id) {
    if (auto it = textures_.find(id); it != textures_.end()) return it->second;
    SDL_Texture* texture = nullptr;
    if (const char* const* xpm = resources::pictureXpm(id)) {
        if (SDL_Surface* s = IMG_ReadXPMFromArray(const_cast<char**>(xpm))) {
            texture = SDL_CreateTextureFromSurface(renderer_, s);
            if (texture)
                SDL_SetTextureBlendMode(texture, hasTransparency(s) ? SDL_BLENDMODE_BLEND
                                                                    : SDL_BLENDMODE_NONE);
            SDL_FreeSurface(s);
        }
    }
    if (texture) {
        SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest); // pixels as blocks when scaled
    }
    textures_[id] = texture;
    return texture;
}

void Pictures::draw(int id, double left, double top) {
    SDL_Texture* t = get(id);
    if (!t) return;
    int w = 0, h = 0;
    SDL_QueryTexture(t, nullptr, nullptr, &w, &h);
    SDL_Rect dst{px(left), px(top), w, h};
    SDL_RenderCopy(renderer_, t, nullptr, &dst);
}

void Pictures::drawInto(int id, double left, double top, double width, double height) {
    SDL_Texture* t = get(id);
    if (!t) return;
    SDL_Rect dst = pxRect(left, top, width, height);
    SDL_RenderCopy(renderer_, t, nullptr, &dst);
}

// ---- shapes ----

void fillRect(SDL_Renderer* r, Rgb colour, const SDL_Rect& box) {
    setColour(r, colour);
    SDL_RenderFillRect(r, &box);
}

void drawRect(SDL_Renderer* r, Rgb colour, const SDL_Rect& box) {
    setColour(r, colour);
    SDL_RenderDrawRect(r, &box);
}

void fillOval(SDL_Renderer* r, Rgb fill, Rgb border, const SDL_Rect& box) {
    if (box.w <= 0 || box.h <= 0) return;
    const double a = box.w / 2.0, b = box.h / 2.0;
    const double cx = box.x + a;
    for (int row = 0; row < box.h; ++row) {
        const double dy = (row + 0.5 - b) / b;
        const double half = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        const int x1 = static_cast<int>(std::lround(cx - half));
        const int x2 = static_cast<int>(std::lround(cx + half)) - 1;
        if (x2 < x1) continue;
        const int y = box.y + row;
        setColour(r, fill);
        SDL_RenderDrawLine(r, x1, y, x2, y);
        setColour(r, border);
        SDL_RenderDrawPoint(r, x1, y);
        SDL_RenderDrawPoint(r, x2, y);
        if (row == 0 || row == box.h - 1) SDL_RenderDrawLine(r, x1, y, x2, y);
    }
}

void drawLine(SDL_Renderer* r, Rgb colour, double x1, double y1, double x2, double y2) {
    setColour(r, colour);
    SDL_RenderDrawLine(r, px(x1), px(y1), px(x2), px(y2));
}

Font fittingFont(const Font& f, int maxHeight) {
    // The stand-in faces are taller than the ones the labels were laid out for; a fixed box
    // gets the largest size, in steps of a pixel, whose lines fit it whole.
    Font fitted = f;
    constexpr float kPixelInPoints = 0.75f;
    while (maxHeight > 0 && fitted.points > 2 * kPixelInPoints) {
        TTF_Font* tf = font(fitted);
        if (!tf || TTF_FontHeight(tf) <= maxHeight) break;
        fitted.points -= kPixelInPoints;
    }
    return fitted;
}

Font labelFont(const Label& l) {
    return l.Height > 0 ? fittingFont(l.font, px(l.Top + l.Height) - px(l.Top)) : l.font;
}

void drawLabel(SDL_Renderer* r, const Label& l) {
    if (!l.Visible) return;
    SDL_Rect box{px(l.Left), px(l.Top), l.Width > 0 ? px(l.Width) : 0,
                 l.Height > 0 ? px(l.Height) : 0};
    if (l.HasBackColor && box.w > 0 && box.h > 0) fillRect(r, l.BackColor, box);
    drawText(r, labelFont(l), l.Caption, l.ForeColor, box, l.Centred ? Align::Centre : Align::Left,
             l.Width > 0);
}

} // namespace kelvar::ui
