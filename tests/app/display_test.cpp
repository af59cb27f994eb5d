// Opening the display: never a silent fall back to a driver that shows nothing.
#include "app/display.hpp"

#include <gtest/gtest.h>

#include "support/run_program.hpp"

namespace kelvar {
namespace {

struct Attempts {
    int failuresFirst = 0;
    std::vector<std::string> asked;
    int pauses = 0;
    std::string run(const DisplayEnvironment& env, bool& ok) {
        std::string message;
        ok = openDisplay(
            env,
            [this](const std::string& drivers, std::string& error) -> std::string {
                asked.push_back(drivers);
                if (static_cast<int>(asked.size()) <= failuresFirst) {
                    error = "x11 not available";
                    return "";
                }
                return drivers.substr(0, drivers.find(','));
            },
            [this](int) { ++pauses; }, message);
        return message;
    }
};

TEST(Display, OnlyDriversThatShowAWindowUnlessOneIsAskedFor) {
    EXPECT_EQ(videoDriversToTry({"", ":0", ""}), "x11");
    EXPECT_EQ(videoDriversToTry({"", "", "wayland-0"}), "wayland");
    EXPECT_EQ(videoDriversToTry({"", ":0", "wayland-0"}), "x11,wayland");
    EXPECT_EQ(videoDriversToTry({"offscreen", "", ""}), "offscreen");
}

TEST(Display, NoDisplayIsRefusedWithOneClearLine) {
    Attempts a;
    bool ok = true;
    const std::string message = a.run({"", "", ""}, ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(a.asked.empty());
    EXPECT_NE(message.find("no display found"), std::string::npos) << message;
}

TEST(Display, ABusyDisplayIsTriedAgain) {
    Attempts a;
    a.failuresFirst = 2;
    bool ok = false;
    a.run({"", ":0", ""}, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(a.asked.size(), 3u);
    EXPECT_EQ(a.pauses, 2);
}

TEST(Display, ADisplayThatNeverOpensIsReportedWithSdlsReason) {
    Attempts a;
    a.failuresFirst = 1000;
    bool ok = true;
    const std::string message = a.run({"", ":7", ""}, ok);
    EXPECT_FALSE(ok);
    EXPECT_LE(a.asked.size(), 10u); // a bounded number of tries
    EXPECT_NE(message.find("DISPLAY=:7"), std::string::npos) << message;
    EXPECT_NE(message.find("x11 not available"), std::string::npos) << message;
}

// The real program, started where there is no display: a message and exit code 1, at once.
TEST(Display, TheProgramRefusesToRunInvisibly) {
    const auto run = testing::runProgram("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "
                                         "SDL_AUDIODRIVER=dummy " KELVAR_BINARY);
    EXPECT_EQ(run.code, 1) << run.err;
    EXPECT_NE(run.err.find("no display found"), std::string::npos) << run.err;
}

// A trace that cannot be written is said at once, in the window as without one.
TEST(Outputs, ATraceThatCannotBeWrittenIsAnErrorInTheWindowToo) {
    const std::string demo = std::string(KELVAR_SOURCE_DIR) + "/tests/data/levels_0_to_8.demo";
    for (const char* mode : {"--demo", "--headless"}) {
        const auto run = testing::runProgram(
            std::string("env SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ") + KELVAR_BINARY +
            " " + mode + " " + demo + " --trace /nonexistent/folder/trace.jsonl");
        EXPECT_EQ(run.code, 2) << mode << ": " << run.err;
        EXPECT_NE(run.err.find("cannot write trace /nonexistent/folder/trace.jsonl"),
                  std::string::npos)
            << mode << ": " << run.err;
    }
}

} // namespace
} // namespace kelvar
