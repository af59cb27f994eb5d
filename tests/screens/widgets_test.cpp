#include "screens/widgets.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "screens/screen_test_support.hpp"

namespace kelvar {
namespace {

using namespace test;

class WrapLinesTest : public ScreenTest {};

std::string words(const std::string& s) {
    std::istringstream in(s);
    std::string w, all;
    while (in >> w) all += (all.empty() ? "" : " ") + w;
    return all;
}

TEST_F(WrapLinesTest, LinesFitTheWidthKeepEveryWordAndBreakNoSooner) {
    const Font f = ui::arial(8.25f);
    const Font big = ui::arial(12);
    const struct {
        Font font;
        const char* text;
        int width;
    } cases[] = {
        {big, "Shoot enemies. Prevent them from reaching the planet!", 113},
        {f,
         "Enemy attack patterns change and intensify each passing level. Do not crash into the "
         "enemies or allow them to breach past you and reach the planet!",
         162},
        {f, "one two three four five six seven eight nine ten", 40},
    };
    for (const auto& c : cases) {
        const auto lines = ui::wrapLines(c.font, c.text, c.width);
        ASSERT_FALSE(lines.empty());
        std::string joined;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& l = lines[i];
            ASSERT_FALSE(l.empty()) << c.text;
            EXPECT_LE(ui::textSize(c.font, l).x, c.width) << "'" << l << "'";
            // Greedy: the next line's first word would not have fitted on this one.
            if (i + 1 < lines.size()) {
                const std::string next = lines[i + 1].substr(0, lines[i + 1].find(' '));
                EXPECT_GT(ui::textSize(c.font, l + " " + next).x, c.width) << "'" << l << "'";
            }
            joined += (i ? " " : "") + l;
        }
        EXPECT_EQ(words(joined), words(c.text));
    }
}

} // namespace
} // namespace kelvar
