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

TEST_F(TextCacheTest, ALayoutIsWorkedOutAgainOnlyWhenWhatItDependsOnChanges) {
    const Font small = ui::arial(8.25f), bold = ui::arial(8.25f, true);
    const std::string text = "Shoot to vaporize numerous enemy targets!";
    ui::TextLayout layout;
    const auto& lines = layout.of(small, text, 100, true);
    const auto expected = ui::wrapLines(small, text, 100);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(std::tie(lines[i].text, lines[i].width),
                  std::make_tuple(expected[i], ui::textSize(small, expected[i]).x));
    const std::tuple<Font, std::string, int, bool, std::size_t> steps[] = {
        {small, text, 100, true, 1},    {small, text, 60, true, 2},
        {small, "Avoid!", 60, true, 3}, {bold, "Avoid!", 60, true, 4},
        {bold, "Avoid!", 60, false, 5}, {bold, "Avoid!", 999, false, 5}, // one line: any width
    };
    for (const auto& [f, t, width, wrap, builds] : steps) {
        layout.of(f, t, width, wrap);
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
