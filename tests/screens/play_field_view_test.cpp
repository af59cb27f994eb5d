// The play field as drawn: the flashes fill the whole window.
#include "screens/play_field_view.hpp"

#include <gtest/gtest.h>

#include "screen_test_support.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

class PlayFieldDrawing : public test::ScreenTest {};

TEST_F(PlayFieldDrawing, TheFormsColourShowsInTheSidePanelToo) {
    testing::TestGame t;
    t.start();
    PlayFieldView view;
    for (std::int16_t colour : {12, 15, 0}) {
        t.game.el.BackColor = colour;
        view.draw(t.game);
        const test::Pixels p = test::readBack(view.window().renderer());
        // Below the side panel's art and beside its labels: nothing covers the background.
        const SDL_Rect free = ui::pxRect(6300, 5900, 700, 100);
        const Rgb want = kPalette[static_cast<std::size_t>(colour)];
        EXPECT_EQ(p.countIn(free, [&](Rgb c) { return c == want; }), free.w * free.h) << colour;
    }
}

} // namespace
} // namespace kelvar
