// Text and pictures in the windows: every text fits its box whole, in lines that keep every word
// and break no sooner than needed; the caches of texts and their layouts never show a stale one.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "core/base/picture_ids.hpp"
#include "resources/icons.hpp"
#include "screen_test_support.hpp"
#include "screens/help_screen.hpp"
#include "screens/text_cache.hpp"
#include "screens/title_screen.hpp"

namespace kelvar {
namespace {

class LabelFit : public test::ScreenTest {
  protected:
    static void expectFits(const Font& font, const std::string& text, const SDL_Rect& box,
                           bool wrap, const std::string& what) {
        const auto lines = wrap ? ui::wrapLines(font, text, box.w) : std::vector{text};
        EXPECT_LE(static_cast<int>(lines.size()) * ui::lineHeight(font), box.h + 2) << what;
        std::string joined;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_LE(ui::textSize(font, lines[i]).x, box.w + 2) << what << ": " << lines[i];
            if (i + 1 < lines.size()) { // the next line's first word would not have fitted
                const std::string next = lines[i + 1].substr(0, lines[i + 1].find(' '));
                EXPECT_GT(ui::textSize(font, lines[i] + " " + next).x, box.w) << lines[i];
            }
            joined += (i ? " " : "") + lines[i];
        }
        std::istringstream a(joined), b(text);
        EXPECT_TRUE(std::equal(std::istream_iterator<std::string>(a), {},
                               std::istream_iterator<std::string>(b), {}))
            << what;
    }
    static void expectWindow(ui::Window& w, ui::Form& f) {
        EXPECT_STREQ(SDL_GetWindowTitle(w.sdl()), "Kelvar Raid");
        EXPECT_FALSE(w.shown());
        int checked = 0;
        for (const auto& widget : f.widgets())
            if (const auto* l = dynamic_cast<const ui::Label*>(widget.get()); l && !l->text.empty())
                expectFits(l->font, l->text, l->rect(), l->wrap, l->name()), ++checked;
        EXPECT_GT(checked, 5);
    }
};

TEST_F(LabelFit, TitleHelpAndPlayFieldLabels) {
    TitleScreen title({[] {}, [] {}});
    expectWindow(title.window(), title.form());
    HelpScreen help({[] {}});
    expectWindow(help.window(), help.form());
    expectFits(ui::arial(8.25f), "one two three four five six seven eight nine ten",
               {0, 0, 40, 999}, true, "narrow");
    // The play field's fixed boxes with the widest text they show.
    const Elements el = designElements();
    const std::pair<const Label&, const char*> cases[] = {
        {el.EnmyLbl, "110"},          {el.CHL, "CHALLENGE STAGE"}, {el.Gover, "G A M E   O V E R"},
        {el.GShotLbl, "LEVEL CLEAR"}, {el.PauseTL, "PAUSED"},
    };
    for (const auto& [label, widest] : cases)
        expectFits(ui::labelFont(label), widest,
                   ui::pxRect(label.Left, label.Top, label.Width, label.Height), false, widest);
}

class TextCacheTest : public test::ScreenTest {
  protected:
    void SetUp() override {
        if (!font) GTEST_SKIP() << "no font on this machine";
    }
    ui::Window one{"one", 3000, 1500}, two{"two", 750, 750};
    SDL_Renderer *first = one.renderer(), *second = two.renderer();
    TTF_Font* font = ui::font(Font{FontFace::Arial, 12, false});
    ui::TextCache cache{3};
};

// Colour and wrap width make their own entries; alignment only matters to wrapped text. A
// renderer that goes takes only its own textures with it.
TEST_F(TextCacheTest, SameTextIsRenderedOnceAndEachKeyFieldMakesItsOwn) {
    const auto* score = cache.get(first, font, "SCORE", 0xFFFFFF, 0, 0);
    ASSERT_NE(score, nullptr);
    EXPECT_EQ(cache.get(first, font, "SCORE", 0xFFFFFF, 0, 0), score);
    EXPECT_NE(cache.get(first, font, "SCORE", 0xFF0000, 0, 0), score);
    EXPECT_NE(cache.get(first, font, "SCORE", 0xFFFFFF, 40, 0)->texture, score->texture);
    EXPECT_EQ(cache.get(first, font, "SCORE", 0xFFFFFF, 0, 2), score);
    EXPECT_EQ(cache.rendered(), 3u);
    EXPECT_EQ(cache.get(first, font, "", 1, 0, 0), nullptr); // nothing to draw
    EXPECT_EQ(cache.get(nullptr, font, "x", 1, 0, 0), nullptr);
    cache.get(second, font, "SCORE", 1, 0, 0);
    cache.forget(second);
    EXPECT_EQ(cache.size(), 2u); // of three, one made room for it
}

// A control keeps its text's lines until the text, the font or the width changes.
TEST_F(TextCacheTest, ALayoutIsWorkedOutAgainOnlyWhenWhatItDependsOnChanges) {
    const std::string text = "Shoot to vaporize numerous enemy targets!";
    ui::TextLayout layout;
    for (const auto& [font, t, width, builds] :
         {std::tuple{ui::arial(8.25f), text, 60, 1u},
          {ui::arial(8.25f), text, 100, 2u},
          {ui::arial(8.25f), std::string("Avoid!"), 100, 3u},
          {ui::arial(8.25f, true), std::string("Avoid!"), 100, 4u}}) {
        const auto& lines = layout.of(font, t, width, true);
        EXPECT_EQ(lines.size(), ui::wrapLines(font, t, width).size()) << t << " " << width;
        EXPECT_EQ(lines.back().text, ui::wrapLines(font, t, width).back()) << t;
        EXPECT_EQ(layout.builds(), builds) << t << " " << width;
    }
}

// The ship shows the field around it; the title art covers its box.
TEST_F(TextCacheTest, OnlyPicturesThatLetTheBackgroundThroughAreBlended) {
    for (const auto& [id, expected] :
         {std::pair{pic::Ship, true}, std::pair{pic::TitleArt, false}}) {
        SDL_Surface* s = IMG_ReadXPMFromArray(const_cast<char**>(resources::pictureXpm(id)));
        EXPECT_EQ(ui::hasTransparency(s), expected) << id;
        SDL_FreeSurface(s);
    }
}

} // namespace
} // namespace kelvar
