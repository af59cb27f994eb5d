#include "platform/font_lookup.hpp"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// With a fontconfig configuration that lists no font at all, the packaged fonts are still found
// at their known paths, and the fallback is logged in one line.
TEST(Fonts, WithoutFontconfigFontsThePackagedOnesAreFoundAtTheirPaths) {
    const std::string dir = "/usr/share/fonts/truetype/liberation/";
    if (access((dir + "LiberationSans-Regular.ttf").c_str(), R_OK) != 0)
        GTEST_SKIP() << "fonts-liberation is not installed";
    const auto conf = std::filesystem::temp_directory_path() /
                      ("kelvar-fonts-" + std::to_string(getpid()) + ".conf");
    std::ofstream(conf) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    setenv("FONTCONFIG_FILE", conf.c_str(), 1);
    ASSERT_TRUE(FcInitReinitialize());

    testing::internal::CaptureStderr();
    for (const auto& [family, generic, bold, file] :
         {std::tuple{"Arial", "sans-serif", false, "LiberationSans-Regular.ttf"},
          {"Arial", "sans-serif", true, "LiberationSans-Bold.ttf"},
          {"Terminal", "monospace", false, "LiberationMono-Regular.ttf"},
          {"Terminal", "monospace", true, "LiberationMono-Bold.ttf"}})
        EXPECT_EQ(kelvar::findFontFile(family, generic, bold), dir + file)
            << family << (bold ? " bold" : "");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(std::count(err.begin(), err.end(), '\n') == 1 &&
                err.find("/usr/share/fonts/truetype") != err.npos)
        << err;

    unsetenv("FONTCONFIG_FILE");
    FcInitReinitialize();
    std::filesystem::remove(conf);
}

} // namespace
