#include "screens/title_screen.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include "screens/screen_test_support.hpp"

namespace kelvar {
namespace {

using namespace test;

class TitleScreenTest : public ScreenTest {
  protected:
    int starts = 0, exits = 0;
    TitleScreen screen{TitleScreen::Actions{[this] { ++starts; }, [this] { ++exits; }}};
};

// Space or Enter on the focused button runs its action; Tab walks the buttons in order; a click
// on the title art's hidden button does nothing.
TEST_F(TitleScreenTest, KeysRunTheFocusedButtonsAction) {
    const struct {
        int tabs;
        SDL_Keycode key;
        int starts, exits;
    } cases[] = {
        {0, SDLK_SPACE, 1, 0}, {0, SDLK_KP_ENTER, 1, 0}, {1, SDLK_RETURN, 0, 1},
        {2, SDLK_SPACE, 0, 0}, {0, SDLK_a, 0, 0},
    };
    for (const auto& c : cases) {
        TitleScreen s{{[&] { ++starts; }, [&] { ++exits; }}};
        starts = exits = 0;
        for (int i = 0; i < c.tabs; ++i) press(s, SDLK_TAB);
        press(s, c.key);
        EXPECT_EQ(std::tie(starts, exits), std::tie(c.starts, c.exits))
            << SDL_GetKeyName(c.key) << " after " << c.tabs << " tabs";
    }
    clickControl(screen, "NullFunc");
    EXPECT_EQ(std::tie(starts, exits), std::make_tuple(0, 0));
}

// The button's top left bevel is lit when raised and shadowed while held down; it clicks only
// when the mouse is pressed and released over it.
TEST_F(TitleScreenTest, AButtonClicksOnlyWhenTheMouseIsReleasedOverIt) {
    const SDL_Rect start = rectOf(screen.form(), "StartBtn");
    const SDL_Point in = centre(start), out{in.x, start.y + start.h + 5};
    auto bevel = [&] { return drawn(screen).at(start.x + 1, start.y + 1); };
    EXPECT_EQ(bevel(), ui::face::Highlight);
    mouse(screen, SDL_MOUSEBUTTONDOWN, in.x, in.y);
    EXPECT_EQ(bevel(), ui::face::Shadow);
    mouse(screen, SDL_MOUSEMOTION, out.x, out.y);
    mouse(screen, SDL_MOUSEBUTTONUP, out.x, out.y);
    EXPECT_EQ(starts, 0);
    mouse(screen, SDL_MOUSEBUTTONDOWN, 5, 5); // pressed elsewhere, released on it
    mouse(screen, SDL_MOUSEBUTTONUP, in.x, in.y);
    EXPECT_EQ(starts, 0);
    mouse(screen, SDL_MOUSEBUTTONDOWN, in.x, in.y);
    mouse(screen, SDL_MOUSEMOTION, 5, 5);
    mouse(screen, SDL_MOUSEMOTION, in.x, in.y); // back over it before the release
    mouse(screen, SDL_MOUSEBUTTONUP, in.x, in.y);
    EXPECT_EQ(starts, 1);
}

} // namespace
} // namespace kelvar
