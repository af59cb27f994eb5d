#pragma once
// Reads the headless runner's trace back: a small JSON reader that keeps the key order and the
// raw text of every number, and a helper that plays a demo given as text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "app/headless/runner.hpp"

namespace kelvar::testing {

struct Json {
    bool boolean = false;
    std::string text; // a string's value, or a number exactly as written
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> fields;

    const Json& operator[](const std::string& key) const {
        for (const auto& [k, v] : fields)
            if (k == key) return v;
        throw std::out_of_range("no key " + key);
    }
    const Json& operator[](std::size_t i) const { return items.at(i); }
    float f() const { return std::strtof(text.c_str(), nullptr); }
    long long i() const { return std::strtoll(text.c_str(), nullptr, 10); }
    bool b() const { return boolean; }
};

// Reads the compact JSON the trace writer makes (no blanks between tokens).
class JsonReader {
  public:
    explicit JsonReader(std::string s) : s_(std::move(s)) {}
    Json read() {
        Json v = value();
        if (p_ != s_.size()) fail();
        return v;
    }

  private:
    [[noreturn]] void fail() { throw std::runtime_error("bad JSON at " + std::to_string(p_)); }
    bool take(char c) { return p_ < s_.size() && s_[p_] == c ? (++p_, true) : false; }
    void expect(char c) {
        if (!take(c)) fail();
    }
    bool word(const std::string& w) {
        return s_.compare(p_, w.size(), w) == 0 ? (p_ += w.size(), true) : false;
    }
    std::string string() {
        expect('"');
        std::string out;
        while (p_ < s_.size() && s_[p_] != '"') {
            if (s_[p_] == '\\') ++p_;
            out += s_[p_++];
        }
        expect('"');
        return out;
    }
    Json value() {
        Json v;
        if (take('{')) {
            if (take('}')) return v;
            do {
                std::string k = string();
                expect(':');
                v.fields.emplace_back(std::move(k), value());
            } while (take(','));
            expect('}');
        } else if (take('[')) {
            if (take(']')) return v;
            do v.items.push_back(value());
            while (take(','));
            expect(']');
        } else if (p_ < s_.size() && s_[p_] == '"') {
            v.text = string();
        } else if (word("true")) {
            v.boolean = true;
        } else if (!word("false") && !word("null")) {
            const std::size_t b = p_;
            while (p_ < s_.size() &&
                   std::string_view("+-.0123456789eE").find(s_[p_]) != std::string_view::npos)
                ++p_;
            if (b == p_) fail();
            v.text = s_.substr(b, p_ - b);
        }
        return v;
    }
    std::string s_;
    std::size_t p_ = 0;
};

inline Json parseJson(const std::string& s) {
    return JsonReader(s).read();
}

// A demo given as text, played headless.
struct DemoRun {
    std::vector<std::string> lines; // the raw trace lines
    std::vector<Json> ticks;        // ticks[0] is tick 1
    RunSummary summary;
    const Json& tick(int n) const { return ticks.at(static_cast<std::size_t>(n - 1)); }
};

inline DemoRun playDemo(const std::string& text) {
    std::istringstream in(text);
    auto parsed = parseDemo(in);
    if (auto* err = std::get_if<DemoError>(&parsed)) {
        ADD_FAILURE() << "demo refused at line " << err->line << ": " << err->message;
        return {};
    }
    std::ostringstream trace;
    DemoRun run;
    run.summary = runDemo(std::get<Demo>(parsed), &trace);
    std::istringstream lines(trace.str());
    for (std::string l; std::getline(lines, l);) {
        run.lines.push_back(l);
        run.ticks.push_back(parseJson(l));
    }
    return run;
}

// The recorded game through levels 0 to 8, played once per test program.
inline const DemoRun& levelsDemo() {
    static const DemoRun run = [] {
        std::ifstream file(std::string(KELVAR_TEST_DATA_DIR) + "/levels_0_to_8.demo",
                           std::ios::binary);
        EXPECT_TRUE(file);
        return playDemo(std::string(std::istreambuf_iterator<char>(file), {}));
    }();
    return run;
}

// "kelvar-raid demo 1" with a speed line, then the given lines.
inline std::string demoText(const std::string& body, const std::string& speed = "U") {
    return "kelvar-raid demo 1\nspeed " + speed + "\n" + body;
}

} // namespace kelvar::testing
