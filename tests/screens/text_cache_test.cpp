// Texts are rasterised once per caption and drawn from their textures after that.
#include "screens/text_cache.hpp"

#include <gtest/gtest.h>

#include "screen_test_support.hpp"

namespace kelvar {
namespace {

class TextCacheTest : public test::ScreenTest {
  protected:
    void SetUp() override {
        surface_ = SDL_CreateRGBSurfaceWithFormat(0, 200, 100, 32, SDL_PIXELFORMAT_ARGB8888);
        ASSERT_NE(surface_, nullptr);
        renderer_ = SDL_CreateSoftwareRenderer(surface_);
        ASSERT_NE(renderer_, nullptr);
        font_ = ui::font(Font{FontFace::Arial, 12, false});
        if (!font_) GTEST_SKIP() << "no font on this machine";
    }
    void TearDown() override {
        cache_.clear();
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (surface_) SDL_FreeSurface(surface_);
    }
    SDL_Surface* surface_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    TTF_Font* font_ = nullptr;
    ui::TextCache cache_{3};
};

TEST_F(TextCacheTest, SameTextIsRenderedOnceAndEachKeyFieldMakesItsOwn) {
    const auto* first = cache_.get(renderer_, font_, "SCORE", 0xFFFFFF, 0, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_GT(first->w, 0);
    EXPECT_EQ(cache_.get(renderer_, font_, "SCORE", 0xFFFFFF, 0, 0), first);
    EXPECT_EQ(cache_.rendered(), 1u);

    EXPECT_NE(cache_.get(renderer_, font_, "SCORE", 0xFF0000, 0, 0), first); // colour
    EXPECT_NE(cache_.get(renderer_, font_, "SCORE", 0xFFFFFF, 40, 0)->texture,
              first->texture); // wrap width
    EXPECT_EQ(cache_.rendered(), 3u);
    EXPECT_EQ(cache_.size(), 3u);
    // Alignment only matters to wrapped text.
    EXPECT_EQ(cache_.get(renderer_, font_, "SCORE", 0xFFFFFF, 0, 2), first);
    EXPECT_EQ(cache_.rendered(), 3u);
}

TEST_F(TextCacheTest, FullCacheDropsTheLeastRecentlyUsed) {
    cache_.get(renderer_, font_, "a", 1, 0, 0);
    cache_.get(renderer_, font_, "b", 1, 0, 0);
    cache_.get(renderer_, font_, "c", 1, 0, 0);
    cache_.get(renderer_, font_, "a", 1, 0, 0); // "b" is now the oldest
    cache_.get(renderer_, font_, "d", 1, 0, 0);
    EXPECT_EQ(cache_.size(), 3u);
    EXPECT_EQ(cache_.rendered(), 4u);
    cache_.get(renderer_, font_, "a", 1, 0, 0);
    cache_.get(renderer_, font_, "c", 1, 0, 0);
    EXPECT_EQ(cache_.rendered(), 4u) << "a and c were kept";
    cache_.get(renderer_, font_, "b", 1, 0, 0);
    EXPECT_EQ(cache_.rendered(), 5u) << "b was dropped";
}

TEST_F(TextCacheTest, ForgettingARendererDropsOnlyItsTextures) {
    SDL_Surface* other = SDL_CreateRGBSurfaceWithFormat(0, 50, 50, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* second = SDL_CreateSoftwareRenderer(other);
    ASSERT_NE(second, nullptr);
    cache_.get(renderer_, font_, "x", 1, 0, 0);
    cache_.get(second, font_, "x", 1, 0, 0);
    EXPECT_EQ(cache_.size(), 2u);
    cache_.forget(second);
    SDL_DestroyRenderer(second);
    SDL_FreeSurface(other);
    EXPECT_EQ(cache_.size(), 1u);
    cache_.get(renderer_, font_, "x", 1, 0, 0);
    EXPECT_EQ(cache_.rendered(), 2u);
}

TEST_F(TextCacheTest, NothingToDrawGivesNoEntry) {
    EXPECT_EQ(cache_.get(renderer_, font_, "", 1, 0, 0), nullptr);
    EXPECT_EQ(cache_.get(renderer_, nullptr, "x", 1, 0, 0), nullptr);
    EXPECT_EQ(cache_.get(nullptr, font_, "x", 1, 0, 0), nullptr);
    EXPECT_EQ(cache_.size(), 0u);
}

// A cached text draws the same pixels as before: the label's colour is on the surface.
TEST_F(TextCacheTest, DrawTextFromTheCacheLeavesItsPixels) {
    for (int pass = 0; pass < 2; ++pass) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        ui::drawText(renderer_, Font{FontFace::Arial, 12, true}, "HELLO", 0xFF0000,
                     {0, 0, 200, 100}, ui::Align::Left, false);
        SDL_RenderPresent(renderer_);
        int red = 0;
        const auto* px = static_cast<const Uint32*>(surface_->pixels);
        for (int i = 0; i < surface_->w * surface_->h; ++i)
            if (((px[i] >> 16) & 0xFF) > 128 && (px[i] & 0xFF) < 64) ++red;
        EXPECT_GT(red, 20) << "pass " << pass;
    }
    ui::textCache().forget(renderer_);
}

} // namespace
} // namespace kelvar
