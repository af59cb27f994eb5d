#include "session/trace.hpp"

#include <charconv>

namespace kelvar {

std::string shortestFloat(float v) {
    char buf[64];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, ec == std::errc() ? p : buf);
}

namespace {

class JsonObject {
  public:
    explicit JsonObject(std::string& out) : out_(out) { out_ += '{'; }
    ~JsonObject() { out_ += '}'; }
    std::string& key(const char* name) {
        if (!first_) out_ += ',';
        first_ = false;
        out_ += '"';
        out_ += name;
        out_ += "\":";
        return out_;
    }

  private:
    std::string& out_;
    bool first_ = true;
};

void appendString(std::string& out, const std::string& s) {
    out += '"';
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
}

const char* flag(bool b) {
    return b ? "true" : "false";
}

template <typename T> void appendNumber(std::string& out, T v) {
    out += std::to_string(v);
}
void appendNumber(std::string& out, float v) {
    out += shortestFloat(v);
}

template <typename T> void appendList(std::string& out, const std::vector<T>& values) {
    out += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i) out += ',';
        appendNumber(out, values[i]);
    }
    out += ']';
}

template <typename... T> void appendArray(std::string& out, T... values) {
    out += '[';
    bool first = true;
    ((out += first ? "" : ",", first = false, appendNumber(out, values)), ...);
    out += ']';
}

// Microseconds as milliseconds with three decimals.
void appendMicrosAsMillis(std::string& out, std::int64_t us) {
    const std::string frac = std::to_string(1000 + us % 1000);
    out += std::to_string(us / 1000);
    out += '.';
    out += frac.substr(1);
}

// The tick itself: its number, its times, its event points, its sounds.
void appendTick(JsonObject& o, const TickRecord& r) {
    appendNumber(o.key("tick"), r.tick);
    if (r.startMicros >= 0 && r.endMicros >= 0) {
        appendMicrosAsMillis(o.key("start"), r.startMicros);
        appendMicrosAsMillis(o.key("end"), r.endMicros);
        if (r.due >= 0) {
            appendNumber(o.key("due"), r.due);
            appendList(o.key("wait_late"), r.waitLateMicros);
        }
    } else {
        appendNumber(o.key("start"), r.start);
        appendNumber(o.key("end"), r.end);
    }
    appendNumber(o.key("pumps"), r.pumps);
    appendList(o.key("sounds"), r.sounds);
    o.key("game_over") += flag(r.gameOver);
}

// The game's counters and switches.
void appendState(JsonObject& o, const State& st, const Elements& el) {
    appendNumber(o.key("iLevel"), st.iLevel);
    appendNumber(o.key("iScore"), st.iScore);
    appendNumber(o.key("iTopScore"), st.iTopScore);
    appendNumber(o.key("iLossVar"), st.iLossVar);
    appendNumber(o.key("iEnmyLeft"), st.iEnmyLeft);
    appendNumber(o.key("iEnmyTl"), st.iEnmyTl);
    appendNumber(o.key("LifeBar"), el.LifeBar.Width);
    o.key("LifeBarRed") += flag(el.LifeBar.BackColor == colour::LightRed);
    o.key("GameOver") += flag(st.GameOver);
    o.key("Rocket") += flag(st.Rocket);
    o.key("PowerCame") += flag(st.PowerCame);
    o.key("SendIt") += flag(st.SendIt);
    appendNumber(o.key("Motion"), st.Motion);
    appendNumber(o.key("PToggle"), st.PToggle);
    appendNumber(o.key("Interval"), el.Timer1.Interval);
}

// "[left,top,visible]" of a moving element whose place is not whole.
template <typename E> void appendFlier(std::string& s, const E& e) {
    s += '[' + shortestFloat(e.Left) + ',' + shortestFloat(e.Top) + ',' + flag(e.Visible) + ']';
}

// A list of `n` items, each written by `item(s, k)`.
template <typename Item> void appendEach(std::string& s, std::size_t n, Item&& item) {
    s += '[';
    for (std::size_t k = 0; k < n; ++k) {
        if (k) s += ',';
        item(s, k);
    }
    s += ']';
}

// Where everything on the field is.
void appendField(JsonObject& o, const State& st, const Elements& el) {
    appendArray(o.key("PlrShip"), el.PlrShip.Left, el.PlrShip.Top);
    appendFlier(o.key("PMissl"), el.PMissl);
    appendFlier(o.key("Power"), el.Power);
    appendEach(o.key("EmySpot"), kEnemies, [&](std::string& s, std::size_t k) {
        appendArray(s, el.EmySpot[k].Left, el.EmySpot[k].Top, el.EmySpot[k].Picture);
    });
    appendEach(o.key("iGG"), kEnemies,
               [&](std::string& s, std::size_t k) { appendNumber(s, st.iGG[k]); });
    appendEach(o.key("Bomb"), kBombs, [&](std::string& s, std::size_t b) {
        appendArray(s, el.Bomb[b].Left, el.Bomb[b].Top);
    });
    appendEach(o.key("Star"), kStars,
               [&](std::string& s, std::size_t i) { appendNumber(s, el.Star[i].Top); });
}

// What the labels say and which of the messages show.
void appendLabels(JsonObject& o, const Elements& el) {
    {
        JsonObject labels(o.key("labels"));
        appendString(labels.key("ScoreLbl"), el.ScoreLbl.Caption);
        appendString(labels.key("TopScoreLbl"), el.TopScoreLbl.Caption);
        appendString(labels.key("LevelLbl"), el.LevelLbl.Caption);
        appendString(labels.key("LossesLbl"), el.LossesLbl.Caption);
        appendString(labels.key("EnmyLbl"), el.EnmyLbl.Caption);
    }
    JsonObject vis(o.key("visible"));
    vis.key("Gover") += flag(el.Gover.Visible);
    vis.key("GShotLbl") += flag(el.GShotLbl.Visible);
    vis.key("PauseTL") += flag(el.PauseTL.Visible);
    vis.key("CHL") += flag(el.CHL.Visible);
    vis.key("LifeBar") += flag(el.LifeBar.Visible);
}

} // namespace

std::string traceLine(const TickRecord& r, const Game& g) {
    std::string out;
    {
        JsonObject o(out);
        appendTick(o, r);
        appendState(o, g.st, g.el);
        appendField(o, g.st, g.el);
        appendLabels(o, g.el);
    }
    return out;
}

} // namespace kelvar
