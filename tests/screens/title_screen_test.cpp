// The title screen's version line sits in a band of its own: at every scale no pixel of its text
// falls on a row that the art's lettering or craft fill.
#include <gtest/gtest.h>

#include "screen_test_support.hpp"
#include "screens/output_scale.hpp"
#include "screens/title_screen.hpp"

namespace kelvar {
namespace {

class VersionLine : public test::ScreenTest {
  protected:
    void TearDown() override { ui::setOutputScale(1); }
};

TEST_F(VersionLine, StaysClearOfTheTitleArtAtEveryScale) {
    for (int scale = 1; scale <= 4; ++scale) {
        ui::setOutputScale(scale);
        TitleScreen title({[] {}, [] {}});
        auto* version = title.form().find("Label1(10)");
        ASSERT_NE(version, nullptr);
        const test::Pixels with = test::drawn(title);
        version->visible = false;
        const test::Pixels without = test::drawn(title);
        ASSERT_EQ(with.argb.size(), without.argb.size());
        const SDL_Rect art = title.form().find("Image1")->rect();
        const auto lit = [](Rgb c) { return c != 0; };
        // A row of the art with this many lit pixels is lettering or a craft; rows of stars hold
        // a few.
        const int busy = 20 * scale;
        int textPixels = 0;
        for (int y = 0; y < with.h; ++y) {
            int changed = 0;
            for (int x = 0; x < with.w; ++x) changed += with.at(x, y) != without.at(x, y);
            if (changed == 0) continue;
            textPixels += changed;
            const int artLit = without.countIn({art.x * scale, y, art.w * scale, 1}, lit);
            EXPECT_LT(artLit, busy) << "scale " << scale << ": the version line is drawn on row "
                                    << y << ", which the art fills with " << artLit << " pixels";
        }
        EXPECT_GT(textPixels, 20 * scale) << "scale " << scale << ": no version line drawn";
    }
}

} // namespace
} // namespace kelvar
