#include "tests/soak/invariants.hpp"

#include <array>
#include <cmath>
#include <sstream>

#include "levels/challenge.hpp"
#include "levels/level_tables.hpp"
#include "playfield/game.hpp"

namespace kelvar {

namespace {

constexpr int kMaxLevel = 32767;
constexpr std::int32_t kFullMeter = 1216;
constexpr int kMostLives = 6; // 4 and the two bonus lives

// From level 15 on nothing changes but the falling steps; written out here rather than read
// from the game's own tables, so that a wrong row for a late level shows.
constexpr std::array<int, 15> kEnemyCount{30, 40, 46, 10, 54,  64,  72, 10,
                                          80, 88, 92, 96, 100, 108, 108};
constexpr std::array<int, 15> kPicture{5, 6, 7, 32, 8, 9, 10, 32, 22, 21, 30, 23, 31, 28, 28};
constexpr std::array<int, kEnemies> kLateFall{30, 88, 78, 70, 45, 55, 25, 64, 50, 39};
constexpr std::array<int, kEnemies> kLateSteps{70, 125, 105, -105, -125, -70, 80, -80, 110, -110};
constexpr std::array<std::size_t, kEnemies> kLeftWallGo{0, 1, 2, 2, 1, 0, 6, 6, 8, 8};
constexpr std::array<std::size_t, kEnemies> kRightWallGo{5, 4, 3, 3, 4, 5, 7, 7, 9, 9};

int intervalOf(const std::string& speed) {
    if (speed == "0") return 30;
    if (speed == "1") return 40;
    if (speed == "2") return 45;
    return 35;
}

int expectedFall(int level, std::size_t k) {
    if (isChallengeStage(level)) return 6 * level + 30;
    const int c = level >= 15 ? kLateFall[k] : (*levels::levelRow(level).falls)[k];
    return std::min(level + c, 32767);
}

int expectedGo(int level, std::size_t k) {
    if (level >= 16) return kLateSteps[k];
    if (level == 15) return 0;
    return (*levels::levelRow(level).steps)[k];
}

class Checker {
  public:
    void expect(bool ok, const char* what) {
        if (!ok && failure_.empty()) failure_ = what;
    }
    template <typename T> void expectEq(long long got, long long want, const char* what, T index) {
        if (got == want || !failure_.empty()) return;
        std::ostringstream s;
        s << what << "[" << index << "] is " << got << ", the rules give " << want;
        failure_ = s.str();
    }
    void finite(const char* what, float v) {
        if (!std::isfinite(v) && failure_.empty()) failure_ = std::string(what) + " not finite";
    }
    std::string result() const { return failure_; }

  private:
    std::string failure_;
};

void checkPositions(const Game& g, Checker& c) {
    const Elements& el = g.el;
    const auto sprite = [&](const Sprite& s, const char* left, const char* top) {
        c.finite(left, s.Left);
        c.finite(top, s.Top);
    };
    for (const Sprite* s : {&el.PlrShip, &el.PMissl, &el.Power})
        sprite(*s, "a sprite's Left", "a sprite's Top");
    for (const Sprite& s : el.EmySpot) sprite(s, "EmySpot Left", "EmySpot Top");
    for (const Sprite& s : el.Bomb) sprite(s, "Bomb Left", "Bomb Top");
    for (const StarShape& s : el.Star) c.finite("Star Top", s.Top);
    c.finite("Shape1 Top", el.Shape1.Top);
}

void checkLevelValues(const Game& g, Checker& c) {
    const State& st = g.st;
    const int level = st.iLevel;
    if (level < 0) return; // reported already; no row to compare with
    const auto row = static_cast<std::size_t>(std::min(level, 15));
    c.expectEq(st.iEnmyTl, level < 15 ? kEnemyCount[row] : 110, "iEnmyTl", level);
    c.expectEq(st.iERes1, level < 15 ? kPicture[row] : 32, "iERes1", level);
    c.expectEq(st.iERes2, st.iERes1, "iERes2", level);
    for (std::size_t k = 0; k < kEnemies; ++k) {
        c.expectEq(st.iDD[k], expectedFall(level, k), "iDD", k + 1);
        c.expectEq(st.iGo[k], expectedGo(level, k), "iGo", k + 1);
        const std::int16_t gg = st.iGG[k];
        c.expect(gg == st.iGo[k] || gg == st.iGo[kLeftWallGo[k]] || gg == st.iGo[kRightWallGo[k]],
                 "an iGG that is none of its enemy's iGo values");
    }
}

} // namespace

std::string checkAfterTick(const Game& g, const std::string& speed, GameWatch& w) {
    Checker c;
    const State& st = g.st;
    checkPositions(g, c);

    c.expect(st.iEnmyLeft >= 0, "iEnmyLeft below 0");
    c.expect(st.iEnmyLeft <= st.iEnmyTl, "iEnmyLeft above iEnmyTl");
    c.expect(g.el.LifeBar.Width >= 0, "LifeBar width below 0");
    c.expect(g.el.LifeBar.Width <= kFullMeter, "LifeBar wider than full");
    c.expect(st.iLevel >= 0, "iLevel below 0");
    c.expect(st.iLossVar <= kMostLives, "more lives than a game can give");
    c.expect(st.iLossVar >= 0 || st.GameOver, "iLossVar below 0 and the game goes on");
    c.expect(st.MInterval >= 0 && st.MInterval <= 3, "MInterval outside 0..3");
    c.expect(st.Motion >= 0 && st.Motion <= 2, "Motion outside 0..2");
    c.expect(st.PToggle == 0 || st.PToggle == 1, "PToggle outside 0..1");
    c.expectEq(st.TDel, intervalOf(speed), "TDel", speed);
    c.expect(g.el.Timer1.Interval == 0 || g.el.Timer1.Interval == st.TDel,
             "the timer runs at an interval other than TDel");
    c.expect(st.iScore >= 0 && st.iTopScore >= st.iScore, "score below 0 or above the top score");
    if (w.started) {
        const int next = std::min(w.level + 1, kMaxLevel);
        c.expect(st.iLevel == w.level || st.iLevel == next, "iLevel moved by more than one");
        c.expect(st.iScore >= w.score, "the score went down");
        // At the top level a level change keeps the number, so only there the count may refill.
        c.expect(st.iLevel != w.level || st.iLevel == kMaxLevel || st.iEnmyLeft <= w.enmyLeft,
                 "iEnmyLeft rose within a level");
    }
    checkLevelValues(g, c);
    w.started = true;
    w.level = st.iLevel;
    w.enmyLeft = st.iEnmyLeft;
    w.score = st.iScore;
    return c.result();
}

} // namespace kelvar
