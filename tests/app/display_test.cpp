// Opening the display: never a silent fall back to a driver that shows nothing.
#include "app/display.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace kelvar {
namespace {

// Runs a shell command; its exit code and what it printed (stdout and stderr together).
int runCommand(const std::string& cmd, std::string& out) {
    FILE* p = popen((cmd + " 2>&1").c_str(), "r");
    if (!p) return -1;
    char buf[256];
    while (fgets(buf, sizeof buf, p)) out += buf;
    const int status = pclose(p);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

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
    std::string out;
    EXPECT_EQ(runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "
                         "SDL_AUDIODRIVER=dummy " KELVAR_BINARY,
                         out),
              1)
        << out;
    EXPECT_NE(out.find("no display found"), std::string::npos) << out;
}

// A trace that cannot be written is said at once, in the window as without one.
TEST(Outputs, ATraceThatCannotBeWrittenIsAnErrorInTheWindowToo) {
    const std::string demo = std::string(KELVAR_SOURCE_DIR) + "/tests/data/levels_0_to_8.demo";
    for (const char* mode : {"--demo", "--headless"}) {
        std::string out;
        const int code = runCommand(
            std::string("SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ") + KELVAR_BINARY + " " +
                mode + " " + demo + " --trace /nonexistent/folder/trace.jsonl",
            out);
        EXPECT_EQ(code, 2) << mode << ": " << out;
        EXPECT_NE(out.find("cannot write trace /nonexistent/folder/trace.jsonl"), std::string::npos)
            << mode << ": " << out;
    }
}

} // namespace
} // namespace kelvar
