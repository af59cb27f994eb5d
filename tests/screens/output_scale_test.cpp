// The windows at whole-number scales: their size, crisp pictures and text, clicks that land
// on the controls, the pointer's parking point, and the fullscreen keys.
#include "screens/output_scale.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <set>

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
        {1080, {}, 2}, {2160, {}, 4}, {768, {}, 1},  {600, {}, 1},  {536, {}, 1},
        {1072, {}, 2}, {1071, {}, 1}, {1440, {}, 2}, {1608, {}, 3}, {4320, {}, 8},
        {9000, {}, 8}, {0, {}, 1},    {1080, 1, 1},  {1080, 3, 3},  {600, 8, 8},
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
        {{0, 0, 1024, 768}, 351, 401, true, 1, 336, 0},
        {{1024, 0, 1024, 768}, 471, 402, false, 1, 1024 + 276, 166}, // a second screen
        {{0, 0, 1920, 1080}, 942, 804, false, 2, 489, 138 - 33},
        {{0, 0, 1920, 1080}, 942, 804, true, 2, 489, 0},
        {{0, 0, 3840, 2160}, 1884, 1608, false, 4, 978, 276 - 67},
    };
    for (const auto& c : cases) {
        const SDL_Point p = ui::placementOnScreen(c.screen, c.w, c.h, c.top, c.scale);
        EXPECT_EQ(p.x, c.x) << c.screen.w << " at " << c.scale;
        EXPECT_EQ(p.y, c.y) << c.screen.w << " at " << c.scale;
    }
}

class Scaled : public test::ScreenTest {
  protected:
    void TearDown() override { ui::setOutputScale(1); }
};

TEST_F(Scaled, AWindowAtScaleTwoHasTwiceTheClientSize) {
    for (int scale : {1, 2, 3}) {
        ui::setOutputScale(scale);
        PlayFieldView view;
        int w = 0, h = 0;
        SDL_GetWindowSize(view.window().sdl(), &w, &h);
        EXPECT_EQ(w, 471 * scale);
        EXPECT_EQ(h, 402 * scale);
        SDL_GetRendererOutputSize(view.window().renderer(), &w, &h);
        EXPECT_EQ(w, 471 * scale);
        EXPECT_EQ(h, 402 * scale);
    }
}

// Events made as the desktop makes them, in the window's real pixels, through SDL's queue.
TEST_F(Scaled, AClickLandsOnItsControlAtAnyScale) {
    for (int scale : {1, 2, 3}) {
        ui::setOutputScale(scale);
        int starts = 0, exits = 0;
        TitleScreen s{{[&] { ++starts; }, [&] { ++exits; }}};
        s.window().show();
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        const SDL_Point at = test::centre(test::rectOf(s.form(), "StartBtn"));
        for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
            SDL_Event e{};
            e.type = type;
            e.button.windowID = s.window().id();
            e.button.button = SDL_BUTTON_LEFT;
            e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            e.button.x = at.x * scale;
            e.button.y = at.y * scale;
            ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError();
        }
        SDL_Event e;
        while (SDL_PollEvent(&e))
            if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) s.handleEvent(e);
        EXPECT_EQ(starts, 1) << "scale " << scale;
        EXPECT_EQ(exits, 0) << "scale " << scale;
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
    std::set<Rgb> colours;
    int off = 0;
    for (int y = 0; y < h1 * 3; ++y)
        for (int x = 0; x < w1 * 3; ++x) {
            colours.insert(p.at(x, y));
            if (p.at(x, y) != p.at(x / 3 * 3, y / 3 * 3)) ++off;
        }
    EXPECT_GT(colours.size(), 1u) << "the picture was not drawn";
    EXPECT_EQ(off, 0) << "pixels not in 3x3 blocks";
}

struct TextInk {
    int rows = 0;        // rows with any ink
    int mixedBlocks = 0; // 2x2 blocks of ink that are not of one colour
    std::set<Rgb> colours;
};

TextInk inkOf(int scale) {
    ui::setOutputScale(scale);
    ui::Window w("text", 3000, 600);
    SDL_Renderer* r = w.renderer();
    ui::fillRect(r, 0x000000, {0, 0, 200, 40});
    const Label label = designElements().Gover;
    ui::drawText(r, ui::labelFont(label), "G A M E", 0xFFFFFF, {0, 0, 200, 40}, ui::Align::Left,
                 false);
    const test::Pixels p = test::readBack(r);
    TextInk ink;
    for (int y = 0; y < p.h; ++y) {
        bool any = false;
        for (int x = 0; x < p.w; ++x)
            if (p.at(x, y) != 0) {
                any = true;
                ink.colours.insert(p.at(x, y));
            }
        ink.rows += any;
    }
    for (int y = 0; y + 1 < p.h; y += 2)
        for (int x = 0; x + 1 < p.w; x += 2) {
            const Rgb c = p.at(x, y);
            if (c != p.at(x + 1, y) || c != p.at(x, y + 1) || c != p.at(x + 1, y + 1))
                ++ink.mixedBlocks;
        }
    return ink;
}

// Set at twice the size, not enlarged: twice as tall, with detail finer than 2x2 blocks.
TEST_F(Scaled, TextIsSetAtTheLargerSize) {
    const TextInk one = inkOf(1), two = inkOf(2);
    ASSERT_GT(one.rows, 4);
    EXPECT_GE(two.rows, 2 * one.rows - 3);
    EXPECT_LE(two.rows, 2 * one.rows + 3);
    EXPECT_GT(two.colours.size(), 2u);
    EXPECT_GT(two.mixedBlocks, 20) << "the text looks enlarged from scale 1";
}

TEST_F(Scaled, ThePointersParkingPointFollowsTheScale) {
    for (int scale : {1, 2}) {
        ui::setOutputScale(scale);
        PlayFieldView view;
        const SDL_Point p = windowPixel(view.window().sdl(), ui::px(7000), ui::px(4500));
        EXPECT_EQ(p.x, 467 * scale);
        EXPECT_EQ(p.y, 300 * scale);
    }
    // On a larger screen the picture is centred at the largest whole scale that fits.
    ui::setOutputScale(1);
    PlayFieldView view;
    SDL_SetWindowSize(view.window().sdl(), 1920, 1080);
    SDL_PumpEvents();
    const SDL_Point p = windowPixel(view.window().sdl(), 467, 300);
    EXPECT_EQ(p.x, (1920 - 471 * 2) / 2 + 934);
    EXPECT_EQ(p.y, (1080 - 402 * 2) / 2 + 600);
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
        {key(SDLK_RETURN, KMOD_LCTRL, false), true, true},
        {key(SDLK_a, KMOD_LALT, false), true, true},
        {key(SDLK_F10, 0, false), true, true},
        {key(SDLK_F11, KMOD_SHIFT, false), false, false},
    };
    int step = 0;
    for (const auto& s : steps) {
        int game = 0; // the game's key handler, as a spy
        if (!takeFullscreenKey(s.e, w)) ++game;
        EXPECT_EQ(game, s.toGame ? 1 : 0) << "step " << step;
        EXPECT_EQ(w.fullscreen(), s.fullscreenAfter) << "step " << step;
        ++step;
    }
}

} // namespace
} // namespace kelvar
