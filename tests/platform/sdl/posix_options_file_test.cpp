#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "platform/sdl/posix_options_file.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

// Names, kinds, modes and contents of everything in a folder.
std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::directory_iterator(folder)) {
        struct stat st {};
        lstat(e.path().c_str(), &st);
        std::string what = std::to_string(st.st_mode);
        if (S_ISREG(st.st_mode))
            what += ":" + (st.st_size > 65536 ? std::to_string(st.st_size) : readAll(e.path()));
        out[e.path().filename()] = what;
    }
    return out;
}

std::set<std::string> names(const fs::path& folder) {
    std::set<std::string> out;
    for (const auto& e : fs::directory_iterator(folder)) out.insert(e.path().filename());
    return out;
}

// A fresh folder for the game ("here") and one beside it that it must never touch.
struct Folders {
    Folders() {
        std::string t = (fs::temp_directory_path() / "kelvar-options-XXXXXX").string();
        root = mkdtemp(t.data());
        fs::create_directory(here());
        fs::create_directory(outside());
        writeFile(outside() / "other.cfg", "1\r\n 1\r\n");
        chmod((outside() / "other.cfg").c_str(), 0444);
    }
    ~Folders() { fs::remove_all(root); }
    fs::path here() const { return root / "here"; }
    fs::path outside() const { return root / "outside"; }
    fs::path file() const { return here() / kOptionsFileName; }
    fs::path root;
};

// The game on the virtual services, but with the real options file.
struct GameWith {
    explicit GameWith(OptionsFile& files)
        : services{t.watchedClock, t.events, t.pointer, t.keyRepeat, t.joystick, t.sound, files},
          game{services, t.shell} {}
    testing::TestGame t;
    Services services;
    Game game;

    // What "BEGIN" does with the file before it reads it back.
    bool begin(OptionsFile& files, const std::string& code, int center) {
        const std::string path = joinPath(game.st.WorkingDir, kOptionsFileName);
        files.clearAttributes(path);
        const bool ok = files.replace(path, optionsFileBytes(code, center));
        LoadConfig(game);
        return ok;
    }
};

enum class Kind { None, File, Folder, Pipe, Link };

struct FileCase {
    const char* name;
    Kind kind;
    std::string bytes;    // a file's contents; a link's target in the outside folder
    mode_t mode = 0644;   // a file's permissions
    off_t sparseSize = 0; // a file extended to this size with a hole
    int tdel = 35;        // after reading at program start
    int centerOrNot = 0;
    bool writable = true; // whether BEGIN can replace it
};

void make(const Folders& f, const FileCase& c) {
    const fs::path p = f.file();
    if (c.kind == Kind::Folder) fs::create_directory(p);
    if (c.kind == Kind::Pipe) mkfifo(p.c_str(), 0644);
    if (c.kind == Kind::Link) fs::create_symlink(f.outside() / c.bytes, p);
    if (c.kind != Kind::File) return;
    writeFile(p, c.bytes);
    if (c.sparseSize) truncate(p.c_str(), c.sparseSize);
    chmod(p.c_str(), c.mode);
}

const FileCase kFileCases[] = {
    {"missing", Kind::None, ""},
    {"regular", Kind::File, "1\r\n 1\r\n", 0644, 0, 40, 1},
    {"read_only", Kind::File, "0\r\n 0\r\n", 0444, 0, 30},
    // Its attributes are cleared before it is read.
    {"no_permissions", Kind::File, "2\r\n 1\r\n", 0, 0, 45, 1},
    {"a_folder", Kind::Folder, "", 0, 0, 35, 0, false},
    {"a_pipe", Kind::Pipe, ""},
    {"binary", Kind::File, std::string("\0\xff\r\n\x01 1", 7)},
    {"huge_sparse", Kind::File, "2", 0644, 300'000'000}, // no line end in 300 MB: no code
    {"no_line_end", Kind::File, "2", 0644, 0, 45},
    {"cr_only", Kind::File, "2\r 1\r", 0644, 0, 45, 1},
    {"link_outside", Kind::Link, "other.cfg", 0, 0, 40, 1},
    {"dangling_link", Kind::Link, "none.cfg"},
};

void PrintTo(const FileCase& c, std::ostream* os) {
    *os << c.name;
}

class OptionsFileCases : public ::testing::TestWithParam<FileCase> {};

TEST_P(OptionsFileCases, ReadsAndReplacesWithoutTouchingAnythingElse) {
    const FileCase& c = GetParam();
    Folders f;
    make(f, c);
    const auto outsideBefore = snapshot(f.outside());
    PosixOptionsFile files({f.here().string(), ""});
    GameWith g(files);

    LoadConfig(g.game);
    EXPECT_EQ(g.game.st.WorkingDir, f.here().string());
    EXPECT_EQ(g.game.st.TDel, c.tdel);
    EXPECT_EQ(g.t.shell.centerOrNot, c.centerOrNot);
    EXPECT_EQ(snapshot(f.outside()), outsideBefore);

    const auto hereBefore = snapshot(f.here());
    EXPECT_EQ(g.begin(files, "2", 1), c.writable);
    EXPECT_EQ(snapshot(f.outside()), outsideBefore);
    EXPECT_EQ(names(f.here()), std::set<std::string>{kOptionsFileName}); // no temporary left
    if (c.writable) {
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(f.file())));
        EXPECT_EQ(readAll(f.file()), "2\r\n 1\r\n");
        EXPECT_EQ(g.game.st.TDel, 45);
        EXPECT_EQ(g.t.shell.centerOrNot, 1);
    } else {
        EXPECT_EQ(snapshot(f.here()), hereBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, OptionsFileCases, ::testing::ValuesIn(kFileCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PosixOptionsFile, ReadsOnlyABoundedPrefix) {
    Folders f;
    writeFile(f.file(), "U");
    truncate(f.file().c_str(), 300'000'000);
    PosixOptionsFile files({f.here().string(), ""});
    auto in = files.openForReading(f.file().string());
    ASSERT_TRUE(in);
    std::ostringstream got;
    got << in->rdbuf();
    EXPECT_EQ(got.str().size(), PosixOptionsFile::kReadLimit);
    EXPECT_EQ(got.str().front(), 'U');
}

TEST(PosixOptionsFile, AFolderThatIsAFileReadsDefaultsAndWritesNothing) {
    Folders f;
    const fs::path notAFolder = f.here() / "plain";
    writeFile(notAFolder, "2\r\n 1\r\n");
    PosixOptionsFile files({notAFolder.string(), ""});
    GameWith g(files);
    LoadConfig(g.game);
    EXPECT_EQ(g.game.st.TDel, 35);
    EXPECT_FALSE(g.begin(files, "1", 0));
    EXPECT_EQ(g.game.st.TDel, 35);
    EXPECT_EQ(names(f.here()), std::set<std::string>{"plain"});
    EXPECT_EQ(readAll(notAFolder), "2\r\n 1\r\n");
}

TEST(PosixOptionsFile, AFailedWriteKeepsTheOldFile) {
    Folders f;
    writeFile(f.file(), "0\r\n 1\r\n");
    PosixOptionsFile files({f.here().string(), ""});
    GameWith g(files);
    LoadConfig(g.game);
    // A file size limit makes the write fail part-way, even for root.
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 3;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = g.begin(files, "2", 0);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(ok);
    EXPECT_EQ(readAll(f.file()), "0\r\n 1\r\n");
    EXPECT_EQ(names(f.here()), std::set<std::string>{kOptionsFileName});
    EXPECT_EQ(g.game.st.TDel, 30);
}

TEST(PosixOptionsFile, MakesTheConfigurationFolderOnlyWhenWriting) {
    Folders f;
    const fs::path config = f.root / "config" / "deeper" / "kelvar-raid";
    PosixOptionsFile files({config.string(), f.here().string()});
    GameWith g(files);
    LoadConfig(g.game);
    EXPECT_EQ(g.game.st.WorkingDir, config.string());
    EXPECT_EQ(g.game.st.TDel, 35);
    EXPECT_FALSE(fs::exists(f.root / "config"));

    EXPECT_TRUE(g.begin(files, "2", 1));
    EXPECT_EQ(readAll(config / kOptionsFileName), "2\r\n 1\r\n");
    for (const fs::path& made : {f.root / "config", f.root / "config" / "deeper", config})
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;
    EXPECT_EQ(g.game.st.TDel, 45);
    EXPECT_TRUE(names(f.here()).empty());
}

TEST(PosixOptionsFile, FallsBackToTheCurrentFolderWhenTheConfigurationFolderCannotBeMade) {
    Folders f;
    writeFile(f.root / "config", "a file, not a folder");
    PosixOptionsFile files({(f.root / "config" / "kelvar-raid").string(), f.here().string()});
    GameWith g(files);
    LoadConfig(g.game);
    EXPECT_TRUE(g.begin(files, "1", 1));
    EXPECT_EQ(g.game.st.WorkingDir, f.here().string());
    EXPECT_EQ(readAll(f.file()), "1\r\n 1\r\n");
    EXPECT_EQ(g.game.st.TDel, 40);
    EXPECT_EQ(readAll(f.root / "config"), "a file, not a folder");
}

TEST(OptionsFolderChoice, FollowsTheDesktopRulesUnlessTheCurrentFolderHoldsTheFile) {
    const struct {
        bool holds;
        const char* xdg;
        const char* home;
        OptionsFolder want;
    } cases[] = {
        {true, "/x/config", "/home/p", {"/work", ""}},
        {false, "/x/config", "/home/p", {"/x/config/kelvar-raid", "/work"}},
        {false, "/x/config/", "/home/p", {"/x/config/kelvar-raid", "/work"}},
        {false, nullptr, "/home/p", {"/home/p/.config/kelvar-raid", "/work"}},
        {false, "", "/home/p", {"/home/p/.config/kelvar-raid", "/work"}},
        {false, "relative/config", "/home/p", {"/home/p/.config/kelvar-raid", "/work"}},
        {false, nullptr, nullptr, {"/work", ""}},
        {false, "relative", "also-relative", {"/work", ""}},
    };
    for (const auto& c : cases) {
        const OptionsFolder got = chooseOptionsFolder("/work", c.holds, c.xdg, c.home);
        EXPECT_EQ(got.folder, c.want.folder) << (c.xdg ? c.xdg : "(unset)");
        EXPECT_EQ(got.fallback, c.want.fallback) << (c.xdg ? c.xdg : "(unset)");
    }
}

TEST(OptionsFolderChoice, LooksAtThisProcessesFolderAndEnvironment) {
    Folders f;
    const fs::path before = fs::current_path();
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "";
    fs::current_path(f.here());
    setenv("XDG_CONFIG_HOME", (f.root / "config").c_str(), 1);
    const OptionsFolder desktop = optionsFolderOfThisProcess(kOptionsFileName);
    fs::create_symlink(f.outside() / "none.cfg", f.file()); // any entry by that name counts
    const OptionsFolder terminal = optionsFolderOfThisProcess(kOptionsFileName);
    fs::current_path(before);
    if (oldXdg)
        setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");

    EXPECT_EQ(desktop.folder, (f.root / "config" / "kelvar-raid").string());
    EXPECT_EQ(fs::path(desktop.fallback), fs::canonical(f.here()));
    EXPECT_EQ(fs::path(terminal.folder), fs::canonical(f.here()));
}

} // namespace
} // namespace kelvar
