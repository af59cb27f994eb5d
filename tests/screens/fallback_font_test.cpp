// With no font file at all, text is drawn in the built-in font, said once on stderr.
#include "screens/fallback_font.hpp"

#include <set>

#include "resources/fonts.hpp"
#include "screen_test_support.hpp"

namespace kelvar {
namespace {

namespace ff = ui::fallback_font;
using test::Pixels;

TEST(FallbackFontGlyphs, EveryPrintableCharacterIsDrawnAndDistinct) {
    std::set<std::array<std::uint8_t, 7>> seen;
    for (char c = '!'; c <= '~'; ++c) {
        int lit = 0;
        for (auto row : ff::glyph(c)) lit += __builtin_popcount(row);
        EXPECT_GT(lit, 0) << c;
        EXPECT_TRUE(seen.insert(ff::glyph(c)).second) << c << " looks like another character";
    }
    EXPECT_EQ(ff::glyph(' '), (std::array<std::uint8_t, 7>{}));
    EXPECT_EQ(ff::glyph('\n'), ff::glyph('?'));
}

class NoFontsAtAll : public test::ScreenTest {
  protected:
    void SetUp() override {
        ui::closeFonts(); // nothing cached from earlier tests
        resources::setNoFontsForTesting(true);
        testing::internal::CaptureStderr();
        window = std::make_unique<ui::Window>("fonts", 6000, 3000);
    }
    void TearDown() override {
        resources::setNoFontsForTesting(false);
        ui::closeFonts();
        window.reset();
    }
    // The label drawn on black, with the yellow pixels' bounding box.
    Pixels draw(const Label& label, SDL_Rect& ink) {
        SDL_Renderer* r = window->renderer();
        SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
        SDL_RenderClear(r);
        ui::drawLabel(r, label);
        const Pixels p = test::readBack(r);
        int x1 = p.w, y1 = p.h, x2 = -1, y2 = -1;
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x)
                if (p.at(x, y) == kYellow) {
                    x1 = std::min(x1, x), y1 = std::min(y1, y);
                    x2 = std::max(x2, x), y2 = std::max(y2, y);
                }
        ink = {x1, y1, x2 - x1 + 1, y2 - y1 + 1};
        return p;
    }
    static Label label(const std::string& caption, Font font, int width = 3000, int height = 600) {
        Label l;
        l.Left = l.Top = 300;
        l.Width = width;
        l.Height = height;
        l.Caption = caption;
        l.ForeColor = kYellow;
        l.font = font;
        return l;
    }
    static constexpr Rgb kYellow = 0xFFFF00;
    std::unique_ptr<ui::Window> window;
};

// Centred text stays inside its box with as much room on its left as on its right; long text
// wraps inside its box; one line on stderr says so.
TEST_F(NoFontsAtAll, LabelTextIsDrawnInsideItsBoxAndSaidOnce) {
    Label start = label("Start Game", Font{FontFace::Arial, 12, true});
    start.Centred = true;
    SDL_Rect ink;
    const Pixels p = draw(start, ink);
    const SDL_Rect box = ui::pxRect(start.Left, start.Top, start.Width, start.Height);
    const auto yellow = [](Rgb c) { return c == kYellow; };
    EXPECT_GT(p.countIn(box, yellow), 100);
    EXPECT_EQ(p.countIn({0, 0, p.w, p.h}, yellow), p.countIn(box, yellow));
    EXPECT_NEAR(ink.x - box.x, box.x + box.w - (ink.x + ink.w), 3);

    const Label long_ = label("the quick brown fox jumps over the lazy dog",
                              Font{FontFace::Arial, 10, false}, 1500, 2000);
    draw(long_, ink);
    const SDL_Rect longBox = ui::pxRect(long_.Left, long_.Top, long_.Width, long_.Height);
    EXPECT_GE(ink.h, 3 * ui::textSize(long_.font, "x").y); // at least four lines
    EXPECT_TRUE(SDL_HasIntersection(&ink, &longBox));
    SDL_Rect inside;
    SDL_IntersectRect(&ink, &longBox, &inside);
    EXPECT_TRUE(SDL_RectEquals(&inside, &ink));

    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("built-in font"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

// An "L" drawn large: its stem on the left over the whole height, its foot along the bottom.
TEST_F(NoFontsAtAll, GlyphsAreUprightAndUnmirrored) {
    SDL_Rect ink;
    const Pixels p = draw(label("L", Font{FontFace::Arial, 30, false}), ink);
    testing::internal::GetCapturedStderr();
    ASSERT_GT(ink.h, ink.w); // 5 x 7
    ASSERT_GT(ink.w, 10);
    const auto yellow = [](Rgb c) { return c == kYellow; };
    EXPECT_EQ(p.countIn({ink.x, ink.y, 1, ink.h}, yellow), ink.h);
    EXPECT_EQ(p.countIn({ink.x, ink.y + ink.h - 1, ink.w, 1}, yellow), ink.w);
    EXPECT_EQ(p.countIn({ink.x + ink.w / 2 + 1, ink.y, ink.w, 1}, yellow), 0);
}

TEST(FallbackFont, ACharacterOfManyBytesCountsOnce) {
    EXPECT_EQ(ff::textSize(16, "a\xc3\xa9z").x, ff::textSize(16, "abz").x);
}

} // namespace
} // namespace kelvar
