#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "platform/windows/windows_options_file.hpp"
#include "platform/windows/windows_paths.hpp"

namespace kelvar {
namespace {

namespace fs = std::filesystem;

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
    fs::path here = fs::temp_directory_path() / u8"kelvar-paths-J\u00fcrgen-";
    here += std::to_string(GetCurrentProcessId());
    fs::remove_all(here);
    fs::create_directory(here);
    const auto u8 = here.u8string();
    const std::string folder(u8.begin(), u8.end());
    EXPECT_TRUE(folderIsWritable(folder));
    EXPECT_EQ(std::distance(fs::directory_iterator(here), {}), 0);
    EXPECT_FALSE(folderIsWritable(folder + "\\missing"));
    fs::remove_all(here);
    for (const std::string s : {"", "plain", "J\u00fcrgen \u041e\u043b\u044f \U0001F680"})
        EXPECT_EQ(narrow(widen(s)), s);
    EXPECT_EQ(widen("\u00fc\U0001F680"), std::wstring(L"\u00fc\U0001F680"));
}

} // namespace
} // namespace kelvar
