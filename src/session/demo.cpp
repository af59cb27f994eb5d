#include "session/demo.hpp"

#include <algorithm>
#include <charconv>
#include <exception>
#include <ios>
#include <limits>
#include <sstream>
#include <string_view>
#include <type_traits>
#include <utility>

#include "core/base/speeds.hpp"

namespace kelvar {

namespace {

// Blanks as the C locale has them; a line never holds its '\n'.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

// The words of a line: the first few kept, all of them counted.
struct Words {
    static constexpr std::size_t kKept = 6;
    std::string_view w[kKept];
    std::size_t count = 0;

    explicit Words(std::string_view line) {
        std::size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && isBlank(line[i])) ++i;
            if (i == line.size()) break;
            const std::size_t b = i;
            while (i < line.size() && !isBlank(line[i])) ++i;
            if (count < kKept) w[count] = line.substr(b, i - b);
            ++count;
        }
    }
    std::size_t size() const { return count; }
    bool empty() const { return count == 0; }
    std::string_view operator[](std::size_t i) const {
        return i < kKept ? w[i] : std::string_view{};
    }
};

enum class Num { Ok, NotWhole, Below, Above };

// A whole number with an optional '+', checked against [lo, hi]; a number too long for any
// integer type still counts as a number, only out of range.
template <typename Int> Num wholeNumber(std::string_view s, Int& out, Int lo, Int hi) {
    const char* b = s.data();
    const char* e = s.data() + s.size();
    if (b != e && *b == '+') ++b;
    if (b == e) return Num::NotWhole;
    if constexpr (std::is_unsigned_v<Int>) {
        // "-7" for an unsigned number is a number below its range, not a word.
        if (*b == '-' && b + 1 != e &&
            std::all_of(b + 1, e, [](char c) { return c >= '0' && c <= '9'; }))
            return Num::Below;
    }
    Int v{};
    auto [p, ec] = std::from_chars(b, e, v);
    if (p != e) return Num::NotWhole;
    if (ec == std::errc::result_out_of_range) return *b == '-' ? Num::Below : Num::Above;
    if (ec != std::errc()) return Num::NotWhole;
    if (v < lo) return Num::Below;
    if (v > hi) return Num::Above;
    out = v;
    return Num::Ok;
}

template <typename Int> Num wholeNumber(std::string_view s, Int& out) {
    return wholeNumber(s, out, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max());
}

// Any whole number >= 0, reduced modulo 2^24 as it is read.
bool seedNumber(std::string_view s, std::uint32_t& out) {
    if (s.empty()) return false;
    std::uint64_t x = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        x = (x * 10 + static_cast<std::uint64_t>(c - '0')) % (1u << 24);
    }
    out = static_cast<std::uint32_t>(x);
    return true;
}

enum class LineRead { Line, Unended, End, TooLong };

// Reads one line without its line end into `line`, never holding more than the longest line
// allowed (and a CR of its CRLF); a last line without its line end is Unended. Throws what the
// stream buffer throws on a read error.
LineRead readLine(std::streambuf& in, std::string& line) {
    using Traits = std::streambuf::traits_type;
    line.clear();
    Traits::int_type c = in.sbumpc();
    if (Traits::eq_int_type(c, Traits::eof())) return LineRead::End;
    while (!Traits::eq_int_type(c, Traits::eof()) && c != '\n') {
        if (line.size() > kMaxDemoLine) return LineRead::TooLong;
        line.push_back(Traits::to_char_type(c));
        c = in.sbumpc();
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kMaxDemoLine) return LineRead::TooLong;
    return Traits::eq_int_type(c, Traits::eof()) ? LineRead::Unended : LineRead::Line;
}

std::string readFailure(const std::exception& e) {
    if (auto* f = dynamic_cast<const std::ios_base::failure*>(&e); f && f->code().value() != 0)
        return f->code().message();
    return e.what();
}

class Parser {
  public:
    std::variant<Demo, DemoError> run(std::istream& in) {
        std::streambuf* buf = in.rdbuf();
        std::string raw;
        raw.reserve(kMaxDemoLine + 2);
        std::int64_t lineNo = 0;
        while (buf) {
            LineRead r;
            try {
                r = readLine(*buf, raw);
            } catch (const std::exception& e) {
                return DemoError{lineNo + 1, "the file cannot be read: " + readFailure(e)};
            } catch (...) {
                return DemoError{lineNo + 1, "the file cannot be read"};
            }
            if (r == LineRead::End) break;
            ++lineNo;
            if (r == LineRead::TooLong)
                return DemoError{lineNo, "the line is longer than " + std::to_string(kMaxDemoLine) +
                                             " characters"};
            std::string_view text = raw;
            if (auto hash = text.find('#'); hash != std::string_view::npos)
                text = text.substr(0, hash);
            const Words w(text);
            if (w.empty()) continue;
            // A file written as the game went and cut short may end in half a line: whatever
            // it says, it is not what was written.
            if (r == LineRead::Unended && !(w.size() == 2 && w[1] == "end")) {
                halfLine = true;
                break;
            }
            if (auto err = line(lineNo, w)) return *err;
            lastWholeLine = lineNo;
        }
        // At the end of the file: its last line, or line 1 of an empty file.
        const std::int64_t last = std::max<std::int64_t>(lineNo, 1);
        if (!sawHeader) return DemoError{last, "not a demo file: the header line is missing"};
        if (demo.speed.empty()) return DemoError{last, "the speed line is missing"};
        if (!ended) demo.cut = Demo::Cut{lastWholeLine, lastTick, halfLine};
        return std::move(demo); // a member: not moved unless asked
    }

  private:
    std::optional<DemoError> line(std::int64_t n, const Words& w) {
        auto fail = [n](std::string msg) {
            return std::optional<DemoError>{DemoError{n, std::move(msg)}};
        };
        if (!sawHeader) {
            if (w.size() == 3 && w[0] == "kelvar-raid" && w[1] == "demo" && w[2] == "1") {
                sawHeader = true;
                return std::nullopt;
            }
            return fail(std::string("expected the header \"") + kDemoHeader + "\"");
        }
        if (ended) return fail("nothing may come after the end line");
        if (w[0] == "speed" || w[0] == "seed" || w[0] == "joystick") return setting(n, w);
        if (demo.speed.empty()) return fail("the speed line must come before any timed line");

        int tick = 0;
        switch (wholeNumber(w[0], tick, 1, std::numeric_limits<int>::max())) {
        case Num::Ok:
            break;
        case Num::Above:
            return fail("a tick must be at most " +
                        std::to_string(std::numeric_limits<int>::max()));
        default:
            return fail("a tick must be a whole number >= 1");
        }
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
            if (w.size() != 5) return fail("expected: TICK joy X Y BUTTONS");
            const std::string_view buttons = w[4];
            if (auto err = joyNumbers(n, {w[2], w[3]}, r, &buttons)) return err;
            demo.joys.push_back({tick, r});
            return std::nullopt;
        }
        if (w.size() == 4 && w[2] == "key") {
            int point = 0, code = 0;
            switch (wholeNumber(w[1], point, 0, kMaxDemoPoint)) {
            case Num::Ok:
                break;
            case Num::Above:
                return fail("an event point must be at most " + std::to_string(kMaxDemoPoint));
            default:
                return fail("an event point must be a whole number >= 0");
            }
            if (wholeNumber(w[3], code, 0, 65535) != Num::Ok)
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

    // X and Y of a joystick reading, and its button mask when `buttons` is given.
    std::optional<DemoError> joyNumbers(std::int64_t n,
                                        std::pair<std::string_view, std::string_view> xy,
                                        JoyReading& r, const std::string_view* buttons) {
        const Num results[] = {wholeNumber(xy.first, r.x), wholeNumber(xy.second, r.y),
                               buttons ? wholeNumber(*buttons, r.buttons) : Num::Ok};
        for (Num res : results) {
            if (res == Num::NotWhole)
                return DemoError{n, buttons ? "expected: TICK joy X Y BUTTONS"
                                            : "expected: joystick X Y"};
        }
        for (Num res : results) {
            if (res != Num::Ok)
                return DemoError{n, "X and Y must be from -2147483648 to 2147483647 and BUTTONS "
                                    "from 0 to 4294967295"};
        }
        return std::nullopt;
    }

    std::optional<DemoError> setting(std::int64_t n, const Words& w) {
        auto fail = [n](std::string msg) {
            return std::optional<DemoError>{DemoError{n, std::move(msg)}};
        };
        if (lastTick > 0)
            return fail("'" + std::string(w[0]) + "' must come before any timed line");
        if (w[0] == "speed") {
            if (!demo.speed.empty()) return fail("speed is given twice");
            if (w.size() != 2 || !speedIndex(w[1])) return fail("speed must be one of U, 0, 1, 2");
            demo.speed = std::string(w[1]);
        } else if (w[0] == "seed") {
            if (sawSeed) return fail("seed is given twice");
            if (w.size() != 2 || !seedNumber(w[1], demo.seed))
                return fail("seed must be a whole number >= 0");
            sawSeed = true;
        } else {
            if (demo.joystick) return fail("joystick is given twice");
            if (w.size() != 3) return fail("expected: joystick X Y");
            if (auto err = joyNumbers(n, {w[1], w[2]}, demo.centre, nullptr)) return err;
            demo.joystick = true;
        }
        return std::nullopt;
    }

    Demo demo;
    bool sawHeader = false, sawSeed = false, ended = false, halfLine = false;
    int lastTick = 0;
    std::int64_t lastWholeLine = 0;
};

} // namespace

std::variant<Demo, DemoError> parseDemo(std::istream& in) {
    return Parser{}.run(in);
}

std::string demoHeaderLines(const Demo& demo) {
    std::ostringstream out;
    out << kDemoHeader << "\n";
    out << "speed " << demo.speed << "\n";
    if (demo.seed != Random::kStart) out << "seed " << demo.seed << "\n";
    if (demo.joystick) out << "joystick " << demo.centre.x << " " << demo.centre.y << "\n";
    return out.str();
}

std::string demoKeyLine(const DemoKey& key) {
    return std::to_string(key.tick) + " " + std::to_string(key.point) + " key " +
           std::to_string(key.code) + "\n";
}

std::string demoJoyLine(const DemoJoy& joy) {
    return std::to_string(joy.tick) + " joy " + std::to_string(joy.reading.x) + " " +
           std::to_string(joy.reading.y) + " " + std::to_string(joy.reading.buttons) + "\n";
}

std::string demoEndLine(int tick) {
    return std::to_string(tick) + " end\n";
}

std::string formatDemo(const Demo& demo) {
    std::string out = demoHeaderLines(demo);
    // Keys and joystick lines interleaved by tick; at one tick the joystick line goes first.
    std::size_t k = 0, j = 0;
    while (k < demo.keys.size() || j < demo.joys.size()) {
        const bool takeJoy = j < demo.joys.size() &&
                             (k == demo.keys.size() || demo.joys[j].tick <= demo.keys[k].tick);
        out += takeJoy ? demoJoyLine(demo.joys[j++]) : demoKeyLine(demo.keys[k++]);
    }
    if (demo.endTick) out += demoEndLine(*demo.endTick);
    return out;
}

std::string describeCut(const std::string& path, const Demo::Cut& cut) {
    std::string where = "after line " + std::to_string(cut.lastWholeLine);
    if (cut.lastTick > 0) where += " (tick " + std::to_string(cut.lastTick) + ")";
    return "kelvar-raid: " + path + " is cut short " + where +
           (cut.halfLine ? ", its last line cut in half and left out" : ", with no end line") +
           "; replayed as far as it goes";
}

} // namespace kelvar
