#include "screens/title_screen.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include "screens/screen_test_support.hpp"

namespace kelvar {
namespace {

using namespace test;

class TitleScreenTest : public ScreenTest {
  protected:
    int starts = 0;
    int exits = 0;
    TitleScreen screen{TitleScreen::Actions{[this] { ++starts; }, [this] { ++exits; }}};
};

// A click on a button, or Space / Enter on the focused one, runs its action; Tab walks the
// buttons in order.
TEST_F(TitleScreenTest, ClicksAndKeysRunTheButtonsActions) {
    const struct {
        const char* click; // or, when null, `tabs` Tabs and then `key`
        int tabs;
        SDL_Keycode key;
        int starts, exits;
    } cases[] = {
        {"StartBtn", 0, 0, 1, 0},          {"Exit", 0, 0, 0, 1},
        {"NullFunc", 0, 0, 0, 0},          {nullptr, 0, SDLK_SPACE, 1, 0},
        {nullptr, 0, SDLK_KP_ENTER, 1, 0}, {nullptr, 1, SDLK_RETURN, 0, 1},
        {nullptr, 2, SDLK_SPACE, 0, 0},    {nullptr, 0, SDLK_a, 0, 0},
    };
    for (const auto& c : cases) {
        TitleScreen s{{[&] { ++starts; }, [&] { ++exits; }}};
        starts = exits = 0;
        if (c.click) clickControl(s, c.click);
        for (int i = 0; i < c.tabs; ++i) press(s, SDLK_TAB);
        if (!c.click) press(s, c.key);
        EXPECT_EQ(starts, c.starts) << (c.click ? c.click : SDL_GetKeyName(c.key)) << " " << c.tabs;
        EXPECT_EQ(exits, c.exits) << (c.click ? c.click : SDL_GetKeyName(c.key)) << " " << c.tabs;
        if (c.click) {
            EXPECT_EQ(focusName(s), c.click);
        }
    }
}

TEST_F(TitleScreenTest, AButtonClicksOnlyWhenTheMouseIsReleasedOverIt) {
    const SDL_Rect start = rectOf(screen.form(), "StartBtn");
    const SDL_Point in = centre(start);
    // The button's top left bevel is lit when raised and shadowed while held down.
    auto bevel = [&] { return drawn(screen).at(start.x + 1, start.y + 1); };
    EXPECT_EQ(bevel(), ui::face::Highlight);

    mouse(screen, SDL_MOUSEBUTTONDOWN, in.x, in.y);
    EXPECT_EQ(bevel(), ui::face::Shadow);
    mouse(screen, SDL_MOUSEMOTION, in.x, start.y + start.h + 5);
    mouse(screen, SDL_MOUSEBUTTONUP, in.x, start.y + start.h + 5);
    EXPECT_EQ(starts, 0);

    mouse(screen, SDL_MOUSEBUTTONDOWN, in.x, in.y);
    mouse(screen, SDL_MOUSEMOTION, 5, 5);
    mouse(screen, SDL_MOUSEMOTION, in.x, in.y); // back over it before the release
    mouse(screen, SDL_MOUSEBUTTONUP, in.x, in.y);
    EXPECT_EQ(starts, 1);

    // A press that starts elsewhere does not click the button it ends on.
    mouse(screen, SDL_MOUSEBUTTONDOWN, 5, 5);
    mouse(screen, SDL_MOUSEBUTTONUP, in.x, in.y);
    EXPECT_EQ(starts, 1);
}

} // namespace
} // namespace kelvar
