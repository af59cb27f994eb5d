#pragma once
// A demo file: one game's input, so that it replays exactly. See docs/demo-format.md.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <istream>
#include <optional>
#include <string>
#include <variant>

#include "core/state/random.hpp"
#include "platform/joystick_device.hpp"

namespace kelvar {

struct DemoKey {
    int tick;  // from 1
    int point; // 0: before the tick; k >= 1: the k-th event processing inside it
    int code;
};

struct DemoJoy {
    int tick; // read by PollJoystick from this tick on
    JoyReading reading;
};

struct Demo {
    std::string speed; // U, 0, 1 or 2
    std::uint32_t seed = Random::kStart;
    bool joystick = false;
    JoyReading centre;
    // A deque: a long demo grows without copying all its keys at once.
    std::deque<DemoKey> keys;
    std::deque<DemoJoy> joys;
    std::optional<int> endTick;
    // A file cut short (a game recorded as it went, its program killed): where it was cut.
    struct Cut {
        std::int64_t lastWholeLine; // the last line read whole
        int lastTick;               // the last tick named, 0 for none
        bool halfLine;              // a last line cut in half was left out
    };
    std::optional<Cut> cut;
};

struct DemoError {
    std::int64_t line; // from 1; the last line read when the file ends too early
    std::string message;
};

inline constexpr const char* kDemoHeader = "kelvar-raid demo 1";
// Longest line accepted, comments included, without its line end; longer ones are refused
// unread, so that no line is ever held whole in memory.
inline constexpr std::size_t kMaxDemoLine = 4096;
// Highest event point of a key line: far beyond the event points a tick has.
inline constexpr int kMaxDemoPoint = 1000000;

// A read error of `in` (its buffer failing) is an error, not the end of the file.

// A file without an end line replays as far as it goes and is marked cut (Demo::cut); so is
// one whose last line, not an end line, lacks its line end: that line is left out unread.
std::variant<Demo, DemoError> parseDemo(std::istream& in);
// Writes a demo in the form that parseDemo reads.
std::string formatDemo(const Demo& demo);
// Its pieces, each line with its line end: the header and settings, a key, a joystick reading,
// the end.
std::string demoHeaderLines(const Demo& demo);
std::string demoKeyLine(const DemoKey& key);
std::string demoJoyLine(const DemoJoy& joy);
std::string demoEndLine(int tick);
// One line for stderr: where the demo file `path` was cut.
std::string describeCut(const std::string& path, const Demo::Cut& cut);

} // namespace kelvar
