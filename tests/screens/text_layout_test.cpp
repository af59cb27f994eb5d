// Controls keep their text's layout until the text, font or width changes, and pictures
// without a transparent pixel are copied rather than blended.
#include <gtest/gtest.h>

#include <SDL_image.h>

#include "resources/icons.hpp"
#include "resources/picture_ids.hpp"
#include "screen_test_support.hpp"

namespace kelvar {
namespace {

class TextLayoutTest : public test::ScreenTest {};

TEST_F(TextLayoutTest, WorkedOutAgainOnlyWhenWhatItDependsOnChanges) {
    const Font small = ui::arial(8.25f), bold = ui::arial(8.25f, true);
    const std::string text = "Shoot to vaporize numerous enemy targets!";
    ui::TextLayout layout;
    const auto& lines = layout.of(small, text, 100, true);
    // The same lines as the wrapping itself gives, each measured once.
    const auto expected = ui::wrapLines(small, text, 100);
    ASSERT_EQ(lines.size(), expected.size());
    int widest = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].text, expected[i]);
        EXPECT_EQ(lines[i].width, ui::textSize(small, expected[i]).x);
        widest = std::max(widest, lines[i].width);
    }
    EXPECT_EQ(layout.widest(), widest);

    struct Step {
        const char* what;
        Font font;
        std::string text;
        int width;
        bool wrap;
        std::size_t builds; // after the step
    };
    const Step steps[] = {
        {"unchanged", small, text, 100, true, 1},
        {"narrower", small, text, 60, true, 2},
        {"other text", small, "Avoid!", 60, true, 3},
        {"bold", bold, "Avoid!", 60, true, 4},
        {"one line", bold, "Avoid!", 60, false, 5},
        {"one line, any width", bold, "Avoid!", 999, false, 5},
        {"empty", bold, "", 999, false, 6},
    };
    for (const Step& s : steps) {
        layout.of(s.font, s.text, s.width, s.wrap);
        EXPECT_EQ(layout.builds(), s.builds) << s.what;
    }
    EXPECT_TRUE(layout.of(bold, "", 999, false).empty());
    EXPECT_EQ(layout.widest(), 0);
}

TEST_F(TextLayoutTest, OnlyPicturesThatLetTheBackgroundThroughAreBlended) {
    struct Case {
        const char* what;
        Uint32 format;
        Uint8 alphaOfOnePixel;
        bool colourKey;
        bool expected;
    };
    const Case cases[] = {
        {"opaque with alpha", SDL_PIXELFORMAT_ARGB8888, 255, false, false},
        {"one clear pixel", SDL_PIXELFORMAT_ARGB8888, 0, false, true},
        {"one half-clear pixel", SDL_PIXELFORMAT_ABGR8888, 128, false, true},
        {"no alpha at all", SDL_PIXELFORMAT_RGB888, 0, false, false},
        {"colour key", SDL_PIXELFORMAT_RGB888, 0, true, true},
    };
    for (const Case& c : cases) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 8, 4, 32, c.format);
        ASSERT_NE(s, nullptr) << c.what;
        SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, 10, 20, 30, 255));
        const SDL_Rect last{7, 3, 1, 1};
        SDL_FillRect(s, &last, SDL_MapRGBA(s->format, 10, 20, 30, c.alphaOfOnePixel));
        if (c.colourKey) SDL_SetColorKey(s, SDL_TRUE, SDL_MapRGB(s->format, 0, 0, 0));
        EXPECT_EQ(ui::hasTransparency(s), c.expected) << c.what;
        SDL_FreeSurface(s);
    }
    EXPECT_FALSE(ui::hasTransparency(nullptr));

    // The game's own pictures as they are loaded: the ship shows the field around it, the
    // title art covers its box.
    const std::pair<int, bool> pictures[] = {{pic::Ship, true}, {pic::TitleArt, false}};
    for (const auto& [id, expected] : pictures) {
        SDL_Surface* s = IMG_ReadXPMFromArray(const_cast<char**>(resources::pictureXpm(id)));
        ASSERT_NE(s, nullptr) << id;
        EXPECT_EQ(ui::hasTransparency(s), expected) << id;
        SDL_FreeSurface(s);
    }
}

} // namespace
} // namespace kelvar
