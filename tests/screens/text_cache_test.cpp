// Texts are rasterised once per caption and laid out once per text, font and width; pictures
// without a transparent pixel are copied rather than blended.
#include "screens/text_cache.hpp"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include "resources/icons.hpp"
#include "resources/picture_ids.hpp"
#include "screen_test_support.hpp"

namespace kelvar {
namespace {

class TextCacheTest : public test::ScreenTest {
  protected:
    void SetUp() override {
        font = ui::font(Font{FontFace::Arial, 12, false});
        if (!font) GTEST_SKIP() << "no font on this machine";
    }
    void TearDown() override {
        cache.clear();
        for (auto* r : {first, second}) SDL_DestroyRenderer(r);
        for (auto* s : {surface, other}) SDL_FreeSurface(s);
    }
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, 200, 100, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Surface* other = SDL_CreateRGBSurfaceWithFormat(0, 50, 50, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* first = SDL_CreateSoftwareRenderer(surface);
    SDL_Renderer* second = SDL_CreateSoftwareRenderer(other);
    TTF_Font* font = nullptr;
    ui::TextCache cache{3};
};

// Colour and wrap width make their own entries; alignment only matters to wrapped text.
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
}

// A full cache drops the least recently used; a renderer that goes drops only its textures.
TEST_F(TextCacheTest, FullCacheDropsTheLeastRecentlyUsedAndAGoneRenderersTextures) {
    for (const char* text : {"a", "b", "c", "a", "d", "a", "c"})
        cache.get(first, font, text, 1, 0, 0);
    EXPECT_EQ(cache.rendered(), 4u) << "a and c were kept";
    cache.get(first, font, "b", 1, 0, 0);
    EXPECT_EQ(cache.rendered(), 5u) << "b was dropped";
    cache.clear();
    cache.get(first, font, "x", 1, 0, 0);
    cache.get(second, font, "x", 1, 0, 0);
    cache.forget(second);
    EXPECT_EQ(cache.size(), 1u);
}

// A control keeps its text's lines until the text, the font or the width changes.
TEST_F(TextCacheTest, ALayoutIsWorkedOutAgainOnlyWhenWhatItDependsOnChanges) {
    const std::string text = "Shoot to vaporize numerous enemy targets!";
    ui::TextLayout layout;
    EXPECT_EQ(layout.of(ui::arial(8.25f), text, 60, true).size(),
              ui::wrapLines(ui::arial(8.25f), text, 60).size());
    for (const auto& [font, t, width, builds] :
         {std::tuple{ui::arial(8.25f), text, 60, 1u},
          {ui::arial(8.25f), text, 100, 2u},
          {ui::arial(8.25f), std::string("Avoid!"), 100, 3u},
          {ui::arial(8.25f, true), std::string("Avoid!"), 100, 4u}}) {
        EXPECT_EQ(layout.of(font, t, width, true).back().text, ui::wrapLines(font, t, width).back())
            << t;
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
