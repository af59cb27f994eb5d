#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "session/demo.hpp"

namespace kelvar {
namespace {

std::variant<Demo, DemoError> parse(const std::string& text) {
    std::istringstream in(text);
    return parseDemo(in);
}

TEST(DemoParser, ReadsEveryKindOfLine) {
    auto parsed =
        parse("# a recorded game\r\nkelvar-raid demo 1   # the header\r\n\nspeed 2\n"
              "seed 16777221\njoystick -12 40\n12 0 key 32\n12 0 key 37\n" // seed mod 2^24
              "57 3 key 65535\n80 joy -300 0 1\n80 1 key 19\n900 end\n# comments after the end\n");
    ASSERT_TRUE(std::holds_alternative<Demo>(parsed)) << std::get<DemoError>(parsed).message;
    const Demo& d = std::get<Demo>(parsed);
    EXPECT_EQ(std::tie(d.speed, d.seed, d.joystick, d.centre.y),
              std::make_tuple("2", 5u, true, 40));
    ASSERT_EQ(d.keys.size(), 4u);
    EXPECT_EQ(std::tie(d.keys[2].point, d.keys[2].code), std::make_tuple(3, 65535));
    ASSERT_EQ(d.joys.size(), 1u);
    EXPECT_EQ(std::tie(d.joys[0].reading.buttons, d.endTick), std::make_tuple(1u, 900));
}

// Broken files are refused naming the line, and numbers out of range with the bound missed.
// (Garbage, huge numbers and events out of order are in the fuzz corpus.)
TEST(DemoParser, RefusesBrokenFilesNamingTheLineAndTheFault) {
    // The file, the line it is refused at (0: accepted), a piece of the message.
    const std::tuple<std::string, int, const char*> cases[] = {
        {"kelvar-raid demo 2\nspeed U\n", 1, "expected the header"},
        {"", 1, "header line is missing"},
        {"H\n5 end\n", 2, "speed line must come before"},
        {"H\nspeed 3\n", 2, "speed must be one of"},
        {"H\nspeed U\njoystick 5\n", 3, "expected: joystick X Y"},
        {"H\nspeed U\n3 0 key 32\nseed 4\n", 4, "'seed' must come before"},
        {"H\nspeed U\n5 joy 0 0 0\n", 3, "needs a joystick line"},
        {"H\nspeed U\n9 end\n10 0 key 32\n", 4, "nothing may come after"},
        {"J2147483647 end", 0, nullptr},
        {"J2147483648 end", 4, "a tick must be at most 2147483647"},
        {"J0 0 key 32", 4, "a tick must be a whole number >= 1"},
        {"J1 1000000 key 27", 0, nullptr},
        {"J1 0 key 65536", 4, "a key code must be a whole number from 0 to 65535"},
        {"J1 joy -2147483648 2147483647 4294967295", 0, nullptr},
        {"J1 joy 0 0 -1", 4, "X and Y must be from"},
    };
    for (auto [text, line, message] : cases) {
        // "H": the header; "J": the header, the speed and a joystick before one timed line.
        SCOPED_TRACE(text);
        if (text.starts_with("H")) text.replace(0, 1, "kelvar-raid demo 1");
        if (text.starts_with("J"))
            text.replace(0, 1, "kelvar-raid demo 1\nspeed U\njoystick 0 0\n").append("\n");
        auto parsed = parse(text);
        ASSERT_EQ(std::holds_alternative<DemoError>(parsed), line != 0);
        if (!line) continue;
        const DemoError& e = std::get<DemoError>(parsed);
        EXPECT_EQ(e.line, line);
        EXPECT_NE(e.message.find(message), std::string::npos) << e.message;
    }
}

// A file cut short (a recording whose program was killed) replays the lines it has whole: no
// end line, or a last line without its line end, which is left out whatever it says.
TEST(DemoParser, AFileCutShortKeepsItsWholeLinesAndSaysWhereItWasCut) {
    // After the header and "speed U"; the keys read, and the cut (last whole line, last tick, a
    // half line left out), or -1 for a file with its end line.
    const std::tuple<std::string, std::size_t, std::int64_t, int, bool> cases[] = {
        {"3 0 key 32\n9 end\n", 1, -1, 0, false},
        {"3 0 key 32\n9 end", 1, -1, 0, false}, // an end line needs no line end
        {"3 0 key 32\n", 1, 3, 3, false},
        {"3 0 key 32\n7 0 key 3", 1, 3, 3, true}, // "7 0 key 37" cut in half
        {"3 0 key 32\n7 0 ke", 1, 3, 3, true},
        {"3 0 key 32\n# a note", 1, 3, 3, false},
        {"3 0 key 32\r\n4 0 key 37\r\n", 2, 4, 4, false},
        {"", 0, 2, 0, false},
    };
    for (const auto& [text, keys, line, tick, half] : cases) {
        auto parsed = parse("kelvar-raid demo 1\nspeed U\n" + text);
        ASSERT_TRUE(std::holds_alternative<Demo>(parsed)) << text;
        const Demo& d = std::get<Demo>(parsed);
        const Demo::Cut cut = d.cut.value_or(Demo::Cut{-1, 0, false});
        EXPECT_EQ(std::make_tuple(d.keys.size(), cut.lastWholeLine, cut.lastTick, cut.halfLine),
                  std::tie(keys, line, tick, half))
            << text;
    }
    // A whole line that is wrong is still refused, and a cut before the settings is no demo.
    EXPECT_TRUE(
        std::holds_alternative<DemoError>(parse("kelvar-raid demo 1\nspeed U\n0 0 key 3\n")));
    EXPECT_TRUE(std::holds_alternative<DemoError>(parse("kelvar-raid demo 1\nspee")));
    EXPECT_EQ(describeCut("game.demo", {57, 1234, false}),
              "kelvar-raid: game.demo is cut short after line 57 (tick 1234), with no end line; "
              "replayed as far as it goes");
    EXPECT_EQ(describeCut("g", {2, 0, true}),
              "kelvar-raid: g is cut short after line 2, its last line cut in half and left out; "
              "replayed as far as it goes");
}

// Hands out `head`, then `count` bytes of `fill`, then `tail`, counting what was taken; then it
// ends, or fails.
class Generator final : public std::streambuf {
  public:
    Generator(std::string head, char fill, std::uint64_t count, std::string tail, bool fails)
        : head_(std::move(head)), tail_(std::move(tail)), fill_(fill), left_(count), fails_(fails) {
    }
    std::uint64_t taken() const { return taken_ - static_cast<std::uint64_t>(egptr() - gptr()); }

  protected:
    int_type underflow() override {
        const auto n = std::min<std::uint64_t>(head_.empty() ? left_ : 0, 1 << 16);
        cur_ = !head_.empty() ? std::exchange(head_, "")
               : n            ? std::string(n, fill_)
                              : std::exchange(tail_, "");
        left_ -= n, taken_ += cur_.size();
        if (cur_.empty() && fails_) throw std::runtime_error("the disk went away");
        if (cur_.empty()) return traits_type::eof();
        setg(cur_.data(), cur_.data(), cur_.data() + cur_.size());
        return traits_type::to_int_type(*gptr());
    }

  private:
    std::string head_, tail_, cur_;
    char fill_;
    std::uint64_t left_, taken_ = 0;
    bool fails_;
};

// Read as a stream: a line of the longest length is read; what /dev/zero gives, and a comment
// line of a gigabyte and more, are refused after reading only the line's start; a read that
// fails part-way through a line or between lines is an error, never the end; line numbers go
// beyond 2^31.
TEST(DemoParser, RefusesEndlessAndFailingStreamsNamingTheLine) {
    const std::string head = "kelvar-raid demo 1\nspeed U\n";
    const std::uint64_t billions = (std::uint64_t{1} << 31) + 9;
    const std::tuple<std::string, char, std::uint64_t, std::string, bool, std::int64_t, const char*>
        cases[] = {
            {"kelvar-raid demo 1\n#", 'c', kMaxDemoLine - 1, "\r\nspeed U\n", false, 0, ""},
            {"", '\0', UINT64_MAX, "", false, 1, "longer than 4096"},
            {head + "#", 'c', UINT64_MAX, "", false, 3, "longer than 4096"},
            {head + "1 0 ke", ' ', 0, "", true, 3, "the disk went away"},
            {head, ' ', 0, "", true, 3, "the disk went away"},
            {head, '\n', billions, "1 0 key 99999\n", false, 2 + billions + 1, "key code"},
        };
    for (const auto& [prefix, fill, count, suffix, fails, line, message] : cases) {
#if defined(__SANITIZE_ADDRESS__)
        if (count == billions) continue; // billions of lines take minutes under the sanitizers
#endif
        Generator gen(prefix, fill, count, suffix, fails);
        std::istream in(&gen);
        auto parsed = parseDemo(in);
        ASSERT_EQ(std::holds_alternative<DemoError>(parsed), line != 0) << prefix;
        if (!line) continue;
        EXPECT_EQ(std::get<DemoError>(parsed).line, line) << prefix;
        EXPECT_NE(std::get<DemoError>(parsed).message.find(message), std::string::npos) << prefix;
        EXPECT_TRUE(count != UINT64_MAX || gen.taken() < 32u + kMaxDemoLine + 2) << gen.taken();
    }
    std::ifstream folder(KELVAR_TEST_DATA_DIR, std::ios::binary);
#ifdef _WIN32
    EXPECT_FALSE(folder.is_open()); // a folder does not open as a file there
#else
    ASSERT_TRUE(folder.is_open()); // it opens, but cannot be read
    auto parsed = parseDemo(folder);
    ASSERT_TRUE(std::holds_alternative<DemoError>(parsed));
    EXPECT_NE(std::get<DemoError>(parsed).message.find("cannot be read"), std::string::npos);
#endif
}

} // namespace
} // namespace kelvar
