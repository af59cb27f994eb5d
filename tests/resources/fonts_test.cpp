#include "resources/fonts.hpp"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// Fontconfig set up with a configuration that lists no font directory.
class EmptyFontconfig : public testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/kelvar-fonts-XXXXXX";
        const int fd = mkstemp(name);
        ASSERT_GE(fd, 0);
        ::close(fd);
        path = name;
        std::ofstream(path) << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM "
                               "\"urn:fontconfig:fonts.dtd\">\n<fontconfig></fontconfig>\n";
        setenv("FONTCONFIG_FILE", path.c_str(), 1);
        ASSERT_TRUE(FcInitReinitialize());
    }
    void TearDown() override {
        unsetenv("FONTCONFIG_FILE");
        FcInitReinitialize();
        std::remove(path.c_str());
    }
    std::string path;
};

TEST_F(EmptyFontconfig, PackagedFontsAreFoundAtTheirKnownPaths) {
    FcFontSet* all = FcConfigGetFonts(nullptr, FcSetSystem);
    ASSERT_TRUE(all == nullptr || all->nfont == 0) << "the configuration should list no fonts";

    struct Case {
        const char *family, *generic;
        bool bold;
        const char* expect;
    };
    const std::string liberation = "/usr/share/fonts/truetype/liberation/";
    if (access((liberation + "LiberationSans-Regular.ttf").c_str(), R_OK) != 0)
        GTEST_SKIP() << "fonts-liberation is not installed";
    testing::internal::CaptureStderr();
    for (const Case c : {Case{"Arial", "sans-serif", false, "LiberationSans-Regular.ttf"},
                         Case{"Arial", "sans-serif", true, "LiberationSans-Bold.ttf"},
                         Case{"Terminal", "monospace", false, "LiberationMono-Regular.ttf"},
                         Case{"Terminal", "monospace", true, "LiberationMono-Bold.ttf"}})
        EXPECT_EQ(kelvar::resources::findFontFile(c.family, c.generic, c.bold),
                  liberation + c.expect)
            << c.family << (c.bold ? " bold" : "");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("/usr/share/fonts/truetype"), std::string::npos) << err;
}

} // namespace
