// The demo parser over any bytes: it refuses them naming a line within the file, or the demo
// it accepts writes out and reads back to the same demo.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <tuple>
#include <variant>

#include "core/base/speeds.hpp"
#include "session/demo.hpp"

namespace {

using namespace kelvar;

void require(bool ok) {
    if (!ok) std::abort();
}

bool sameDemo(const Demo& a, const Demo& b) {
    const auto key = [](const DemoKey& k) { return std::tuple(k.tick, k.point, k.code); };
    const auto joy = [](const DemoJoy& j) {
        return std::tuple(j.tick, j.reading.x, j.reading.y, j.reading.buttons);
    };
    const auto settings = [](const Demo& d) { // the centre only with a joystick
        return std::tuple(d.speed, d.seed, d.joystick, d.endTick, d.joystick ? d.centre.x : 0,
                          d.joystick ? d.centre.y : 0);
    };
    return settings(a) == settings(b) && std::ranges::equal(a.keys, b.keys, {}, key, key) &&
           std::ranges::equal(a.joys, b.joys, {}, joy, joy);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    auto parsed = parseDemo(in);
    if (auto* err = std::get_if<DemoError>(&parsed)) {
        const auto lines = std::ranges::count(bytes, '\n');
        require(err->line >= 0 && err->line <= lines + 1 && !err->message.empty());
        return 0;
    }
    const Demo& demo = std::get<Demo>(parsed);
    require(speedIndex(demo.speed).has_value() && demo.seed < (1u << 24));
    for (const DemoKey& k : demo.keys)
        require(k.tick >= 1 && k.point >= 0 && k.point <= kMaxDemoPoint && k.code >= 0 &&
                k.code <= 65535);
    std::istringstream again(formatDemo(demo));
    auto reread = parseDemo(again);
    require(std::holds_alternative<Demo>(reread) && sameDemo(demo, std::get<Demo>(reread)));
    return 0;
}
