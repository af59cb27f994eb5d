#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/posix/posix_options_file.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& p) {
    return (std::ostringstream() << std::ifstream(p, std::ios::binary).rdbuf()).str();
}

// Names, modes and (small) contents of everything in a folder.
std::string snapshot(const fs::path& folder) {
    std::string out;
    for (const auto& e : fs::directory_iterator(folder)) {
        struct stat st {};
        lstat(e.path().c_str(), &st);
        out += e.path().filename().string() + " " + std::to_string(st.st_mode) + " " +
               (S_ISREG(st.st_mode) && st.st_size < 65536 ? readAll(e.path()) : "") + "\n";
    }
    return out;
}

// A fresh folder for the game ("here") and one beside it ("outside") that it must never touch.
struct Folders {
    std::string t = (fs::temp_directory_path() / "kelvar-options-XXXXXX").string();
    fs::path root = mkdtemp(t.data()), here = root / "here", outside = root / "outside",
             file = here / kOptionsFileName;
    Folders() {
        fs::create_directories(outside), fs::create_directory(here);
        std::ofstream(outside / "other.cfg") << "1\r\n 1\r\n";
        fs::permissions(outside / "other.cfg", fs::perms(0444));
    }
    ~Folders() { fs::remove_all(root); }
};

// The game on the virtual services with the real options file, read as the program starts.
struct GameWith : testing::TestGame {
    explicit GameWith(OptionsFile& files) : TestGame(files), files(files) { LoadConfig(game); }
    // What "BEGIN" does with the file before it reads it back.
    bool begin() {
        const std::string path = joinPath(game.st.WorkingDir, kOptionsFileName);
        files.clearAttributes(path);
        const bool ok = files.replace(path, optionsFileBytes("2", 1));
        LoadConfig(game);
        return ok;
    }
    OptionsFile& files;
};

enum class Kind { None, File, Folder, Pipe, Link, DiskFull };

const struct FileCase {
    const char* name;
    Kind kind;
    std::string bytes; // a file's contents; a link's target in the outside folder
    int tdel = 35;     // after reading at program start
    int centerOrNot = 0;
    mode_t mode = 0644;   // a file's permissions
    off_t sparseSize = 0; // a file extended to this size with a hole
} kFileCases[] = {
    {"missing", Kind::None, ""},
    {"regular", Kind::File, "1\r\n 1\r\n", 40, 1},
    {"read_only", Kind::File, "0\r\n 0\r\n", 30, 0, 0444},
    {"no_permissions", Kind::File, "2\r\n 1\r\n", 45, 1, 0}, // cleared before it is read
    {"a_folder", Kind::Folder, ""},
    {"a_pipe", Kind::Pipe, ""},
    {"huge_sparse", Kind::File, "2", 35, 0, 0644, 300'000'000}, // no line end in what is read
    {"link_outside", Kind::Link, "other.cfg", 40, 1},
    {"dangling_link", Kind::Link, "none.cfg"},
    {"disk_full", Kind::DiskFull, "0\r\n 1\r\n", 30, 1}, // the write fails part-way
};

class OptionsFileCases : public ::testing::TestWithParam<FileCase> {};

// Whatever is there, it reads what it can and replaces it only with a whole new file of its
// own; what it cannot replace stays as it was, and nothing outside its folder ever changes.
TEST_P(OptionsFileCases, ReadsAndReplacesWithoutTouchingAnythingElse) {
    const FileCase& c = GetParam();
    Folders f;
    if (c.kind == Kind::Folder) fs::create_directory(f.file);
    if (c.kind == Kind::Pipe) mkfifo(f.file.c_str(), 0644);
    if (c.kind == Kind::Link) fs::create_symlink(f.outside / c.bytes, f.file);
    if (c.kind == Kind::File || c.kind == Kind::DiskFull) {
        std::ofstream(f.file, std::ios::binary) << c.bytes;
        if (c.sparseSize) {
            ASSERT_EQ(truncate(f.file.c_str(), c.sparseSize), 0);
        }
        chmod(f.file.c_str(), c.mode);
    }
    const std::string outsideBefore = snapshot(f.outside);
    PosixOptionsFile files({f.here.string(), ""});
    GameWith g(files);
    EXPECT_EQ(std::tie(g.game.st.TDel, g.shell.centerOrNot), std::tie(c.tdel, c.centerOrNot));
    if (c.kind == Kind::File) { // start-up never reads a whole file
        std::ostringstream got;
        got << files.openForReading(f.file.string())->rdbuf();
        EXPECT_LE(got.str().size(), PosixOptionsFile::kReadLimit);
    }

    const std::string hereBefore = snapshot(f.here);
    // A file size limit makes the write fail part-way, even for root.
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    const rlimit small{3, unlimited.rlim_max};
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (c.kind == Kind::DiskFull) setrlimit(RLIMIT_FSIZE, &small);
    const bool written = g.begin();
    setrlimit(RLIMIT_FSIZE, &unlimited);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(snapshot(f.outside), outsideBefore);
    EXPECT_EQ(std::distance(fs::directory_iterator(f.here), {}), 1); // no temporary left
    if (c.kind == Kind::Folder || c.kind == Kind::DiskFull) {
        EXPECT_FALSE(written);
        EXPECT_EQ(snapshot(f.here), hereBefore); // the old file is kept, and its speed
        EXPECT_EQ(g.game.st.TDel, c.tdel);
    } else {
        EXPECT_TRUE(written);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(f.file)));
        EXPECT_EQ(readAll(f.file), "2\r\n 1\r\n");
        EXPECT_EQ(std::tie(g.game.st.TDel, g.shell.centerOrNot), std::make_tuple(45, 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, OptionsFileCases, ::testing::ValuesIn(kFileCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The configuration folder is made (mode 0700) only when writing; when it cannot be made the
// fallback is used; a folder that cannot be one reads defaults and writes nothing.
TEST(PosixOptionsFile, TheFolderIsMadeOnlyWhenWritingOrFallenBackFrom) {
    const std::tuple<const char*, const char*, bool, const char*> cases[] = {
        // a plain file in the way, the folder, whether "here" is the fallback, where it is written
        {nullptr, "config/deeper/kelvar-raid", true, "config/deeper/kelvar-raid"},
        {"config", "config/kelvar-raid", true, "here"},
        {"here/plain", "here/plain", false, nullptr},
    };
    for (const auto& [blocker, folder, fallback, writtenTo] : cases) {
        Folders f;
        if (blocker) std::ofstream(f.root / blocker) << "not a folder";
        PosixOptionsFile files({(f.root / folder).string(), fallback ? f.here.string() : ""});
        GameWith g(files);
        EXPECT_FALSE(fs::exists(f.root / "config") && !blocker) << folder;
        EXPECT_EQ(g.begin(), writtenTo != nullptr) << folder;
        EXPECT_TRUE(!blocker || readAll(f.root / blocker) == "not a folder") << blocker;
        EXPECT_EQ(g.game.st.TDel, writtenTo ? 45 : 35) << folder;
        if (!writtenTo) continue;
        EXPECT_EQ(g.game.st.WorkingDir, (f.root / writtenTo).string());
        EXPECT_EQ(readAll(f.root / writtenTo / kOptionsFileName), "2\r\n 1\r\n");
        for (fs::path made = writtenTo; !blocker && !made.empty(); made = made.parent_path())
            EXPECT_EQ(fs::status(f.root / made).permissions(), fs::perms::owner_all) << made;
    }
}

TEST(OptionsFolderChoice, FollowsTheDesktopRulesUnlessTheCurrentFolderHoldsTheFile) {
    // Whether the current folder holds the file, XDG_CONFIG_HOME, HOME, the folder, the fallback.
    for (const auto& [holds, xdg, home, folder, fallback] :
         {std::tuple<bool, const char*, const char*, const char*, const char*>{
              true, "/x/config", "/home/p", "/work", ""},
          {false, "/x/config/", "/home/p", "/x/config/kelvar-raid", "/work"},
          {false, "relative/config", "/home/p", "/home/p/.config/kelvar-raid", "/work"},
          {false, "relative", nullptr, "/work", ""}}) {
        const OptionsFolder got = chooseOptionsFolder("/work", holds, xdg, home);
        EXPECT_EQ(std::tie(got.folder, got.fallback), std::make_tuple(folder, fallback)) << xdg;
    }
}

// The edges of the choice: XDG_CONFIG_HOME only when it is an absolute path, HOME's .config
// otherwise, the current folder when neither can be had; a folder ending in a slash gets no
// second one.
TEST(OptionsFolderChoice, TakesOnlyAbsoluteFoldersFromTheEnvironment) {
    for (const auto& [xdg, home, folder, fallback] :
         {std::tuple<const char*, const char*, const char*, const char*>{"/x", nullptr,
                                                                         "/x/kelvar-raid", "/work"},
          {nullptr, "/home/p/", "/home/p/.config/kelvar-raid", "/work"},
          {"", "/home/p", "/home/p/.config/kelvar-raid", "/work"},
          {nullptr, nullptr, "/work", ""},
          {"", "", "/work", ""},
          {"x", "home/p", "/work", ""},
          {"/", "/home/p", "/kelvar-raid", "/work"}}) {
        const OptionsFolder got = chooseOptionsFolder("/work", false, xdg, home);
        EXPECT_EQ(std::tie(got.folder, got.fallback), std::make_tuple(folder, fallback))
            << (xdg ? xdg : "(unset)") << " " << (home ? home : "(unset)");
    }
}

// The running program's choice, from its real current folder and environment: an OPTION.CFG in
// the current folder (even a link to nowhere) keeps the options there; otherwise the desktop's
// configuration folder, with the current one to fall back on.
TEST(OptionsFolderChoice, TheProgramLooksInItsCurrentFolderThenItsEnvironment) {
    struct Restore {
        fs::path cwd = fs::current_path();
        std::optional<std::string> xdg = get("XDG_CONFIG_HOME"), home = get("HOME");
        static std::optional<std::string> get(const char* name) {
            const char* v = std::getenv(name);
            return v ? std::optional<std::string>(v) : std::nullopt;
        }
        static void put(const char* name, const std::optional<std::string>& v) {
            v ? setenv(name, v->c_str(), 1) : unsetenv(name);
        }
        ~Restore() {
            fs::current_path(cwd);
            put("XDG_CONFIG_HOME", xdg);
            put("HOME", home);
        }
    } restore;
    Folders f;
    const std::string here = f.here.string(), root = f.root.string();
    const passwd* pw = getpwuid(getuid());
    const std::string account = pw && pw->pw_dir ? pw->pw_dir : "";
    enum class InHere { Nothing, File, DanglingLink };
    struct Case {
        InHere inHere;
        std::optional<std::string> xdg, home;
        std::string folder, fallback;
    };
    const Case cases[] = {
        {InHere::Nothing, root + "/xdg", root + "/home", root + "/xdg/kelvar-raid", here},
        {InHere::Nothing, {}, root + "/home", root + "/home/.config/kelvar-raid", here},
        {InHere::Nothing, "rel", root + "/home", root + "/home/.config/kelvar-raid", here},
        {InHere::File, root + "/xdg", root + "/home", here, ""},
        {InHere::DanglingLink, root + "/xdg", root + "/home", here, ""},
        {InHere::Nothing, {}, "", account + "/.config/kelvar-raid", here},
    };
    fs::current_path(f.here);
    for (const auto& c : cases) {
        fs::remove(f.file);
        if (c.inHere == InHere::File) std::ofstream(f.file) << "1\r\n 0\r\n";
        if (c.inHere == InHere::DanglingLink) fs::create_symlink(f.root / "nowhere", f.file);
        Restore::put("XDG_CONFIG_HOME", c.xdg);
        Restore::put("HOME", c.home);
        if (c.home && c.home->empty() && account.empty()) continue; // no account to fall back on
        const OptionsFolder got = optionsFolderOfThisProcess(kOptionsFileName);
        EXPECT_EQ(std::tie(got.folder, got.fallback), std::tie(c.folder, c.fallback))
            << c.xdg.value_or("(unset)") << " " << c.home.value_or("(unset)");
    }
    fs::remove(f.file);
}

} // namespace
} // namespace kelvar
