// The play field as drawn: the flashes fill the whole window, and every label's text fits its
// box.
#include "screens/play_field_view.hpp"

#include <gtest/gtest.h>

#include "screen_test_support.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

class PlayFieldDrawing : public test::ScreenTest {};

// Reads back the frame that render() drew (before it is presented the pixels are defined).
test::Pixels frameOf(PlayFieldView& v, const Game& g) {
    v.draw(g);
    test::Pixels p;
    SDL_Renderer* r = v.window().renderer();
    SDL_GetRendererOutputSize(r, &p.w, &p.h);
    p.argb.resize(static_cast<std::size_t>(p.w * p.h));
    EXPECT_EQ(SDL_RenderReadPixels(r, nullptr, SDL_PIXELFORMAT_ARGB8888, p.argb.data(), p.w * 4),
              0);
    return p;
}

TEST_F(PlayFieldDrawing, TheFormsColourShowsInTheSidePanelToo) {
    testing::TestGame t;
    t.start();
    PlayFieldView view;
    for (std::int16_t colour : {12, 15, 0}) {
        t.game.el.BackColor = colour;
        const test::Pixels p = frameOf(view, t.game);
        // Below the side panel's art and beside its labels: nothing covers the background.
        const SDL_Rect free = ui::pxRect(6300, 5900, 700, 100);
        const Rgb want = kPalette[static_cast<std::size_t>(colour)];
        EXPECT_EQ(p.countIn(free, [&](Rgb c) { return c == want; }), free.w * free.h)
            << "colour " << colour;
    }
}

// Fixed boxes with the widest text they show.
TEST_F(PlayFieldDrawing, EveryLabelsTextFitsItsBox) {
    const Elements el = designElements();
    const struct {
        const char* name;
        const Label& label;
        const char* widest;
    } cases[] = {
        {"EnmyLbl", el.EnmyLbl, "110"},           {"CHL", el.CHL, "CHALLENGE STAGE"},
        {"Gover", el.Gover, "G A M E   O V E R"}, {"GShotLbl", el.GShotLbl, "LEVEL CLEAR"},
        {"GShotLbl", el.GShotLbl, "GET READY"},   {"PauseTL", el.PauseTL, "PAUSED"},
    };
    for (const auto& c : cases) {
        const SDL_Rect box = ui::pxRect(c.label.Left, c.label.Top, c.label.Width, c.label.Height);
        const SDL_Point size = ui::textSize(ui::labelFont(c.label), c.widest);
        EXPECT_GT(size.y, 0) << c.name;
        EXPECT_LE(size.y, box.h) << c.name << ": text " << size.y << " px high in a " << box.h
                                 << " px box";
        EXPECT_LE(size.x, box.w) << c.name << ": \"" << c.widest << "\" " << size.x
                                 << " px wide in a " << box.w << " px box";
    }
}

} // namespace
} // namespace kelvar
