#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "core/playfield/playfield.hpp"
#include "platform/posix/posix_options_file.hpp"

namespace kelvar {
namespace {

namespace fs = std::filesystem;

// The desktop's rules, unless the current folder holds the file: XDG_CONFIG_HOME only when it is
// an absolute path, HOME's .config otherwise, the current folder when neither can be had; a
// folder ending in a slash gets no second one.
TEST(OptionsFolderChoice, TakesOnlyAbsoluteFoldersFromTheEnvironment) {
    // Whether the current folder holds the file, XDG_CONFIG_HOME, HOME, the folder, the fallback.
    for (const auto& [holds, xdg, home, folder, fallback] :
         {std::tuple<bool, const char*, const char*, const char*, const char*>{
              true, "/x/config", "/home/p", "/work", ""},
          {false, "/x/config/", "/home/p", "/x/config/kelvar-raid", "/work"},
          {false, "/", "/home/p", "/kelvar-raid", "/work"},
          {false, "relative/config", "/home/p", "/home/p/.config/kelvar-raid", "/work"},
          {false, "", "/home/p/", "/home/p/.config/kelvar-raid", "/work"},
          {false, nullptr, nullptr, "/work", ""},
          {false, "", "", "/work", ""},
          {false, "x", "home/p", "/work", ""}}) {
        const OptionsFolder got = chooseOptionsFolder("/work", holds, xdg, home);
        EXPECT_EQ(std::tie(got.folder, got.fallback), std::make_tuple(folder, fallback))
            << (xdg ? xdg : "(unset)") << " " << (home ? home : "(unset)");
    }
}

std::optional<std::string> getEnv(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::optional<std::string>(v) : std::nullopt;
}

void putEnv(const char* name, const std::optional<std::string>& v) {
    v ? setenv(name, v->c_str(), 1) : unsetenv(name);
}

// The running program's choice, from its real current folder and environment: an OPTION.CFG in
// the current folder (even a link to nowhere) keeps the options there; otherwise the desktop's
// configuration folder, with the current one to fall back on; no HOME is the account's.
TEST(OptionsFolderChoice, TheProgramLooksInItsCurrentFolderThenItsEnvironment) {
    struct Restore {
        fs::path cwd = fs::current_path();
        std::optional<std::string> xdg = getEnv("XDG_CONFIG_HOME"), home = getEnv("HOME");
        ~Restore() {
            fs::current_path(cwd);
            putEnv("XDG_CONFIG_HOME", xdg);
            putEnv("HOME", home);
        }
    } restore;
    std::string t = (fs::temp_directory_path() / "kelvar-folder-XXXXXX").string();
    const std::string here = mkdtemp(t.data()), file = here + "/" + kOptionsFileName;
    const passwd* pw = getpwuid(getuid());
    const std::string account = pw && pw->pw_dir ? pw->pw_dir : "";
    struct Case {
        bool danglingLinkHere;
        std::optional<std::string> xdg, home;
        std::string folder, fallback;
    };
    const Case cases[] = {
        {false, "/xdg", "/home", "/xdg/kelvar-raid", here},
        {false, {}, "/home", "/home/.config/kelvar-raid", here},
        {true, "/xdg", "/home", here, ""},
        {false, {}, "", account + "/.config/kelvar-raid", here},
    };
    fs::current_path(here);
    for (const auto& c : cases) {
        fs::remove(file);
        if (c.danglingLinkHere) fs::create_symlink(here + "/nowhere", file);
        putEnv("XDG_CONFIG_HOME", c.xdg);
        putEnv("HOME", c.home);
        if (c.home && c.home->empty() && account.empty()) continue; // no account to fall back on
        const OptionsFolder got = optionsFolderOfThisProcess(kOptionsFileName);
        EXPECT_EQ(std::tie(got.folder, got.fallback), std::tie(c.folder, c.fallback))
            << c.xdg.value_or("(unset)") << " " << c.home.value_or("(unset)");
    }
    fs::remove_all(here);
}

} // namespace
} // namespace kelvar
