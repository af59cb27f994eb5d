#include <gtest/gtest.h>

#include "core/base/picture_ids.hpp"
#include "platform/sdl/window_pixels.hpp"
#include "resources/icons.hpp"
#include "screen_test_support.hpp"
#include "screens/output_scale.hpp"
#include "screens/play_field_view.hpp"
#include "screens/title_screen.hpp"

namespace kelvar {
namespace {

class Scaled : public test::ScreenTest {
  protected:
    void TearDown() override { ui::setOutputScale(1); }
};

// At scale 2 a picture is drawn in 2x2 blocks of whole pixels; text is set at the larger size,
// not enlarged, so it has detail finer than that.
TEST_F(Scaled, PicturesAreEnlargedButTextIsSetAtTheLargerSize) {
    ui::setOutputScale(2);
    ui::Window w("crisp", 6000, 3000);
    ui::Pictures pictures(w.renderer());
    ui::fillRect(w.renderer(), 0x000000, {0, 0, 400, 200});
    pictures.draw(pic::Ship, 0, 0);
    ui::drawText(w.renderer(), ui::labelFont(designElements().Gover), "G A M E", 0xFFFFFF,
                 {0, 100, 200, 40}, ui::Align::Left, false);
    const test::Pixels p = test::readBack(w.renderer());
    const auto mixedBlocks = [&](const SDL_Rect& r) {
        int n = 0;
        for (int y = r.y; y < r.y + r.h; y += 2)
            for (int x = r.x; x < r.x + r.w; x += 2)
                n += p.countIn({x, y, 2, 2}, [&](Rgb c) { return c == p.at(x, y); }) < 4;
        return n;
    };
    int shipW = 0, shipH = 0;
    SDL_QueryTexture(pictures.get(pic::Ship), nullptr, nullptr, &shipW, &shipH);
    const SDL_Rect ship{0, 0, shipW * 2, shipH * 2};
    EXPECT_GT(p.countIn(ship, [](Rgb c) { return c != 0; }), 4 * 20) << "the ship was not drawn";
    EXPECT_EQ(mixedBlocks(ship), 0) << "the ship is not in 2x2 blocks";
    EXPECT_GT(mixedBlocks({0, 200, 400, 80}), 20) << "the text looks enlarged from scale 1";
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

// At every scale the client size follows the scale; the title's version line sits in a band of
// its own, no pixel of its text on a row that the art's lettering or craft fill; and a click made
// as the desktop makes it, in the window's real pixels through SDL's queue, lands on its control.
TEST_F(Scaled, TheTitleGrowsKeepsItsVersionLineClearAndTakesClicks) {
    for (int scale = 1; scale <= 4; ++scale) {
        ui::setOutputScale(scale);
        int starts = 0, w = 0, h = 0;
        TitleScreen title{{[&] { ++starts; }, [] {}}};
        SDL_GetRendererOutputSize(title.window().renderer(), &w, &h);
        EXPECT_EQ(std::tie(w, h), std::make_tuple(351 * scale, 401 * scale));
        const test::Pixels with = test::drawn(title);
        title.form().find("Label1(10)")->visible = false;
        const test::Pixels without = test::drawn(title);
        const SDL_Rect art = title.form().find("Image1")->rect();
        int textPixels = 0;
        for (int y = 0; y < with.h; ++y) {
            int changed = 0;
            for (int x = 0; x < with.w; ++x) changed += with.at(x, y) != without.at(x, y);
            // A row of the art with this many lit pixels is lettering or a craft; rows of stars
            // hold a few.
            const int artLit =
                without.countIn({art.x * scale, y, art.w * scale, 1}, [](Rgb c) { return c != 0; });
            EXPECT_TRUE(changed == 0 || artLit < 20 * scale)
                << "scale " << scale << ": the version line is drawn on row " << y
                << ", which the art fills with " << artLit << " pixels";
            textPixels += changed;
        }
        EXPECT_GT(textPixels, 20 * scale) << "scale " << scale << ": no version line drawn";
        title.window().show();
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        const SDL_Point at = test::centre(test::rectOf(title.form(), "StartBtn"));
        for (Uint8 down : {1, 0}) {
            SDL_Event e{};
            const Uint32 type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
            const int x = at.x * scale, y = at.y * scale;
            e.button = {type, 0, title.window().id(), 0, SDL_BUTTON_LEFT, down, 1, 0, x, y};
            SDL_PushEvent(&e);
        }
        for (SDL_Event e; SDL_PollEvent(&e);)
            if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) title.handleEvent(e);
        EXPECT_EQ(starts, 1) << "scale " << scale;
    }
}

} // namespace
} // namespace kelvar
