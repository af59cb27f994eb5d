// The windows at whole-number scales: their size, crisp pictures and text, clicks that land
// on the controls, the pointer's parking point, and the fullscreen keys.
#include "screens/output_scale.hpp"

#include <gtest/gtest.h>

#include <optional>

#include "app/fullscreen_keys.hpp"
#include "platform/sdl/window_pixels.hpp"
#include "resources/icons.hpp"
#include "screen_test_support.hpp"
#include "screens/play_field_view.hpp"
#include "screens/title_screen.hpp"

namespace kelvar {
namespace {

TEST(ChooseScale, LargestThatFitsThreeQuartersOfTheDesktopOrTheOneAskedFor) {
    constexpr int kPlay = 402; // the play field's height at scale 1
    const struct {
        int usable;
        std::optional<int> requested;
        int want;
    } cases[] = {
        {1072, {}, 2}, {1071, {}, 1}, {1608, {}, 3}, {9000, {}, 8}, {0, {}, 1}, {600, 8, 8},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::chooseScale(c.usable, kPlay, c.requested), c.want)
            << c.usable << " " << c.requested.value_or(0);
}

// Centred 250 twips above the middle (16.67 pixels at scale 1, 33.33 at 2), or at the top.
TEST(Placement, CentresAboveTheMiddleOrGoesToTheTop) {
    const struct {
        SDL_Rect screen;
        int w, h;
        bool top;
        int scale, x, y;
    } cases[] = {
        // (1024 - 351) / 2 = 336.5 -> 336; ((768 - 401) * 15 / 2 - 250) / 15 = 166.83 -> 167.
        {{0, 0, 1024, 768}, 351, 401, false, 1, 336, 167},
        {{1024, 0, 1024, 768}, 471, 402, false, 1, 1024 + 276, 166}, // a second screen
        {{0, 0, 1920, 1080}, 942, 804, false, 2, 489, 138 - 33},
        {{0, 0, 1920, 1080}, 942, 804, true, 2, 489, 0},
    };
    for (const auto& c : cases) {
        const SDL_Point p = ui::placementOnScreen(c.screen, c.w, c.h, c.top, c.scale);
        EXPECT_EQ(std::tie(p.x, p.y), std::tie(c.x, c.y)) << c.screen.w << " at " << c.scale;
    }
}

class Scaled : public test::ScreenTest {
  protected:
    void TearDown() override { ui::setOutputScale(1); }
};

// The client size follows the scale, and a click made as the desktop makes it, in the window's
// real pixels through SDL's queue, lands on its control.
TEST_F(Scaled, TheWindowGrowsAndAClickLandsOnItsControlAtAnyScale) {
    for (int scale : {1, 2, 3}) {
        ui::setOutputScale(scale);
        int starts = 0, exits = 0, w = 0, h = 0;
        TitleScreen s{{[&] { ++starts; }, [&] { ++exits; }}};
        SDL_GetRendererOutputSize(s.window().renderer(), &w, &h);
        EXPECT_EQ(std::tie(w, h), std::make_tuple(351 * scale, 401 * scale));
        s.window().show();
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        const SDL_Point at = test::centre(test::rectOf(s.form(), "StartBtn"));
        for (Uint8 state : {SDL_PRESSED, SDL_RELEASED}) {
            SDL_Event e{};
            e.button = {state == SDL_PRESSED ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP,
                        0,
                        s.window().id(),
                        0,
                        SDL_BUTTON_LEFT,
                        state,
                        1,
                        0,
                        at.x * scale,
                        at.y * scale};
            ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
        }
        SDL_Event e;
        while (SDL_PollEvent(&e))
            if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) s.handleEvent(e);
        EXPECT_EQ(std::tie(starts, exits), std::make_tuple(1, 0)) << "scale " << scale;
    }
}

TEST_F(Scaled, APictureIsDrawnAsBlocksOfWholePixels) {
    ui::setOutputScale(3);
    ui::Window w("pictures", 1500, 1500);
    ui::Pictures pictures(w.renderer());
    const int id = resources::allPictureIds().front();
    ui::fillRect(w.renderer(), 0x000000, {0, 0, 100, 100});
    pictures.draw(id, 0, 0);
    const test::Pixels p = test::readBack(w.renderer());
    ASSERT_EQ(p.w, 300);
    int w1 = 0, h1 = 0;
    SDL_QueryTexture(pictures.get(id), nullptr, nullptr, &w1, &h1);
    const SDL_Rect drawnArea{0, 0, w1 * 3, h1 * 3};
    EXPECT_LT(p.countIn(drawnArea, [&](Rgb c) { return c == p.at(0, 0); }), w1 * h1 * 9)
        << "the picture was not drawn";
    int off = 0;
    for (int y = 0; y < h1 * 3; ++y)
        for (int x = 0; x < w1 * 3; ++x) off += p.at(x, y) != p.at(x / 3 * 3, y / 3 * 3);
    EXPECT_EQ(off, 0) << "pixels not in 3x3 blocks";
}

// Rows with ink, and 2x2 blocks of ink that are not of one colour.
std::pair<int, int> inkOf(int scale) {
    ui::setOutputScale(scale);
    ui::Window w("text", 3000, 600);
    ui::fillRect(w.renderer(), 0x000000, {0, 0, 200, 40});
    ui::drawText(w.renderer(), ui::labelFont(designElements().Gover), "G A M E", 0xFFFFFF,
                 {0, 0, 200, 40}, ui::Align::Left, false);
    const test::Pixels p = test::readBack(w.renderer());
    int rows = 0, mixed = 0;
    for (int y = 0; y < p.h; ++y)
        rows += p.countIn({0, y, p.w, 1}, [](Rgb c) { return c != 0; }) > 0;
    for (int y = 0; y + 1 < p.h; y += 2)
        for (int x = 0; x + 1 < p.w; x += 2)
            mixed += p.countIn({x, y, 2, 2}, [&](Rgb c) { return c == p.at(x, y); }) < 4;
    return {rows, mixed};
}

// Set at twice the size, not enlarged: twice as tall, with detail finer than 2x2 blocks.
TEST_F(Scaled, TextIsSetAtTheLargerSize) {
    const int rows1 = inkOf(1).first;
    const auto [rows2, mixed2] = inkOf(2);
    ASSERT_GT(rows1, 4);
    EXPECT_NEAR(rows2, 2 * rows1, 3);
    EXPECT_GT(mixed2, 20) << "the text looks enlarged from scale 1";
}

TEST_F(Scaled, ThePointersParkingPointFollowsTheScale) {
    for (int scale : {1, 2}) {
        ui::setOutputScale(scale);
        PlayFieldView view;
        const SDL_Point p = windowPixel(view.window().sdl(), ui::px(7000), ui::px(4500));
        EXPECT_EQ(std::tie(p.x, p.y), std::make_tuple(467 * scale, 300 * scale));
    }
    // On a larger screen the picture is centred at the largest whole scale that fits.
    ui::setOutputScale(1);
    PlayFieldView view;
    SDL_SetWindowSize(view.window().sdl(), 1920, 1080);
    SDL_PumpEvents();
    const SDL_Point p = windowPixel(view.window().sdl(), 467, 300);
    EXPECT_EQ(std::tie(p.x, p.y),
              std::make_tuple((1920 - 471 * 2) / 2 + 934, (1080 - 402 * 2) / 2 + 600));
}

SDL_Event key(SDL_Keycode sym, Uint16 mod, bool repeat, Uint32 type = SDL_KEYDOWN) {
    SDL_Event e{};
    e.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    return e;
}

// Alt+Enter and F11 switch on their first press only, and the game never sees them; every other
// key goes on to the game.
TEST_F(Scaled, FullscreenKeysToggleAndNeverReachTheGame) {
    PlayFieldView view;
    ui::Window& w = view.window();
    w.show();
    const struct {
        SDL_Event e;
        bool toGame;
        bool fullscreenAfter;
    } steps[] = {
        {key(SDLK_F11, 0, false), false, true},
        {key(SDLK_F11, 0, true), false, true},
        {key(SDLK_F11, 0, false, SDL_KEYUP), true, true},
        {key(SDLK_RETURN, KMOD_LALT, false), false, false},
        {key(SDLK_RETURN, KMOD_LALT, true), false, false},
        {key(SDLK_KP_ENTER, KMOD_RALT, false), false, true},
        {key(SDLK_RETURN, 0, false), true, true},
        {key(SDLK_a, KMOD_LALT, false), true, true},
        {key(SDLK_F11, KMOD_SHIFT, false), false, false},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(!takeFullscreenKey(s.e, w), s.toGame) << SDL_GetKeyName(s.e.key.keysym.sym);
        EXPECT_EQ(w.fullscreen(), s.fullscreenAfter) << SDL_GetKeyName(s.e.key.keysym.sym);
    }
}

} // namespace
} // namespace kelvar
