// The title and help windows: created hidden at their client size, and every text fits its box
// whole, nothing clipped.
#include <gtest/gtest.h>

#include "screen_test_support.hpp"
#include "screens/help_screen.hpp"
#include "screens/title_screen.hpp"

namespace kelvar {
namespace {

class LabelFit : public test::ScreenTest {
  protected:
    static void expectLabelsFit(ui::Form& f, const char* window) {
        int checked = 0;
        for (const auto& w : f.widgets()) {
            const auto* l = dynamic_cast<const ui::Label*>(w.get());
            if (!l || l->text.empty()) continue;
            const SDL_Rect box = l->rect();
            const auto lines =
                l->wrap ? ui::wrapLines(l->font, l->text, box.w) : std::vector{l->text};
            const int height = static_cast<int>(lines.size()) * ui::lineHeight(l->font);
            EXPECT_LE(height, box.h + 2) << window << " " << l->name() << ": \"" << l->text
                                         << "\" needs " << height << " px, its box " << box.h;
            for (const auto& line : lines)
                EXPECT_LE(ui::textSize(l->font, line).x, box.w + 2)
                    << window << " " << l->name() << ": \"" << line << "\"";
            ++checked;
        }
        EXPECT_GT(checked, 5) << window;
    }

    static void expectWindow(ui::Window& w, int width, int height) {
        int wd = 0, ht = 0;
        SDL_GetWindowSize(w.sdl(), &wd, &ht);
        EXPECT_EQ(wd, width);
        EXPECT_EQ(ht, height);
        EXPECT_STREQ(SDL_GetWindowTitle(w.sdl()), "Kelvar Raid");
        EXPECT_TRUE(SDL_GetWindowFlags(w.sdl()) & SDL_WINDOW_HIDDEN);
        EXPECT_FALSE(w.shown());
    }
};

TEST_F(LabelFit, TitleScreen) {
    TitleScreen title({[] {}, [] {}});
    expectWindow(title.window(), 351, 401);
    expectLabelsFit(title.form(), "title");
}

TEST_F(LabelFit, HelpScreen) {
    HelpScreen help({[] {}});
    expectWindow(help.window(), 438, 397);
    expectLabelsFit(help.form(), "help");
}

} // namespace
} // namespace kelvar
