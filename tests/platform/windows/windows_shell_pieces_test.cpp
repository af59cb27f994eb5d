// The Windows side of the window program's pieces: the font lookup's order and the console's
// quit requests.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <thread>

#include "platform/signal_watch.hpp"
#include "platform/windows/windows_font_lookup.hpp"

namespace kelvar {
namespace {

namespace fs = std::filesystem;

struct TempFolder {
    fs::path path =
        fs::temp_directory_path() /
        ("kelvar-shell-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++));
    TempFolder() { fs::create_directories(path); }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    // A folder in it, with these (font) files in it.
    std::string sub(const std::string& name, std::initializer_list<const char*> files = {}) const {
        fs::create_directories(path / name);
        for (const char* file : files) std::ofstream(path / name / file) << "font";
        return (path / name).string();
    }
    static inline int counter = 0;
};

TEST(WindowsFontLookup, TheSystemFolderFirstThenTheShippedFontsThenAnyKnownFace) {
    TempFolder t;
    const std::string system = t.sub("system"),
                      shipped =
                          t.sub("shipped", {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf",
                                            "LiberationMono-Regular.ttf"});
    const auto find = [&](bool mono, bool bold) {
        return findFontFileIn({system, shipped}, mono, bold);
    };
    // Nothing in the system's folder: the shipped faces, of the asked weight; a regular
    // monospaced face stands in for a bold one (it is made bold when drawn).
    EXPECT_EQ(find(false, false), shipped + "\\LiberationSans-Regular.ttf");
    EXPECT_EQ(find(false, true), shipped + "\\LiberationSans-Bold.ttf");
    EXPECT_EQ(find(true, true), shipped + "\\LiberationMono-Regular.ttf");
    // The system's Arial before the shipped twin, its regular before a shipped bold.
    t.sub("system", {"arial.ttf"});
    EXPECT_EQ(find(false, false), system + "\\arial.ttf");
    EXPECT_EQ(find(false, true), system + "\\arial.ttf");
    t.sub("system", {"arialbd.ttf"});
    EXPECT_EQ(find(false, true), system + "\\arialbd.ttf");
    // A monospaced face still comes from the shipped fonts when the system has none.
    EXPECT_EQ(find(true, false), shipped + "\\LiberationMono-Regular.ttf");
    t.sub("system", {"consola.ttf"});
    EXPECT_EQ(find(true, false), system + "\\consola.ttf");
    // Any known face when none of the kind is there, and nothing when none at all.
    const std::string empty = t.sub("empty"), only = t.sub("only", {"unknown-face.ttf"});
    EXPECT_EQ(findFontFileIn({empty, "", only, (t.path / "missing").string()}, true, false), "");
    t.sub("only", {"tahoma.ttf"});
    EXPECT_EQ(findFontFileIn({empty, only}, true, true), only + "\\tahoma.ttf");
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
