#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/windows/windows_options_file.hpp"
#include "platform/windows/windows_paths.hpp"
#include "support/test_game.hpp"

namespace kelvar {
namespace {

namespace fs = std::filesystem;

std::string utf8(const fs::path& p) {
    const std::u8string s = p.u8string();
    return {s.begin(), s.end()};
}

std::string readAll(const fs::path& p) {
    return (std::ostringstream() << std::ifstream(p, std::ios::binary).rdbuf()).str();
}

DWORD attributes(const fs::path& p) {
    return GetFileAttributesW(p.wstring().c_str());
}

// Names, attributes and (small) contents of everything in a folder.
std::string snapshot(const fs::path& folder) {
    std::string out;
    for (const auto& e : fs::directory_iterator(folder)) {
        const bool plain = (attributes(e.path()) & FILE_ATTRIBUTE_REPARSE_POINT) == 0 &&
                           fs::is_regular_file(e.path());
        out += utf8(e.path().filename()) + " " + std::to_string(attributes(e.path())) + " " +
               (plain ? readAll(e.path()) : "") + "\n";
    }
    return out;
}

// A fresh folder for the game ("here") and one beside it ("outside") that it must never touch,
// under a name that only UTF-16 paths can reach.
struct Folders {
    fs::path root =
        fs::temp_directory_path() / (u8"kelvar-options-J\u00fcrgen-\u041e\u043b\u044f-" +
                                     std::u8string(reinterpret_cast<const char8_t*>(
                                         std::to_string(GetCurrentProcessId()).c_str())));
    fs::path here = root / "here", outside = root / "outside", file = here / kOptionsFileName;
    Folders() {
        fs::remove_all(root);
        fs::create_directories(outside), fs::create_directory(here);
        std::ofstream(outside / "other.cfg", std::ios::binary) << "1\r\n 1\r\n";
        SetFileAttributesW((outside / "other.cfg").wstring().c_str(), FILE_ATTRIBUTE_READONLY);
    }
    ~Folders() {
        SetFileAttributesW((outside / "other.cfg").wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
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

enum class Kind { None, File, Folder, Link };

const struct FileCase {
    const char* name;
    Kind kind;
    std::string bytes; // a file's contents; a link's target in the outside folder
    int tdel = 35;     // after reading at program start
    int centerOrNot = 0;
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    std::size_t size = 0; // a file padded with spaces to this size
} kFileCases[] = {
    {"missing", Kind::None, ""},
    {"regular", Kind::File, "1\r\n 1\r\n", 40, 1},
    {"read_only", Kind::File, "0\r\n 0\r\n", 30, 0, FILE_ATTRIBUTE_READONLY},
    {"hidden_system", Kind::File, "2\r\n 1\r\n", 45, 1,
     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
    {"a_folder", Kind::Folder, ""},
    {"large", Kind::File, "2", 35, 0, FILE_ATTRIBUTE_NORMAL, 100'000}, // no line end is read
    {"link_outside", Kind::Link, "other.cfg", 40, 1},
    {"dangling_link", Kind::Link, "none.cfg"},
};

class WindowsOptionsFileCases : public ::testing::TestWithParam<FileCase> {};

// Whatever is there, it reads what it can and replaces it only with a whole new file of its
// own; what it cannot replace stays as it was, and nothing outside its folder ever changes.
TEST_P(WindowsOptionsFileCases, ReadsAndReplacesWithoutTouchingAnythingElse) {
    const FileCase& c = GetParam();
    Folders f;
    if (c.kind == Kind::Folder) fs::create_directory(f.file);
    // Wine 8 makes links it cannot follow, or says it made one and makes nothing.
    if (c.kind == Kind::Link &&
        (!CreateSymbolicLinkW(f.file.wstring().c_str(), (f.outside / c.bytes).wstring().c_str(),
                              SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) ||
         (attributes(f.file) & FILE_ATTRIBUTE_REPARSE_POINT) == 0 ||
         (fs::exists(f.outside / c.bytes) && readAll(f.file) != readAll(f.outside / c.bytes))))
        GTEST_SKIP() << "this system makes no symbolic links that it follows";
    if (c.kind == Kind::File) {
        std::ofstream(f.file, std::ios::binary)
            << c.bytes << std::string(c.size > c.bytes.size() ? c.size - c.bytes.size() : 0, ' ');
        SetFileAttributesW(f.file.wstring().c_str(), c.attributes);
    }
    const std::string outsideBefore = snapshot(f.outside);
    WindowsOptionsFile files({utf8(f.here), ""});
    GameWith g(files);
    EXPECT_EQ(std::tie(g.game.st.TDel, g.shell.centerOrNot), std::tie(c.tdel, c.centerOrNot));
    if (c.kind == Kind::File) { // start-up never reads a whole file
        std::ostringstream got;
        got << files.openForReading(utf8(f.file))->rdbuf();
        EXPECT_EQ(got.str().size(),
                  std::min(WindowsOptionsFile::kReadLimit, std::max(c.size, c.bytes.size())));
    }

    const std::string hereBefore = snapshot(f.here);
    const bool written = g.begin();

    EXPECT_EQ(snapshot(f.outside), outsideBefore);
    EXPECT_EQ(std::distance(fs::directory_iterator(f.here), {}), 1); // no temporary left
    if (c.kind == Kind::Folder) {
        EXPECT_FALSE(written);
        EXPECT_EQ(snapshot(f.here), hereBefore);
        EXPECT_EQ(g.game.st.TDel, c.tdel);
    } else {
        EXPECT_TRUE(written);
        EXPECT_EQ(attributes(f.file) & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY),
                  0u);
        EXPECT_EQ(readAll(f.file), "2\r\n 1\r\n");
        EXPECT_EQ(attributes(f.file) & FILE_ATTRIBUTE_READONLY, 0u);
        EXPECT_EQ(std::tie(g.game.st.TDel, g.shell.centerOrNot), std::make_tuple(45, 1));
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, WindowsOptionsFileCases, ::testing::ValuesIn(kFileCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The folder is made only when writing; when it cannot be made the fallback is used; a folder
// that cannot be one reads defaults and writes nothing.
TEST(WindowsOptionsFile, TheFolderIsMadeOnlyWhenWritingOrFallenBackFrom) {
    const std::tuple<const char*, const char*, bool, const char*> cases[] = {
        // a plain file in the way, the folder, whether "here" is the fallback, where it is written
        {nullptr, "AppData/deeper/kelvar-raid", true, "AppData/deeper/kelvar-raid"},
        {"AppData", "AppData/kelvar-raid", true, "here"},
        {"here/plain", "here/plain", false, nullptr},
    };
    for (const auto& [blocker, folder, fallback, writtenTo] : cases) {
        Folders f;
        if (blocker) std::ofstream(f.root / blocker) << "not a folder";
        WindowsOptionsFile files(
            {utf8((f.root / folder).make_preferred()), fallback ? utf8(f.here) : ""});
        GameWith g(files);
        EXPECT_FALSE(fs::exists(f.root / "AppData") && !blocker) << folder;
        EXPECT_EQ(g.begin(), writtenTo != nullptr) << folder;
        EXPECT_TRUE(!blocker || readAll(f.root / blocker) == "not a folder") << blocker;
        EXPECT_EQ(g.game.st.TDel, writtenTo ? 45 : 35) << folder;
        if (!writtenTo) continue;
        EXPECT_EQ(g.game.st.WorkingDir, utf8((f.root / writtenTo).make_preferred()));
        EXPECT_EQ(readAll(f.root / writtenTo / kOptionsFileName), "2\r\n 1\r\n");
    }
}

TEST(WindowsOptionsFolder, BesideTheProgramWhenWritableElseInTheRoamingAppData) {
    // The program's folder, whether it is writable, the application data, the folder.
    for (const auto& [program, writable, appData, folder] :
         {std::tuple<const char*, bool, const char*, const char*>{
              "C:\\Games\\Kelvar", true, "C:\\Users\\J\u00fcrgen\\AppData\\Roaming",
              "C:\\Games\\Kelvar"},
          {"C:\\Program Files\\Kelvar", false, "C:\\Users\\J\u00fcrgen\\AppData\\Roaming\\",
           "C:\\Users\\J\u00fcrgen\\AppData\\Roaming\\kelvar-raid"},
          {"", true, "D:\\Roaming", "D:\\Roaming\\kelvar-raid"},
          {"C:\\Program Files\\Kelvar", false, "", "C:\\Program Files\\Kelvar"}}) {
        const OptionsFolder got = chooseWindowsOptionsFolder(program, writable, appData);
        EXPECT_EQ(std::tie(got.folder, got.fallback), std::make_tuple(folder, "")) << program;
    }
    // This test program's own folder is writable, so its options would be kept there.
    EXPECT_TRUE(fs::equivalent(fs::u8path(programFolder()), fs::path(KELVAR_TEST_PROGRAM_DIR)));
    EXPECT_EQ(optionsFolderOfThisProcess().folder, programFolder());
    EXPECT_FALSE(roamingAppDataFolder().empty());
}

// The write test leaves nothing behind, and a folder that is not there is not writable.
TEST(WindowsPaths, WritableFoldersAndUtf16RoundTrips) {
    Folders f;
    EXPECT_TRUE(folderIsWritable(utf8(f.here)));
    EXPECT_EQ(std::distance(fs::directory_iterator(f.here), {}), 0);
    EXPECT_FALSE(folderIsWritable(utf8(f.here / "missing")));
    for (const std::string s : {"", "plain", "J\u00fcrgen \u041e\u043b\u044f \U0001F680"})
        EXPECT_EQ(narrow(widen(s)), s);
    EXPECT_EQ(widen("\u00fc\U0001F680"), std::wstring(L"\u00fc\U0001F680"));
}

} // namespace
} // namespace kelvar
