// With no font file at all, text is drawn in the built-in font, said once on stderr.
#include "screens/fallback_font.hpp"

#include <set>

#include "platform/font_lookup.hpp"
#include "screen_test_support.hpp"

namespace kelvar {
namespace {

namespace ff = ui::fallback_font;

TEST(FallbackFontGlyphs, EveryPrintableCharacterIsDrawnAndDistinct) {
    std::set<std::array<std::uint8_t, 7>> seen{ff::glyph(' ')};
    for (char c = '!'; c <= '~'; ++c)
        EXPECT_TRUE(seen.insert(ff::glyph(c)).second) << c << " is blank or like another";
    EXPECT_EQ(ff::glyph('\n'), ff::glyph('?'));
    EXPECT_EQ(ff::textSize(16, "a\xc3\xa9z").x, ff::textSize(16, "abz").x); // é counts once
}

class NoFontsAtAll : public test::ScreenTest {
  protected:
    void SetUp() override {
        ui::closeFonts(); // nothing cached from earlier tests
        setNoFontsForTesting(true);
        testing::internal::CaptureStderr();
    }
    void TearDown() override {
        setNoFontsForTesting(false);
        ui::closeFonts();
    }
    // The label drawn on black; `ink` is the yellow pixels' bounding box.
    test::Pixels draw(Label l, SDL_Rect& ink) {
        l.Left = l.Top = 300;
        l.ForeColor = kYellow;
        SDL_SetRenderDrawColor(window.renderer(), 0, 0, 0, 255);
        SDL_RenderClear(window.renderer());
        ui::drawLabel(window.renderer(), l);
        const test::Pixels p = test::readBack(window.renderer());
        std::vector<SDL_Point> lit;
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x)
                if (p.at(x, y) == kYellow) lit.push_back({x, y});
        SDL_EnclosePoints(lit.data(), int(lit.size()), nullptr, &ink);
        return p;
    }
    static constexpr Rgb kYellow = 0xFFFF00;
    static bool yellow(Rgb c) { return c == kYellow; }
    ui::Window window{"fonts", 6000, 3000};
};

// Centred text stays inside its box with as much room on its left as on its right; long text
// wraps inside its box; an "L" has its stem on the left and its foot at the bottom; one line on
// stderr says so.
TEST_F(NoFontsAtAll, LabelTextIsDrawnInsideItsBoxAndSaidOnce) {
    for (const auto& [caption, font, width, centred] :
         {std::tuple{"Start Game", Font{FontFace::Arial, 12, true}, 3000, true},
          {"the quick brown fox jumps over the lazy dog", Font{FontFace::Arial, 10, false}, 1500,
           false}}) {
        Label l;
        l.Caption = caption, l.font = font, l.Width = width, l.Height = 2000, l.Centred = centred;
        SDL_Rect ink, inside;
        const test::Pixels p = draw(l, ink);
        const SDL_Rect box = ui::pxRect(300, 300, l.Width, l.Height);
        EXPECT_GT(p.countIn(box, yellow), 100);
        EXPECT_TRUE(SDL_IntersectRect(&ink, &box, &inside) && SDL_RectEquals(&inside, &ink));
        if (centred)
            EXPECT_NEAR(ink.x - box.x, box.x + box.w - (ink.x + ink.w), 3);
        else
            EXPECT_GE(ink.h, 3 * ui::textSize(font, "x").y); // at least four lines
    }
    Label l;
    l.Caption = "L", l.font = Font{FontFace::Arial, 30, false}, l.Width = 3000, l.Height = 600;
    SDL_Rect ink;
    const test::Pixels p = draw(l, ink);
    EXPECT_GT(ink.w, 10);
    EXPECT_EQ(p.countIn({ink.x, ink.y, 1, ink.h}, yellow), ink.h);
    EXPECT_EQ(p.countIn({ink.x, ink.y + ink.h - 1, ink.w, 1}, yellow), ink.w);
    EXPECT_EQ(p.countIn({ink.x + ink.w / 2 + 1, ink.y, ink.w, 1}, yellow), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("built-in font"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

} // namespace
} // namespace kelvar
