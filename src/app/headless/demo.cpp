#include "app/headless/demo.hpp"

#include <charconv>
#include <limits>
#include <sstream>

namespace kelvar {

namespace {

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    std::string w;
    while (in >> w) out.push_back(w);
    return out;
}

template <typename Int> bool wholeNumber(const std::string& s, Int& out) {
    const char* b = s.data();
    const char* e = s.data() + s.size();
    if (b != e && *b == '+') ++b;
    auto [p, ec] = std::from_chars(b, e, out);
    return ec == std::errc() && p == e && b != e;
}

// Any whole number >= 0, reduced modulo 2^24 as it is read.
bool seedNumber(const std::string& s, std::uint32_t& out) {
    if (s.empty()) return false;
    std::uint64_t x = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        x = (x * 10 + static_cast<std::uint64_t>(c - '0')) % (1u << 24);
    }
    out = static_cast<std::uint32_t>(x);
    return true;
}

class Parser {
  public:
    std::variant<Demo, DemoError> run(std::istream& in) {
        std::string raw;
        int lineNo = 0;
        while (std::getline(in, raw)) {
            ++lineNo;
            if (!raw.empty() && raw.back() == '\r') raw.pop_back();
            if (auto hash = raw.find('#'); hash != std::string::npos) raw.erase(hash);
            const auto w = words(raw);
            if (w.empty()) continue;
            if (auto err = line(lineNo, w)) return *err;
        }
        if (!sawHeader) return DemoError{lineNo, "not a demo file: the header line is missing"};
        if (demo.speed.empty()) return DemoError{lineNo, "the speed line is missing"};
        return demo;
    }

  private:
    std::optional<DemoError> line(int n, const std::vector<std::string>& w) {
        auto fail = [n](std::string msg) {
            return std::optional<DemoError>{DemoError{n, std::move(msg)}};
        };
        if (!sawHeader) {
            if (w.size() == 3 && w[0] + " " + w[1] + " " + w[2] == kDemoHeader) {
                sawHeader = true;
                return std::nullopt;
            }
            return fail(std::string("expected the header \"") + kDemoHeader + "\"");
        }
        if (ended) return fail("nothing may follow the end line");
        if (w[0] == "speed" || w[0] == "seed" || w[0] == "joystick") return setting(n, w);
        if (demo.speed.empty()) return fail("the speed line must come before any timed line");

        int tick = 0;
        if (!wholeNumber(w[0], tick) || tick < 1) return fail("a tick must be a whole number >= 1");
        if (tick < lastTick) return fail("ticks must not decrease");
        lastTick = tick;

        if (w.size() == 2 && w[1] == "end") {
            demo.endTick = tick;
            ended = true;
            return std::nullopt;
        }
        if (w.size() >= 2 && w[1] == "joy") {
            if (!demo.joystick) return fail("a joy line needs a joystick line first");
            JoyReading r;
            if (w.size() != 5 || !wholeNumber(w[2], r.x) || !wholeNumber(w[3], r.y) ||
                !wholeNumber(w[4], r.buttons))
                return fail("expected: TICK joy X Y BUTTONS");
            demo.joys.push_back({tick, r});
            return std::nullopt;
        }
        if (w.size() == 4 && w[2] == "key") {
            int point = 0, code = 0;
            if (!wholeNumber(w[1], point) || point < 0)
                return fail("an event point must be a whole number >= 0");
            if (!wholeNumber(w[3], code) || code < 0 || code > 65535)
                return fail("a key code must be a whole number from 0 to 65535");
            if (!demo.keys.empty()) {
                const DemoKey& prev = demo.keys.back();
                if (tick == prev.tick && point < prev.point)
                    return fail("key lines must come in order of tick and event point");
            }
            demo.keys.push_back({tick, point, code});
            return std::nullopt;
        }
        return fail("expected: TICK POINT key CODE, TICK joy X Y BUTTONS or TICK end");
    }

    std::optional<DemoError> setting(int n, const std::vector<std::string>& w) {
        auto fail = [n](std::string msg) {
            return std::optional<DemoError>{DemoError{n, std::move(msg)}};
        };
        if (lastTick > 0) return fail("'" + w[0] + "' must come before any timed line");
        if (w[0] == "speed") {
            if (!demo.speed.empty()) return fail("speed is given twice");
            if (w.size() != 2 || !(w[1] == "U" || w[1] == "0" || w[1] == "1" || w[1] == "2"))
                return fail("speed must be one of U, 0, 1, 2");
            demo.speed = w[1];
        } else if (w[0] == "seed") {
            if (sawSeed) return fail("seed is given twice");
            if (w.size() != 2 || !seedNumber(w[1], demo.seed))
                return fail("seed must be a whole number >= 0");
            sawSeed = true;
        } else {
            if (demo.joystick) return fail("joystick is given twice");
            if (w.size() != 3 || !wholeNumber(w[1], demo.centre.x) ||
                !wholeNumber(w[2], demo.centre.y))
                return fail("expected: joystick X Y");
            demo.joystick = true;
        }
        return std::nullopt;
    }

    Demo demo;
    bool sawHeader = false, sawSeed = false, ended = false;
    int lastTick = 0;
};

} // namespace

std::variant<Demo, DemoError> parseDemo(std::istream& in) {
    return Parser{}.run(in);
}

std::string formatDemo(const Demo& demo) {
    std::ostringstream out;
    out << kDemoHeader << "\n";
    out << "speed " << demo.speed << "\n";
    if (demo.seed != Random::kStart) out << "seed " << demo.seed << "\n";
    if (demo.joystick) out << "joystick " << demo.centre.x << " " << demo.centre.y << "\n";
    // Keys and joystick lines interleaved by tick; at one tick the joystick line goes first.
    std::size_t k = 0, j = 0;
    while (k < demo.keys.size() || j < demo.joys.size()) {
        const bool takeJoy = j < demo.joys.size() &&
                             (k == demo.keys.size() || demo.joys[j].tick <= demo.keys[k].tick);
        if (takeJoy) {
            const DemoJoy& d = demo.joys[j++];
            out << d.tick << " joy " << d.reading.x << " " << d.reading.y << " "
                << d.reading.buttons << "\n";
        } else {
            const DemoKey& d = demo.keys[k++];
            out << d.tick << " " << d.point << " key " << d.code << "\n";
        }
    }
    if (demo.endTick) out << *demo.endTick << " end\n";
    return out.str();
}

} // namespace kelvar
