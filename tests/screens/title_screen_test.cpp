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

TEST_F(TitleScreenTest, WindowIsCreatedHiddenWithItsCaptionAndClientSize) {
    SDL_Window* w = screen.window().sdl();
    ASSERT_NE(w, nullptr);
    int width = 0, height = 0;
    SDL_GetWindowSize(w, &width, &height);
    EXPECT_EQ(width, 351);
    EXPECT_EQ(height, 401);
    EXPECT_STREQ(SDL_GetWindowTitle(w), "Kelvar Raid");
    EXPECT_TRUE(SDL_GetWindowFlags(w) & SDL_WINDOW_HIDDEN);
    EXPECT_FALSE(screen.window().shown());
}

TEST_F(TitleScreenTest, ClickingAButtonRunsItsActionAndFocusesIt) {
    const struct {
        const char* name;
        int starts, exits;
    } cases[] = {{"StartBtn", 1, 0}, {"Exit", 0, 1}, {"NullFunc", 0, 0}};
    for (const auto& c : cases) {
        TitleScreen s{{[&] { ++starts; }, [&] { ++exits; }}};
        starts = exits = 0;
        clickControl(s, c.name);
        EXPECT_EQ(starts, c.starts) << c.name;
        EXPECT_EQ(exits, c.exits) << c.name;
        EXPECT_EQ(focusName(s), c.name);
    }
}

TEST_F(TitleScreenTest, ClicksAwayFromTheButtonsDoNothing) {
    const SDL_Point places[] = {
        {175, 120},
        centre(rectOf(screen.form(), "Label1(0)")),
        centre(rectOf(screen.form(), "Image5")),
        {0, 0},
        {119, 260} /* just left of StartBtn */,
        {176, 273} /* just under it */,
    };
    for (const SDL_Point& p : places) {
        click(screen, p);
        EXPECT_EQ(starts + exits, 0) << p.x << "," << p.y;
        EXPECT_EQ(focusName(screen), "StartBtn");
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
    EXPECT_EQ(bevel(), ui::face::Highlight) << "raised again once the pointer leaves";
    mouse(screen, SDL_MOUSEBUTTONUP, in.x, start.y + start.h + 5);
    EXPECT_EQ(starts, 0);

    mouse(screen, SDL_MOUSEBUTTONDOWN, in.x, in.y);
    mouse(screen, SDL_MOUSEMOTION, 5, 5);
    mouse(screen, SDL_MOUSEMOTION, in.x, in.y);
    EXPECT_EQ(bevel(), ui::face::Shadow) << "pressed again when it comes back";
    mouse(screen, SDL_MOUSEBUTTONUP, in.x, in.y);
    EXPECT_EQ(starts, 1);

    // A press that starts elsewhere does not click the button it ends on.
    mouse(screen, SDL_MOUSEBUTTONDOWN, 5, 5);
    mouse(screen, SDL_MOUSEBUTTONUP, in.x, in.y);
    EXPECT_EQ(starts, 1);
}

TEST_F(TitleScreenTest, TabWalksTheButtonsAndShiftTabWalksBack) {
    EXPECT_EQ(focusName(screen), "StartBtn");
    const char* forward[] = {"Exit", "NullFunc", "StartBtn", "Exit"};
    for (const char* name : forward) {
        press(screen, SDLK_TAB);
        EXPECT_EQ(focusName(screen), name);
    }
    const char* back[] = {"StartBtn", "NullFunc", "Exit", "StartBtn"};
    for (const char* name : back) {
        press(screen, SDLK_TAB, KMOD_LSHIFT);
        EXPECT_EQ(focusName(screen), name);
    }
}

TEST_F(TitleScreenTest, SpaceAndEnterClickTheFocusedButton) {
    const struct {
        int tabs;
        SDL_Keycode key;
        int starts, exits;
    } cases[] = {
        {0, SDLK_SPACE, 1, 0}, {0, SDLK_RETURN, 1, 0}, {0, SDLK_KP_ENTER, 1, 0},
        {1, SDLK_SPACE, 0, 1}, {1, SDLK_RETURN, 0, 1}, // Exit
        {2, SDLK_SPACE, 0, 0}, {2, SDLK_RETURN, 0, 0}, // NullFunc takes the key and does nothing
        {0, SDLK_a, 0, 0},
    };
    for (const auto& c : cases) {
        TitleScreen s{{[&] { ++starts; }, [&] { ++exits; }}};
        starts = exits = 0;
        for (int i = 0; i < c.tabs; ++i) press(s, SDLK_TAB);
        press(s, c.key);
        EXPECT_EQ(starts, c.starts) << "tabs " << c.tabs << " key " << SDL_GetKeyName(c.key);
        EXPECT_EQ(exits, c.exits) << "tabs " << c.tabs << " key " << SDL_GetKeyName(c.key);
    }
}

TEST_F(TitleScreenTest, TheFocusMarkFollowsTheFocus) {
    const Pixels before = drawn(screen);
    press(screen, SDLK_TAB);
    const Pixels after = drawn(screen);
    const SDL_Rect start = rectOf(screen.form(), "StartBtn");
    const SDL_Rect exit = rectOf(screen.form(), "Exit");
    SDL_Rect both;
    SDL_UnionRect(&start, &exit, &both);
    const SDL_Rect changed = changedArea(before, after);
    EXPECT_TRUE(inside(changed, both)) << str(changed);
    EXPECT_TRUE(SDL_HasIntersection(&changed, &start) && SDL_HasIntersection(&changed, &exit))
        << "the mark leaves one button and comes to the other";
}

TEST_F(TitleScreenTest, EveryLabelDrawsItsTextInsideItsBox) {
    for (const auto& w : screen.form().widgets()) {
        auto* label = dynamic_cast<ui::Label*>(w.get());
        if (!label) continue;
        const Pixels with = drawn(screen);
        const std::string text = label->text;
        label->text.clear();
        const Pixels without = drawn(screen);
        label->text = text;
        const SDL_Rect changed = changedArea(with, without);
        SDL_Rect box = label->rect();
        // Arial 12 is a pixel taller than the 255-twip boxes the design gives its captions;
        // a descender may reach one row below.
        box.h += 2;
        EXPECT_GT(changed.w, 0) << label->name() << ": no text drawn";
        EXPECT_TRUE(inside(changed, box))
            << label->name() << ": text at " << str(changed) << ", box " << str(label->rect());
    }
}

TEST_F(TitleScreenTest, LegendPicturesAreDrawnInTheirBoxesClearOfTheButtonsAndTheArt) {
    const SDL_Rect art = rectOf(screen.form(), "Image1");
    for (const char* name : {"Image2", "Image3", "Image4", "Image5", "Image6", "Image7"}) {
        auto* picture = dynamic_cast<ui::PictureBox*>(screen.form().find(name));
        ASSERT_NE(picture, nullptr) << name;
        const SDL_Rect r = picture->rect();
        EXPECT_FALSE(SDL_HasIntersection(&r, &art)) << name;
        for (const auto& w : screen.form().widgets()) {
            const SDL_Rect hit = w->hitRect();
            if (dynamic_cast<ui::Control*>(w.get())) {
                EXPECT_FALSE(SDL_HasIntersection(&r, &hit)) << name << " covers " << w->name();
            }
        }
        const int id = picture->picture;
        const Pixels with = drawn(screen);
        picture->picture = 0;
        const Pixels without = drawn(screen);
        picture->picture = id;
        const SDL_Rect changed = changedArea(with, without);
        EXPECT_GT(changed.w, 0) << name << " draws nothing";
        EXPECT_TRUE(inside(changed, r) && inside(r, SDL_Rect{0, 0, 351, 401})) << name;
    }
}

} // namespace
} // namespace kelvar
