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
        const auto& g = ff::glyph(c);
        int lit = 0;
        for (auto row : g) lit += __builtin_popcount(row);
        EXPECT_GT(lit, 0) << c;
        EXPECT_TRUE(seen.insert(g).second) << c << " looks like another character";
    }
    for (auto row : ff::glyph(' ')) EXPECT_EQ(row, 0);
    EXPECT_EQ(ff::glyph('\x7f'), ff::glyph('?'));
    EXPECT_EQ(ff::glyph('\n'), ff::glyph('?'));
}

// With no font file at all, labels are drawn in the built-in font on a real window.
class NoFontsAtAll : public test::ScreenTest {
  protected:
    void SetUp() override {
        ui::closeFonts(); // nothing cached from earlier tests
        resources::setNoFontsForTesting(true);
        testing::internal::CaptureStderr();
        window = std::make_unique<ui::Window>("fonts", 6000, 3000);
        ASSERT_NE(window->renderer(), nullptr);
    }
    void TearDown() override {
        resources::setNoFontsForTesting(false);
        ui::closeFonts();
        window.reset();
    }

    Pixels draw(const Label& label) {
        SDL_Renderer* r = window->renderer();
        SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
        SDL_RenderClear(r);
        ui::drawLabel(r, label);
        return test::readBack(r);
    }

    std::unique_ptr<ui::Window> window;
};

constexpr Rgb kYellow = 0xFFFF00;

Label label(const std::string& caption, Font font, bool centred = false) {
    Label l;
    l.Left = 300;
    l.Top = 300;
    l.Width = 3000;
    l.Height = 600;
    l.Caption = caption;
    l.ForeColor = kYellow;
    l.font = font;
    l.Centred = centred;
    return l;
}

SDL_Rect boxOf(const Label& l) {
    return ui::pxRect(l.Left, l.Top, l.Width, l.Height);
}

// The lit pixels' bounding box.
SDL_Rect inkOf(const Pixels& p, Rgb colour) {
    int x1 = p.w, y1 = p.h, x2 = -1, y2 = -1;
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x)
            if (p.at(x, y) == colour) {
                x1 = std::min(x1, x);
                y1 = std::min(y1, y);
                x2 = std::max(x2, x);
                y2 = std::max(y2, y);
            }
    return x2 < 0 ? SDL_Rect{0, 0, 0, 0} : SDL_Rect{x1, y1, x2 - x1 + 1, y2 - y1 + 1};
}

TEST_F(NoFontsAtAll, LabelTextIsDrawnInsideItsBoxAndSaidOnce) {
    const Font arial{FontFace::Arial, 12, true};
    const Label start = label("Start Game", arial, true);
    const Pixels p = draw(start);
    const SDL_Rect box = boxOf(start);
    const auto yellow = [](Rgb c) { return c == kYellow; };
    EXPECT_GT(p.countIn(box, yellow), 100);
    EXPECT_EQ(p.countIn({0, 0, p.w, p.h}, yellow), p.countIn(box, yellow));
    // Centred: as much room on the left of the ink as on its right.
    const SDL_Rect ink = inkOf(p, kYellow);
    EXPECT_NEAR(ink.x - box.x, box.x + box.w - (ink.x + ink.w), 3);

    draw(label("0", Font{FontFace::Terminal, 13.5f, false}));
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("built-in font"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

// An "L" drawn large: its stem on the left over the whole height, its foot along the bottom.
TEST_F(NoFontsAtAll, GlyphsAreUprightAndUnmirrored) {
    Label l = label("L", Font{FontFace::Arial, 30, false});
    const Pixels p = draw(l);
    testing::internal::GetCapturedStderr();
    const SDL_Rect ink = inkOf(p, kYellow);
    ASSERT_GT(ink.w, 10);
    ASSERT_GT(ink.h, ink.w); // 5 x 7
    for (int y = ink.y; y < ink.y + ink.h; ++y) EXPECT_EQ(p.at(ink.x, y), kYellow) << y;
    for (int x = ink.x; x < ink.x + ink.w; ++x) {
        EXPECT_EQ(p.at(x, ink.y + ink.h - 1), kYellow) << x;
        if (x > ink.x + ink.w / 2) {
            EXPECT_NE(p.at(x, ink.y), kYellow) << x;
        }
    }
}

TEST_F(NoFontsAtAll, LongTextWrapsInsideItsBox) {
    Label l =
        label("the quick brown fox jumps over the lazy dog", Font{FontFace::Arial, 10, false});
    l.Width = 1500;
    l.Height = 2000;
    const Pixels p = draw(l);
    testing::internal::GetCapturedStderr();
    const SDL_Rect box = boxOf(l);
    const SDL_Rect ink = inkOf(p, kYellow);
    const SDL_Point line = ui::textSize(l.font, "x");
    EXPECT_GE(ink.h, 3 * line.y); // at least four lines
    EXPECT_GE(ink.x, box.x);
    EXPECT_LE(ink.x + ink.w, box.x + box.w);
    EXPECT_LE(ink.y + ink.h, box.y + box.h);
}

// Boxes are sized for the real fonts; the built-in one must fit in about the same room.
TEST_F(NoFontsAtAll, SizeIsCloseToTheRealFontsSize) {
    testing::internal::GetCapturedStderr();
    for (const Font f : {Font{FontFace::Arial, 12, true}, Font{FontFace::Terminal, 13.5f, false},
                         Font{FontFace::Arial, 24, false}}) {
        for (const std::string text : {"Start Game", "GAME SPEED", "12345"}) {
            resources::setNoFontsForTesting(false);
            ui::closeFonts();
            const SDL_Point real = ui::textSize(f, text);
            if (!ui::font(f)) GTEST_SKIP() << "no font installed to compare with";
            resources::setNoFontsForTesting(true);
            ui::closeFonts();
            testing::internal::CaptureStderr();
            const SDL_Point built = ui::textSize(f, text);
            testing::internal::GetCapturedStderr();
            SCOPED_TRACE(text + " at " + std::to_string(f.points));
            EXPECT_GE(built.x, real.x * 0.7);
            EXPECT_LE(built.x, real.x * 1.4);
            EXPECT_GE(built.y, real.y * 0.7);
            EXPECT_LE(built.y, real.y * 1.2);
        }
    }
    EXPECT_EQ(ui::textSize(Font{}, "").x, 0);
    EXPECT_EQ(ff::textSize(16, "a\xc3\xa9z").x, ff::textSize(16, "abz").x); // é counts once
}

} // namespace
} // namespace kelvar
