#pragma once
// Reads the headless runner's trace back: a small JSON reader (objects, arrays, numbers,
// strings, true/false/null) that keeps the key order and the raw text of every number, and a
// helper that plays a demo given as text and returns its trace lines.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "app/headless/runner.hpp"

namespace kelvar::testing {

struct Json {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
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
    double num() const { return std::strtod(text.c_str(), nullptr); }
    float f() const { return std::strtof(text.c_str(), nullptr); }
    long long i() const { return std::strtoll(text.c_str(), nullptr, 10); }
    bool b() const { return boolean; }
    std::vector<std::string> keys() const {
        std::vector<std::string> out;
        for (const auto& kv : fields) out.push_back(kv.first);
        return out;
    }
};

class JsonReader {
public:
    explicit JsonReader(std::string s) : s_(std::move(s)) {}
    Json read() {
        Json v = value();
        skip();
        if (p_ != s_.size()) fail("trailing text");
        return v;
    }

private:
    [[noreturn]] void fail(const char* what) {
        throw std::runtime_error(std::string("bad JSON (") + what + ") at " + std::to_string(p_));
    }
    void skip() {
        while (p_ < s_.size() && (s_[p_] == ' ' || s_[p_] == '\n' || s_[p_] == '\r')) ++p_;
    }
    bool take(char c) {
        skip();
        if (p_ < s_.size() && s_[p_] == c) return ++p_, true;
        return false;
    }
    bool word(const char* w) {
        const std::string ws(w);
        if (s_.compare(p_, ws.size(), ws) != 0) return false;
        p_ += ws.size();
        return true;
    }
    std::string string() {
        if (!take('"')) fail("string expected");
        std::string out;
        while (p_ < s_.size() && s_[p_] != '"') {
            if (s_[p_] == '\\') ++p_;
            out += s_[p_++];
        }
        if (!take('"')) fail("unterminated string");
        return out;
    }
    Json value() {
        skip();
        Json v;
        if (p_ >= s_.size()) fail("value expected");
        const char c = s_[p_];
        if (c == '{') {
            ++p_;
            v.kind = Json::Kind::Object;
            if (take('}')) return v;
            do {
                std::string k = string();
                if (!take(':')) fail("colon expected");
                v.fields.emplace_back(std::move(k), value());
            } while (take(','));
            if (!take('}')) fail("} expected");
        } else if (c == '[') {
            ++p_;
            v.kind = Json::Kind::Array;
            if (take(']')) return v;
            do v.items.push_back(value());
            while (take(','));
            if (!take(']')) fail("] expected");
        } else if (c == '"') {
            v.kind = Json::Kind::String;
            v.text = string();
        } else if (word("true")) {
            v.kind = Json::Kind::Bool;
            v.boolean = true;
        } else if (word("false")) {
            v.kind = Json::Kind::Bool;
        } else if (word("null")) {
        } else {
            const std::size_t b = p_;
            while (p_ < s_.size() && std::string_view("+-.0123456789eE").find(s_[p_]) != std::string_view::npos)
                ++p_;
            if (b == p_) fail("number expected");
            v.kind = Json::Kind::Number;
            v.text = s_.substr(b, p_ - b);
        }
        return v;
    }
    std::string s_;
    std::size_t p_ = 0;
};

inline Json parseJson(const std::string& s) { return JsonReader(s).read(); }

// A demo given as text, played headless; the summary is stored in `summary` when asked for.
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

// "kelvar-raid demo 1" with a speed line, then the given lines.
inline std::string demoText(const std::string& body, const std::string& speed = "U") {
    return "kelvar-raid demo 1\nspeed " + speed + "\n" + body;
}

} // namespace kelvar::testing
