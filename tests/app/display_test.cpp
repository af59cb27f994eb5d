// Opening the display: only drivers that show a window unless one is asked for; a busy display
// (an X server refusing for a moment) is tried again a bounded number of times, and one that
// never opens is reported with SDL's reason.
#include "app/display.hpp"

#include <gtest/gtest.h>

namespace kelvar {
namespace {

TEST(Display, ABusyDisplayIsTriedAgainAndAFailedOneReported) {
    EXPECT_EQ(videoDriversToTry({"", ":0", "wayland-0"}), "x11,wayland");
    EXPECT_EQ(videoDriversToTry({"offscreen", ":0", ""}), "offscreen");
    for (const auto& [failuresFirst, ok] : {std::pair{2, true}, std::pair{1000, false}}) {
        int asked = 0;
        std::string message;
        const auto init = [&](const std::string&, std::string& error) -> std::string {
            error = ++asked <= failuresFirst ? "x11 not available" : "";
            return error.empty() ? "x11" : "";
        };
        EXPECT_EQ(openDisplay(
                      {"", ":7", ""}, init, [](int) {}, message),
                  ok)
            << message;
        EXPECT_LE(asked, 10);
        if (ok) EXPECT_EQ(asked, 3);
        if (!ok)
            EXPECT_NE(message.find("DISPLAY=:7: x11 not available"), std::string::npos) << message;
    }
}

} // namespace
} // namespace kelvar
