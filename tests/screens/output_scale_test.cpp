// The windows at whole-number scales: their size, crisp pictures and text, clicks that land
// on the controls, the pointer's parking point, and the fullscreen keys.
#include "screens/output_scale.hpp"

#include <gtest/gtest.h>

#include "app/fullscreen_keys.hpp"
#include "platform/sdl/window_pixels.hpp"
#include "resources/icons.hpp"
#include "resources/picture_ids.hpp"
#include "screen_test_support.hpp"
#include "screens/play_field_view.hpp"
#include "screens/title_screen.hpp"

namespace kelvar {
namespace {

// The largest that fits three quarters of the desktop (the play field is 402 high), or the one
// asked for.
TEST(ChooseScale, LargestThatFitsThreeQuartersOfTheDesktopOrTheOneAskedFor) {
    for (const auto& [usable, requested, want] :
         {std::tuple{1072, std::optional<int>{}, 2}, {1071, {}, 1}, {9000, {}, 8}, {600, 8, 8}})
        EXPECT_EQ(ui::chooseScale(usable, 402, requested), want) << usable;
}

class Scaled : public test::ScreenTest {
  protected:
    void TearDown() override { ui::setOutputScale(1); }
};

// The client size follows the scale, and a click made as the desktop makes it, in the window's
// real pixels through SDL's queue, lands on its control.
TEST_F(Scaled, TheWindowGrowsAndAClickLandsOnItsControlAtAnyScale) {
    for (int scale : {1, 3}) {
        ui::setOutputScale(scale);
        int starts = 0, w = 0, h = 0;
        TitleScreen s{{[&] { ++starts; }, [] {}}};
        SDL_GetRendererOutputSize(s.window().renderer(), &w, &h);
        EXPECT_EQ(std::tie(w, h), std::make_tuple(351 * scale, 401 * scale));
        s.window().show();
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        const SDL_Point at = test::centre(test::rectOf(s.form(), "StartBtn"));
        for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
            SDL_Event e{};
            e.button = {type,
                        0,
                        s.window().id(),
                        0,
                        SDL_BUTTON_LEFT,
                        Uint8(type == SDL_MOUSEBUTTONDOWN),
                        1,
                        0,
                        at.x * scale,
                        at.y * scale};
            SDL_PushEvent(&e);
        }
        for (SDL_Event e; SDL_PollEvent(&e);)
            if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) s.handleEvent(e);
        EXPECT_EQ(starts, 1) << "scale " << scale;
    }
}

TEST_F(Scaled, APictureIsDrawnAsBlocksOfWholePixels) {
    ui::setOutputScale(3);
    ui::Window w("pictures", 1500, 1500);
    ui::Pictures pictures(w.renderer());
    ui::fillRect(w.renderer(), 0x000000, {0, 0, 100, 100});
    pictures.draw(pic::Ship, 0, 0);
    const test::Pixels p = test::readBack(w.renderer());
    int w1 = 0, h1 = 0, off = 0;
    SDL_QueryTexture(pictures.get(pic::Ship), nullptr, nullptr, &w1, &h1);
    for (int y = 0; y < h1 * 3; ++y)
        for (int x = 0; x < w1 * 3; ++x) off += p.at(x, y) != p.at(x / 3 * 3, y / 3 * 3);
    EXPECT_EQ(off, 0) << "pixels not in 3x3 blocks";
    EXPECT_GT(p.countIn({0, 0, w1 * 3, h1 * 3}, [](Rgb c) { return c != 0; }), 9 * 20);
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
    for (int y = 0; y < p.h; ++y) rows += p.countIn({0, y, p.w, 1}, [](Rgb c) { return c; }) > 0;
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

// At each scale, and on a larger screen where the picture is centred at the largest whole scale
// that fits.
TEST_F(Scaled, ThePointersParkingPointFollowsTheScale) {
    for (const auto& [scale, width, height, x, y] : {std::tuple{1, 0, 0, 467, 300},
                                                     {2, 0, 0, 934, 600},
                                                     {1, 1920, 1080, 489 + 934, 138 + 600}}) {
        ui::setOutputScale(scale);
        PlayFieldView view;
        if (width) SDL_SetWindowSize(view.window().sdl(), width, height);
        SDL_PumpEvents();
        const SDL_Point p = windowPixel(view.window().sdl(), ui::px(7000), ui::px(4500));
        EXPECT_EQ(std::tie(p.x, p.y), std::tie(x, y)) << scale << " " << width;
    }
}

// Alt+Enter and F11 switch on their first press only, and the game never sees them; every other
// key goes on to the game.
TEST_F(Scaled, FullscreenKeysToggleAndNeverReachTheGame) {
    PlayFieldView view;
    view.window().show();
    const std::tuple<SDL_Keycode, Uint16, Uint8, Uint32, bool, bool> steps[] = {
        // key, modifiers, repeat, type, to the game, fullscreen after
        {SDLK_F11, 0, 0, SDL_KEYDOWN, false, true},
        {SDLK_F11, 0, 1, SDL_KEYDOWN, false, true},
        {SDLK_F11, 0, 0, SDL_KEYUP, true, true},
        {SDLK_RETURN, KMOD_LALT, 0, SDL_KEYDOWN, false, false},
        {SDLK_KP_ENTER, KMOD_RALT, 0, SDL_KEYDOWN, false, true},
        {SDLK_RETURN, 0, 0, SDL_KEYDOWN, true, true},
        {SDLK_a, KMOD_LALT, 0, SDL_KEYDOWN, true, true},
        {SDLK_F11, KMOD_SHIFT, 0, SDL_KEYDOWN, false, false},
    };
    for (const auto& [sym, mod, repeat, type, toGame, fullscreen] : steps) {
        SDL_Event e{};
        e.key = {type, 0, 0, Uint8(type == SDL_KEYDOWN), repeat, 0, 0, {{}, sym, mod, 0}};
        EXPECT_EQ(!takeFullscreenKey(e, view.window()), toGame) << SDL_GetKeyName(sym);
        EXPECT_EQ(view.window().fullscreen(), fullscreen) << SDL_GetKeyName(sym);
    }
}

} // namespace
} // namespace kelvar
