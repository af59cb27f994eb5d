// The options file on this system's disk, POSIX or Windows: it reads what it can, replaces it only
// with a whole new file of its own, keeps what it cannot replace and never touches anything else.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/native/native_support.hpp"
#include "support/test_game.hpp"

#ifdef _WIN32
#include <windows.h>

#include "platform/windows/windows_options_file.hpp"
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "platform/posix/posix_options_file.hpp"
#endif

namespace kelvar {
namespace {

namespace fs = std::filesystem;

using testing::readAll, testing::utf8;

// What each system calls a file's protection, and its links.
#ifdef _WIN32
struct Disk {
    using OptionsFile = WindowsOptionsFile;
    static constexpr unsigned kPlain = FILE_ATTRIBUTE_NORMAL, kReadOnly = FILE_ATTRIBUTE_READONLY;
    static unsigned protection(const fs::path& p) {
        return GetFileAttributesW(p.wstring().c_str());
    }
    static void protect(const fs::path& p, unsigned a) {
        SetFileAttributesW(p.wstring().c_str(), a);
    }
    static bool isLink(const fs::path& p) { return protection(p) & FILE_ATTRIBUTE_REPARSE_POINT; }
    static bool writable(const fs::path& p) { return !(protection(p) & kReadOnly); }
    // Wine 8 makes links it cannot follow, or says it made one and makes nothing.
    static bool makeLink(const fs::path& target, const fs::path& link) {
        return CreateSymbolicLinkW(link.wstring().c_str(), target.wstring().c_str(),
                                   SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
               isLink(link) && (!fs::exists(target) || readAll(link) == readAll(target));
    }
};
#else
struct Disk {
    using OptionsFile = PosixOptionsFile;
    static constexpr unsigned kPlain = 0644, kReadOnly = 0444;
    static unsigned protection(const fs::path& p) {
        struct stat st {};
        return lstat(p.c_str(), &st) == 0 ? st.st_mode : 0;
    }
    static void protect(const fs::path& p, unsigned mode) { chmod(p.c_str(), mode); }
    static bool isLink(const fs::path& p) { return fs::is_symlink(p); }
    static bool writable(const fs::path& p) { return protection(p) & S_IWUSR; }
    static bool makeLink(const fs::path& target, const fs::path& link) {
        fs::create_symlink(target, link);
        return true;
    }
};

// A file size limit makes the write fail part-way, even for root.
struct FullDisk {
    rlimit unlimited{};
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    explicit FullDisk(bool full) {
        getrlimit(RLIMIT_FSIZE, &unlimited);
        const rlimit small{3, unlimited.rlim_max};
        if (full) setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, oldHandler);
    }
};
#endif

// Names, protection and (small) contents of everything in a folder.
std::string snapshot(const fs::path& folder) {
    std::string out;
    for (const auto& e : fs::directory_iterator(folder)) {
        const bool plain = !Disk::isLink(e.path()) && fs::is_regular_file(e.path()) &&
                           fs::file_size(e.path()) < 65536;
        out += utf8(e.path().filename()) + " " + std::to_string(Disk::protection(e.path())) + " " +
               (plain ? readAll(e.path()) : "") + "\n";
    }
    return out;
}

// A fresh folder for the game ("here") and one beside it ("outside") that it must never touch,
// under a name that is not plain ASCII (on Windows, only UTF-16 paths reach it).
struct Folders : testing::TempFolder {
    fs::path here = path / "here", outside = path / "outside", file = here / kOptionsFileName;
    Folders() : TempFolder(u8"kelvar-options-J\u00fcrgen-\u041e\u043b\u044f") {
        fs::create_directory(outside), fs::create_directory(here);
        std::ofstream(outside / "other.cfg", std::ios::binary) << "1\r\n 1\r\n";
        Disk::protect(outside / "other.cfg", Disk::kReadOnly);
    }
    ~Folders() { Disk::protect(outside / "other.cfg", Disk::kPlain); }
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

enum class Kind { None, File, Folder, Link, Pipe, DiskFull };

struct FileCase {
    const char* name;
    Kind kind;
    std::string bytes; // a file's contents; a link's target in the outside folder
    int tdel = 35;     // after reading at program start
    int centerOrNot = 0;
    unsigned protection = Disk::kPlain;
    std::uintmax_t size = 0; // a file extended to this size with zeros (a hole where it can be)
};

const FileCase kFileCases[] = {
    {"missing", Kind::None, ""},
    {"regular", Kind::File, "1\r\n 1\r\n", 40, 1},
    {"read_only", Kind::File, "0\r\n 0\r\n", 30, 0, Disk::kReadOnly},
    {"a_folder", Kind::Folder, ""},
    {"huge", Kind::File, "2", 35, 0, Disk::kPlain, 300'000'000}, // no line end in what is read
    {"link_outside", Kind::Link, "other.cfg", 40, 1},
    {"dangling_link", Kind::Link, "none.cfg"},
};

const FileCase kThisSystemsCases[] = {
#ifdef _WIN32
    {"hidden_system", Kind::File, "2\r\n 1\r\n", 45, 1,
     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
#else
    {"no_permissions", Kind::File, "2\r\n 1\r\n", 45, 1, 0}, // cleared before it is read
    {"a_pipe", Kind::Pipe, ""},
    {"disk_full", Kind::DiskFull, "0\r\n 1\r\n", 30, 1}, // the write fails part-way
#endif
};

class OptionsFileCases : public ::testing::TestWithParam<FileCase> {};

TEST_P(OptionsFileCases, ReadsAndReplacesWithoutTouchingAnythingElse) {
    const FileCase& c = GetParam();
    Folders f;
    if (c.kind == Kind::Folder) fs::create_directory(f.file);
#ifndef _WIN32
    if (c.kind == Kind::Pipe) mkfifo(f.file.c_str(), 0644);
#endif
    if (c.kind == Kind::Link && !Disk::makeLink(f.outside / c.bytes, f.file))
        GTEST_SKIP() << "this system makes no symbolic links that it follows";
    if (c.kind == Kind::File || c.kind == Kind::DiskFull) {
        std::ofstream(f.file, std::ios::binary) << c.bytes;
        if (c.size) fs::resize_file(f.file, c.size);
        Disk::protect(f.file, c.protection);
    }
    const std::string outsideBefore = snapshot(f.outside);
    Disk::OptionsFile files({utf8(f.here), ""});
    GameWith g(files);
    EXPECT_EQ(std::tie(g.game.st.TDel, g.shell.centerOrNot), std::tie(c.tdel, c.centerOrNot));
    if (c.kind == Kind::File) { // start-up never reads a whole file
        std::ostringstream got;
        got << files.openForReading(utf8(f.file))->rdbuf();
        EXPECT_EQ(got.str().size(),
                  std::min<std::uintmax_t>(Disk::OptionsFile::kReadLimit, fs::file_size(f.file)));
    }

    const std::string hereBefore = snapshot(f.here);
    bool written = false;
    {
#ifndef _WIN32
        FullDisk full(c.kind == Kind::DiskFull);
#endif
        written = g.begin();
    }

    EXPECT_EQ(snapshot(f.outside), outsideBefore);
    EXPECT_EQ(std::distance(fs::directory_iterator(f.here), {}), 1); // no temporary left
    if (c.kind == Kind::Folder || c.kind == Kind::DiskFull) {
        EXPECT_FALSE(written);
        EXPECT_EQ(snapshot(f.here), hereBefore); // the old file is kept, and its speed
        EXPECT_EQ(g.game.st.TDel, c.tdel);
    } else {
        EXPECT_TRUE(written);
        EXPECT_TRUE(!Disk::isLink(f.file) && fs::is_regular_file(f.file) && Disk::writable(f.file));
        EXPECT_EQ(readAll(f.file), "2\r\n 1\r\n");
        EXPECT_EQ(std::tie(g.game.st.TDel, g.shell.centerOrNot), std::make_tuple(45, 1));
    }
}

const auto caseName = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(Kinds, OptionsFileCases, ::testing::ValuesIn(kFileCases), caseName);
INSTANTIATE_TEST_SUITE_P(ThisSystem, OptionsFileCases, ::testing::ValuesIn(kThisSystemsCases),
                         caseName);

// The folder is made (on POSIX, mode 0700) only when writing; when it cannot be made the
// fallback is used; a folder that cannot be one reads defaults and writes nothing.
TEST(DiskOptionsFile, TheFolderIsMadeOnlyWhenWritingOrFallenBackFrom) {
    const std::tuple<const char*, const char*, bool, const char*> cases[] = {
        // a plain file in the way, the folder, whether "here" is the fallback, where it is written
        {nullptr, "config/deeper/kelvar-raid", true, "config/deeper/kelvar-raid"},
        {"config", "config/kelvar-raid", true, "here"},
        {"here/plain", "here/plain", false, nullptr},
    };
    for (const auto& [blocker, folder, fallback, writtenTo] : cases) {
        Folders f;
        if (blocker) std::ofstream(f.path / blocker) << "not a folder";
        Disk::OptionsFile files(
            {utf8((f.path / folder).make_preferred()), fallback ? utf8(f.here) : ""});
        GameWith g(files);
        EXPECT_FALSE(fs::exists(f.path / "config") && !blocker) << folder;
        EXPECT_EQ(g.begin(), writtenTo != nullptr) << folder;
        EXPECT_TRUE(!blocker || readAll(f.path / blocker) == "not a folder") << blocker;
        EXPECT_EQ(g.game.st.TDel, writtenTo ? 45 : 35) << folder;
        if (!writtenTo) continue;
        EXPECT_EQ(g.game.st.WorkingDir, utf8((f.path / writtenTo).make_preferred()));
        EXPECT_EQ(readAll(f.path / writtenTo / kOptionsFileName), "2\r\n 1\r\n");
#ifndef _WIN32
        for (fs::path made = writtenTo; !blocker && !made.empty(); made = made.parent_path())
            EXPECT_EQ(fs::status(f.path / made).permissions(), fs::perms::owner_all) << made;
#endif
    }
}

} // namespace
} // namespace kelvar
