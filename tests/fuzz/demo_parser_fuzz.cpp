// The demo parser over any bytes: it refuses them naming a line within the file, or the demo
// it accepts writes out and reads back to the same demo.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <variant>

#include "core/base/speeds.hpp"
#include "session/demo.hpp"

namespace {

void require(bool ok) {
    if (!ok) std::abort();
}

bool sameDemo(const kelvar::Demo& a, const kelvar::Demo& b) {
    if (a.speed != b.speed || a.seed != b.seed || a.joystick != b.joystick ||
        a.endTick != b.endTick || a.keys.size() != b.keys.size() || a.joys.size() != b.joys.size())
        return false;
    if (a.joystick && (a.centre.x != b.centre.x || a.centre.y != b.centre.y)) return false;
    for (std::size_t i = 0; i < a.keys.size(); ++i)
        if (a.keys[i].tick != b.keys[i].tick || a.keys[i].point != b.keys[i].point ||
            a.keys[i].code != b.keys[i].code)
            return false;
    for (std::size_t i = 0; i < a.joys.size(); ++i) {
        const auto &x = a.joys[i], &y = b.joys[i];
        if (x.tick != y.tick || x.reading.x != y.reading.x || x.reading.y != y.reading.y ||
            x.reading.buttons != y.reading.buttons)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvar;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    auto parsed = parseDemo(in);
    if (auto* err = std::get_if<DemoError>(&parsed)) {
        std::int64_t lines = 0;
        for (char c : bytes) lines += c == '\n';
        require(err->line >= 0 && err->line <= lines + 1 && !err->message.empty());
        return 0;
    }
    const Demo& demo = std::get<Demo>(parsed);
    require(kelvar::speedIndex(demo.speed).has_value());
    require(demo.seed < (1u << 24));
    for (const DemoKey& k : demo.keys)
        require(k.tick >= 1 && k.point >= 0 && k.point <= kMaxDemoPoint && k.code >= 0 &&
                k.code <= 65535);
    std::istringstream again(formatDemo(demo));
    auto reread = parseDemo(again);
    require(std::holds_alternative<Demo>(reread) && sameDemo(demo, std::get<Demo>(reread)));
    return 0;
}
