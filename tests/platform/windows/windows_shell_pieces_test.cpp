// The Windows side of the window program's pieces: the font lookup's order, the recording's
// growing file, the loop's clock and the console's quit requests.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/growing_file.hpp"
#include "platform/loop_clock.hpp"
#include "platform/signal_watch.hpp"
#include "platform/windows/windows_font_lookup.hpp"

namespace kelvar {
namespace {

namespace fs = std::filesystem;

struct TempFolder {
    TempFolder() {
        path =
            fs::temp_directory_path() / ("kelvar-shell-" + std::to_string(GetCurrentProcessId()) +
                                         "-" + std::to_string(counter++));
        fs::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    std::string sub(const std::string& name) const {
        fs::create_directories(path / name);
        return (path / name).string();
    }
    fs::path path;
    static inline int counter = 0;
};

void touch(const std::string& folder, const std::string& file) {
    std::ofstream(fs::path(folder) / file) << "font";
}

std::string readAll(const fs::path& p) {
    return (std::ostringstream() << std::ifstream(p, std::ios::binary).rdbuf()).str();
}

std::string name(const std::string& path) {
    return fs::path(path).filename().string();
}

TEST(WindowsFontLookup, TheSystemFolderFirstThenTheShippedFontsThenAnyKnownFace) {
    TempFolder t;
    const std::string system = t.sub("system"), shipped = t.sub("shipped");
    touch(shipped, "LiberationSans-Regular.ttf");
    touch(shipped, "LiberationSans-Bold.ttf");
    touch(shipped, "LiberationMono-Regular.ttf");
    // Nothing in the system's folder: the shipped faces, of the asked weight.
    EXPECT_EQ(name(findFontFileIn({system, shipped}, false, false)), "LiberationSans-Regular.ttf");
    EXPECT_EQ(name(findFontFileIn({system, shipped}, false, true)), "LiberationSans-Bold.ttf");
    // A regular monospaced face stands in for a bold one (it is made bold when drawn).
    EXPECT_EQ(name(findFontFileIn({system, shipped}, true, true)), "LiberationMono-Regular.ttf");
    // The system's Arial before the shipped twin, its regular before a shipped bold.
    touch(system, "arial.ttf");
    EXPECT_EQ(findFontFileIn({system, shipped}, false, false), system + "\\arial.ttf");
    EXPECT_EQ(findFontFileIn({system, shipped}, false, true), system + "\\arial.ttf");
    touch(system, "arialbd.ttf");
    EXPECT_EQ(findFontFileIn({system, shipped}, false, true), system + "\\arialbd.ttf");
    // A monospaced face still comes from the shipped fonts when the system has none.
    EXPECT_EQ(name(findFontFileIn({system, shipped}, true, false)), "LiberationMono-Regular.ttf");
    touch(system, "consola.ttf");
    EXPECT_EQ(findFontFileIn({system, shipped}, true, false), system + "\\consola.ttf");
}

TEST(WindowsFontLookup, AnyKnownFaceWhenNoneOfTheKindIsThereAndNothingWhenNoneAtAll) {
    TempFolder t;
    const std::string only = t.sub("only"), empty = t.sub("empty");
    EXPECT_EQ(findFontFileIn({empty, "", (t.path / "missing").string()}, true, false), "");
    touch(only, "tahoma.ttf");
    touch(only, "unknown-face.ttf");
    EXPECT_EQ(findFontFileIn({empty, only}, true, true), only + "\\tahoma.ttf");
}

TEST(WindowsGrowingFile, ReplacesTheOldFileWholeAndAppendsToTheNewOne) {
    TempFolder t;
    const fs::path file = t.path / "game.demo";
    std::ofstream(file) << "an old recording, longer than the new header\n";
    GrowingFile f;
    ASSERT_TRUE(f.start(file.string(), "header\n"));
    EXPECT_EQ(readAll(file), "header\n"); // on disk under the name before any line
    ASSERT_TRUE(f.append("1 key\n"));
    ASSERT_TRUE(f.append("2 key\n"));
    ASSERT_TRUE(f.sync());
    EXPECT_EQ(readAll(file), "header\n1 key\n2 key\n");
    // The next game starts a new file over this one.
    ASSERT_TRUE(f.start(file.string(), "next\n"));
    f.close();
    EXPECT_EQ(readAll(file), "next\n");
    EXPECT_FALSE(f.append("late\n"));
    // Only the file itself is left: no twin stays behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(t.path), fs::directory_iterator()), 1);
}

TEST(WindowsGrowingFile, AFolderThatIsNotThereFailsAndLeavesNothing) {
    TempFolder t;
    GrowingFile f;
    EXPECT_FALSE(f.start((t.path / "no-such-folder" / "game.demo").string(), "header\n"));
    EXPECT_FALSE(f.isOpen());
    EXPECT_FALSE(f.append("1 key\n"));
}

TEST(WindowsLoopClock, SleepsNeverEndEarlyOnAnyThread) {
    const auto check = [] {
        for (const int us : {0, 300, 1500, 4000}) {
            const std::int64_t due = monotonicMicros() + us;
            sleepUntilMonotonicMicros(due);
            EXPECT_GE(monotonicMicros(), due) << us;
        }
    };
    std::thread other(check); // the sound device sleeps on its own thread beside the loop
    check();
    other.join();
    MonoClock clock;
    const Millis start = clock.now();
    clock.tickDelay(3);
    EXPECT_GT(clock.now(), start + 3);
}

TEST(WindowsSignalWatch, CtrlCReachesTheWatchOnceAndNotAfterIt) {
    // Windows sends Ctrl+C to every process of the console; without one there is nothing to
    // send it through. The run that is given a terminal (windows.console_ctrl_c) needs one.
    if (!GetConsoleWindow() && !AttachConsole(ATTACH_PARENT_PROCESS) && !AllocConsole()) {
        if (std::getenv("KELVAR_NEED_CONSOLE")) FAIL() << "no console";
        GTEST_SKIP() << "no console";
    }
    std::atomic<int> calls{0};
    {
        SignalWatch watch([&] { ++calls; });
        EXPECT_FALSE(watch.signalled());
        ASSERT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (calls.load() == 0 && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_EQ(calls.load(), 1);
        EXPECT_TRUE(watch.signalled());
    }
    // After the watch the program's own handler is gone; ignore the next one so the test lives.
    SetConsoleCtrlHandler(nullptr, TRUE);
    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    SetConsoleCtrlHandler(nullptr, FALSE);
    EXPECT_EQ(calls.load(), 1);
}

} // namespace
} // namespace kelvar
