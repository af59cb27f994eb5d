#pragma once
// A demo file: one game's input, so that it replays exactly. See docs/demo-format.md.
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/joystick_device.hpp"
#include "playfield/random.hpp"

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
    std::vector<DemoKey> keys;
    std::vector<DemoJoy> joys;
    std::optional<int> endTick;
};

struct DemoError {
    int line;
    std::string message;
};

inline constexpr const char* kDemoHeader = "kelvar-raid demo 1";

std::variant<Demo, DemoError> parseDemo(std::istream& in);
// Writes a demo in the form that parseDemo reads.
std::string formatDemo(const Demo& demo);

} // namespace kelvar
