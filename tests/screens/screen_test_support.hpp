#pragma once
// Real windows on SDL's offscreen video driver, with events made as the desktop makes them and
// the drawn pixels read back.
#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "screens/ui.hpp"
#include "screens/widgets.hpp"

namespace kelvar::test {

class ScreenTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0); // ctest sets it; a run by hand may not
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ASSERT_EQ(TTF_Init(), 0) << TTF_GetError();
    }
    static void TearDownTestSuite() {
        ui::closeFonts();
        TTF_Quit();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
};

inline SDL_Point centre(const SDL_Rect& r) {
    return {r.x + r.w / 2, r.y + r.h / 2};
}

inline SDL_Rect rectOf(ui::Form& f, const std::string& name) {
    return f.find(name)->rect();
}

// A mouse button (down or up) or, for SDL_MOUSEMOTION, a move with the left button held.
template <class Screen> void mouse(Screen& s, Uint32 type, int x, int y) {
    SDL_Event e{};
    const Uint8 down = type == SDL_MOUSEBUTTONDOWN;
    if (type == SDL_MOUSEMOTION)
        e.motion = {type, 0, s.window().id(), 0, SDL_BUTTON_LMASK, x, y, 0, 0};
    else
        e.button = {type, 0, s.window().id(), 0, SDL_BUTTON_LEFT, down, 1, 0, x, y};
    s.handleEvent(e);
}

template <class Screen> void click(Screen& s, SDL_Point p) {
    mouse(s, SDL_MOUSEBUTTONDOWN, p.x, p.y);
    mouse(s, SDL_MOUSEBUTTONUP, p.x, p.y);
}

template <class Screen> void clickControl(Screen& s, const std::string& name) {
    click(s, centre(rectOf(s.form(), name)));
}

// The keys, separated by spaces: a key's name pressed and released, "+" or "-" before it for
// only its press or its release, "L-" or "R-" for a Shift held with it; "#N" selects option N
// as the options file does.
template <class Screen> void type(Screen& s, const std::string& keys) {
    constexpr std::pair<const char*, SDL_Keycode> names[] = {
        {"Tab", SDLK_TAB}, {"Space", SDLK_SPACE}, {"Return", SDLK_RETURN}, {"Enter", SDLK_KP_ENTER},
        {"Up", SDLK_UP},   {"Down", SDLK_DOWN},   {"Left", SDLK_LEFT},     {"Right", SDLK_RIGHT}};
    std::istringstream words(keys);
    for (std::string k; words >> k;) {
        if constexpr (requires { s.selectOption(1); })
            if (k[0] == '#') {
                s.selectOption(k[1] - '0');
                continue;
            }
        Uint16 mod = 0;
        if (k[1] == '-') mod = k[0] == 'L' ? KMOD_LSHIFT : KMOD_RSHIFT, k.erase(0, 2);
        const char phase = k[0] == '+' || k[0] == '-' ? k[0] : ' ';
        if (phase != ' ') k.erase(0, 1);
        const auto* key = std::find_if(std::begin(names), std::end(names),
                                       [&](const auto& n) { return k == n.first; });
        ASSERT_NE(key, std::end(names)) << k;
        for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
            if (phase == (type == SDL_KEYDOWN ? '-' : '+')) continue;
            const Uint8 down = type == SDL_KEYDOWN;
            SDL_Event e{};
            e.key = {type, 0, s.window().id(), down, 0, 0, 0, {{}, key->second, mod, 0}};
            s.handleEvent(e);
        }
    }
}

template <class Screen> std::string focusName(Screen& s) {
    return s.form().focus() ? s.form().focus()->name() : "(none)";
}

// The client area as drawn, RGB per pixel.
struct Pixels {
    int w = 0, h = 0;
    std::vector<Uint32> argb;
    Rgb at(int x, int y) const { return argb[static_cast<std::size_t>(y * w + x)] & 0xFFFFFF; }
    int countIn(const SDL_Rect& r, auto&& pred) const {
        int n = 0;
        for (int y = std::max(0, r.y); y < std::min(h, r.y + r.h); ++y)
            for (int x = std::max(0, r.x); x < std::min(w, r.x + r.w); ++x)
                if (pred(at(x, y))) ++n;
        return n;
    }
};

// What is drawn so far, read back before it is presented (after a present it is not defined).
inline Pixels readBack(SDL_Renderer* r) {
    Pixels p;
    SDL_GetRendererOutputSize(r, &p.w, &p.h);
    p.argb.resize(static_cast<std::size_t>(p.w * p.h));
    EXPECT_EQ(SDL_RenderReadPixels(r, nullptr, SDL_PIXELFORMAT_ARGB8888, p.argb.data(), p.w * 4), 0)
        << SDL_GetError();
    return p;
}

// Draws the form as render() does, and reads it back.
template <class Screen> Pixels drawn(Screen& s) {
    s.form().draw();
    return readBack(s.window().renderer());
}

} // namespace kelvar::test
