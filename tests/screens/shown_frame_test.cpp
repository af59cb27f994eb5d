#include <gtest/gtest.h>

#include <algorithm>

#include "screens/shown_frame.hpp"

namespace kelvar {
namespace {

// The play field is drawn only when what it shows changed, or the window needs drawing.
TEST(ShownFrame, DrawsOnlyWhatChangedOnTheScreen) {
    ShownFrame frame;
    Elements el = designElements();
    EXPECT_TRUE(frame.needsDrawing(el)) << "a new window";
    frame.presented(el);
    el.Timer1.armedAt += 35; // not drawn
    EXPECT_FALSE(frame.needsDrawing(el));
    for (int change = 0; change < 4; ++change) {
        Elements e = el;
        if (change == 0) e.EmySpot[3].Top += 1;
        if (change == 1) e.ScoreText.Caption += "0";
        if (change == 2) e.Star[7].FillColor ^= 1;
        if (change == 3) e.BackColor ^= 15; // the flash
        EXPECT_TRUE(frame.needsDrawing(e)) << change;
    }
    frame.invalidate(); // exposed
    EXPECT_TRUE(frame.needsDrawing(el));
}

} // namespace
} // namespace kelvar
