#include "platform/growing_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/native/native_support.hpp"

namespace kelvar {
namespace {

namespace fs = std::filesystem;
using testing::readAll;

// A folder that is not there fails and leaves nothing; a new game's file replaces the old one
// whole, is on disk before its first line and grows by each.
TEST(GrowingFile, ReplacesTheOldFileWholeAndAppendsToTheNewOne) {
    testing::TempFolder t(u8"kelvar-growing");
    GrowingFile f;
    EXPECT_FALSE(f.start(testing::utf8(t.path / "no-such-folder" / "game.demo"), "header\n"));
    EXPECT_FALSE(f.isOpen() || f.append("1 key\n"));
    const fs::path file = t.path / "game.demo";
    std::ofstream(file) << "an old recording, longer than the new header\n";
    ASSERT_TRUE(f.start(testing::utf8(file), "header\n"));
    EXPECT_EQ(readAll(file), "header\n");
    ASSERT_TRUE(f.append("1 key\n") && f.append("2 key\n") && f.sync());
    EXPECT_EQ(readAll(file), "header\n1 key\n2 key\n");
    ASSERT_TRUE(f.start(testing::utf8(file), "next\n"));
    f.close();
    EXPECT_EQ(readAll(file), "next\n");
    EXPECT_FALSE(f.append("late\n"));
    // Only the file itself is left: no twin stays behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(t.path), fs::directory_iterator()), 1);
}

} // namespace
} // namespace kelvar
