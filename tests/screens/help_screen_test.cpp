#include "screens/help_screen.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include <array>

#include "screens/screen_test_support.hpp"

namespace kelvar {
namespace {

using namespace test;

constexpr std::array<const char*, 4> kOptions{"OptionBtn1", "OptionBtn2", "OptionBtn3",
                                              "OptionBtn4"};
constexpr std::array<const char*, 4> kCodes{"U", "0", "1", "2"};

class HelpScreenTest : public ScreenTest {
protected:
    int begins = 0;
    HelpScreen screen{HelpScreen::Actions{[this] { ++begins; }}};

    ui::OptionButton& option(int i) {
        return dynamic_cast<ui::OptionButton&>(
            *screen.form().find(kOptions[static_cast<std::size_t>(i)]));
    }
    int selected() {
        int found = -1;
        for (int i = 0; i < 4; ++i)
            if (option(i).selected()) {
                EXPECT_EQ(found, -1) << "two options selected";
                found = i;
            }
        return found;
    }
};

TEST_F(HelpScreenTest, WindowIsCreatedHiddenWithItsCaptionAndClientSize) {
    SDL_Window* w = screen.window().sdl();
    ASSERT_NE(w, nullptr);
    int width = 0, height = 0;
    SDL_GetWindowSize(w, &width, &height);
    EXPECT_EQ(width, 438);
    EXPECT_EQ(height, 397);
    EXPECT_STREQ(SDL_GetWindowTitle(w), "Kelvar Raid");
    EXPECT_TRUE(SDL_GetWindowFlags(w) & SDL_WINDOW_HIDDEN);
}

TEST_F(HelpScreenTest, ClickingAnOptionOrItsCaptionSelectsItAloneAndShowsItsCode) {
    for (int i : {3, 0, 2, 1, 1, 3}) {
        clickControl(screen, kOptions[static_cast<std::size_t>(i)]);
        EXPECT_EQ(selected(), i);
        EXPECT_EQ(screen.valUsed(), kCodes[static_cast<std::size_t>(i)]);
        EXPECT_EQ(focusName(screen), kOptions[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < 4; ++i) {
        const SDL_Rect caption = option(i).captionArea.pixels();
        // Near the right end, where the right-aligned caption's text is.
        click(screen, {caption.x + caption.w - 10, caption.y + caption.h / 2});
        EXPECT_EQ(selected(), i);
        EXPECT_EQ(screen.valUsed(), kCodes[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(begins, 0);
}

TEST_F(HelpScreenTest, TheCheckBoxTogglesAndShutOptionsClearsEverything) {
    const SDL_Rect box = rectOf(screen.form(), "CenterOrNot");
    const SDL_Rect square{box.x + 2, box.y + (box.h - 13) / 2 + 2, 9, 9}; // inside the bevel
    auto tickPixels = [&] {
        return drawn(screen).countIn(square, [](Rgb c) { return c == 0x000000; });
    };
    EXPECT_EQ(screen.centerOrNot(), 0);
    EXPECT_EQ(tickPixels(), 0);
    for (int expected : {1, 0, 1}) {
        clickControl(screen, "CenterOrNot");
        EXPECT_EQ(screen.centerOrNot(), expected);
        EXPECT_EQ(tickPixels() > 10, expected == 1);
    }
    screen.selectOption(2);
    screen.ShutOptions();
    EXPECT_EQ(selected(), -1);
    EXPECT_EQ(screen.centerOrNot(), 0);
    screen.setCenterOrNot(1);
    EXPECT_EQ(screen.centerOrNot(), 1);
    EXPECT_EQ(begins, 0);
}

TEST_F(HelpScreenTest, OnlyAClickOnBeginBegins) {
    screen.selectOption(1);
    for (const char* name :
         {"Label1", "Label7", "ValUsed", "Label21", "Label22", "Image7", "Shape3"}) {
        click(screen, centre(rectOf(screen.form(), name)));
        EXPECT_EQ(focusName(screen), "SBattle") << name;
    }
    // Pressed on a control but released off it.
    for (const char* name : {"SBattle", "CenterOrNot", "OptionBtn3"}) {
        const SDL_Point p = centre(rectOf(screen.form(), name));
        mouse(screen, SDL_MOUSEBUTTONDOWN, p.x, p.y);
        mouse(screen, SDL_MOUSEMOTION, 430, 20);
        mouse(screen, SDL_MOUSEBUTTONUP, 430, 20);
    }
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(screen.valUsed(), "0");
    EXPECT_EQ(screen.centerOrNot(), 0);
    EXPECT_EQ(begins, 0);
    clickControl(screen, "SBattle");
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(selected(), 1);
}

TEST_F(HelpScreenTest, TabVisitsBeginTheSpeedChoiceAndTheCheckBox) {
    screen.selectOption(2);
    EXPECT_EQ(focusName(screen), "SBattle");
    // The option buttons are one stop, entered at the selected one.
    for (const char* name : {"OptionBtn3", "CenterOrNot", "SBattle", "OptionBtn3"}) {
        press(screen, SDLK_TAB);
        EXPECT_EQ(focusName(screen), name);
    }
    for (const char* name : {"SBattle", "CenterOrNot", "OptionBtn3"}) {
        press(screen, SDLK_TAB, KMOD_RSHIFT);
        EXPECT_EQ(focusName(screen), name);
    }
    // With nothing selected the stop is the first option.
    screen.ShutOptions();
    press(screen, SDLK_TAB, KMOD_LSHIFT);
    press(screen, SDLK_TAB);
    EXPECT_EQ(focusName(screen), "OptionBtn1");
    EXPECT_EQ(selected(), -1) << "a Tab only moves the focus";
}

TEST_F(HelpScreenTest, ArrowKeysMoveThroughTheOptionsAndSelect) {
    screen.selectOption(0);
    press(screen, SDLK_TAB);
    const struct {
        SDL_Keycode key;
        int expected;
    } steps[] = {{SDLK_DOWN, 1}, {SDLK_RIGHT, 2}, {SDLK_DOWN, 3},
                 {SDLK_DOWN, 0}, {SDLK_UP, 3},    {SDLK_LEFT, 2}};
    for (const auto& s : steps) {
        press(screen, s.key);
        EXPECT_EQ(selected(), s.expected);
        EXPECT_EQ(screen.valUsed(), kCodes[static_cast<std::size_t>(s.expected)]);
        EXPECT_EQ(focusName(screen), kOptions[static_cast<std::size_t>(s.expected)]);
    }
    // Away from the options the arrows do nothing.
    press(screen, SDLK_TAB);
    press(screen, SDLK_DOWN);
    EXPECT_EQ(selected(), 2);
}

TEST_F(HelpScreenTest, KeysOnTheFocusedControl) {
    const struct {
        int tabs;
        SDL_Keycode key;
        int begins, centerOrNot;
        const char* valUsed;
    } cases[] = {
        {0, SDLK_SPACE, 1, 0, "U"},  {0, SDLK_RETURN, 1, 0, "U"},
        {1, SDLK_SPACE, 0, 0, "U"},  // the selected option stays selected
        {2, SDLK_SPACE, 0, 1, "U"},  // the check box toggles
        {2, SDLK_RETURN, 1, 0, "U"}, // Enter away from a button presses BEGIN
        {1, SDLK_RETURN, 1, 0, "U"},
    };
    for (const auto& c : cases) {
        HelpScreen s{{[&] { ++begins; }}};
        begins = 0;
        s.selectOption(0);
        for (int i = 0; i < c.tabs; ++i) press(s, SDLK_TAB);
        press(s, c.key);
        EXPECT_EQ(begins, c.begins) << "tabs " << c.tabs << " key " << SDL_GetKeyName(c.key);
        EXPECT_EQ(s.centerOrNot(), c.centerOrNot) << "tabs " << c.tabs;
        EXPECT_EQ(s.valUsed(), c.valUsed) << "tabs " << c.tabs;
    }
}

TEST_F(HelpScreenTest, NothingOverlapsAndEverythingIsInsideTheWindow) {
    // Words, pictures and controls; the key names sit on their keys, which are shapes.
    std::vector<const ui::Widget*> items;
    for (const auto& w : screen.form().widgets())
        if (dynamic_cast<ui::Label*>(w.get()) || dynamic_cast<ui::Control*>(w.get()) ||
            dynamic_cast<ui::PictureBox*>(w.get()))
            items.push_back(w.get());
    ASSERT_GE(items.size(), 30u);
    const SDL_Rect client{0, 0, 438, 397};
    for (const auto& w : screen.form().widgets())
        EXPECT_TRUE(inside(w->rect(), client)) << w->name() << " at " << str(w->rect());
    for (std::size_t i = 0; i < items.size(); ++i)
        for (std::size_t j = i + 1; j < items.size(); ++j) {
            const SDL_Rect a = items[i]->hitRect(), b = items[j]->hitRect();
            EXPECT_FALSE(SDL_HasIntersection(&a, &b))
                << items[i]->name() << " " << str(a) << " overlaps " << items[j]->name() << " "
                << str(b);
        }
}

TEST_F(HelpScreenTest, EveryTextIsDrawnInsideItsBox) {
    for (const auto& w : screen.form().widgets()) {
        std::string* text = nullptr;
        SDL_Rect box = w->rect();
        if (auto* l = dynamic_cast<ui::Label*>(w.get())) text = &l->text;
        if (auto* c = dynamic_cast<ui::CheckBox*>(w.get())) text = &c->caption;
        if (auto* o = dynamic_cast<ui::OptionButton*>(w.get())) {
            text = &o->caption;
            box = o->captionArea.pixels();
        }
        if (!text) continue;
        if (text->empty()) *text = "2"; // ValUsed before any choice
        const Pixels with = drawn(screen);
        const std::string saved = *text;
        text->clear();
        const Pixels without = drawn(screen);
        *text = saved;
        const SDL_Rect changed = changedArea(with, without);
        EXPECT_GT(changed.w, 0) << w->name() << ": no text drawn";
        EXPECT_TRUE(inside(changed, box))
            << w->name() << ": text at " << str(changed) << ", box " << str(box);
    }
}

TEST_F(HelpScreenTest, TheSelectedOptionShowsItsDotAndValUsedItsGreyBox) {
    const SDL_Rect val = rectOf(screen.form(), "ValUsed");
    for (int chosen = 0; chosen < 4; ++chosen) {
        screen.selectOption(chosen);
        EXPECT_EQ(screen.valUsed(), kCodes[static_cast<std::size_t>(chosen)]);
        const Pixels p = drawn(screen);
        for (int i = 0; i < 4; ++i) {
            const SDL_Point c = centre(option(i).rect());
            EXPECT_EQ(p.at(c.x, c.y), i == chosen ? ui::face::Text : ui::face::Highlight)
                << "option " << i << " with " << chosen << " chosen";
        }
        // Dark grey corners, white code in the middle.
        EXPECT_EQ(p.at(val.x, val.y), 0x808080u);
        EXPECT_EQ(p.at(val.x + val.w - 1, val.y + val.h - 1), 0x808080u);
        EXPECT_GT(p.countIn(val, [](Rgb c) { return c == 0xFFFFFF; }), 3);
    }
}

} // namespace
} // namespace kelvar
