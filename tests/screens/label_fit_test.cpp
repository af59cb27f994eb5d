// The windows: created hidden, and every text fits its box whole, nothing clipped; wrapped lines
// fit their width, keep every word and break no sooner than needed.
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "screen_test_support.hpp"
#include "screens/help_screen.hpp"
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

TEST_F(LabelFit, TitleAndHelpScreens) {
    TitleScreen title({[] {}, [] {}});
    expectWindow(title.window(), title.form());
    HelpScreen help({[] {}});
    expectWindow(help.window(), help.form());
    expectFits(ui::arial(8.25f), "one two three four five six seven eight nine ten",
               {0, 0, 40, 999}, true, "narrow");
}

// The play field's fixed boxes with the widest text they show.
TEST_F(LabelFit, PlayFieldLabels) {
    const Elements el = designElements();
    const std::pair<const Label&, const char*> cases[] = {
        {el.EnmyLbl, "110"},          {el.CHL, "CHALLENGE STAGE"}, {el.Gover, "G A M E   O V E R"},
        {el.GShotLbl, "LEVEL CLEAR"}, {el.PauseTL, "PAUSED"},
    };
    for (const auto& [label, widest] : cases)
        expectFits(ui::labelFont(label), widest,
                   ui::pxRect(label.Left, label.Top, label.Width, label.Height), false, widest);
}

} // namespace
} // namespace kelvar
