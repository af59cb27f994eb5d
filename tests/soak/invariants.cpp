#include "tests/soak/soak_player.hpp"

#include <algorithm>
#include <cmath>
#include <map>

#include "core/state/game.hpp"

namespace kelvar {

std::string checkAfterTick(const Game& g, const std::string& speed, GameWatch& w) {
    std::string failure;
    const auto expect = [&failure](bool ok, const std::string& what) {
        if (!ok && failure.empty()) failure = what;
    };
    const State& st = g.st;
    const Elements& el = g.el;
    const auto sprite = [&expect](const Sprite& s) {
        expect(std::isfinite(s.Left) && std::isfinite(s.Top), "a sprite's place not finite");
    };
    for (const Sprite* s : {&el.PlrShip, &el.PMissl, &el.Power}) sprite(*s);
    for (const Sprite& s : el.EmySpot) sprite(s);
    for (const Sprite& s : el.Bomb) sprite(s);
    for (const StarShape& s : el.Star) expect(std::isfinite(s.Top), "Star Top not finite");
    expect(std::isfinite(el.Shape1.Top), "Shape1 Top not finite");

    expect(st.iEnmyLeft >= 0, "iEnmyLeft below 0");
    expect(st.iEnmyLeft <= st.iEnmyTl, "iEnmyLeft above iEnmyTl");
    expect(el.LifeBar.Width >= 0 && el.LifeBar.Width <= 1216, "LifeBar width outside 0..1216");
    expect(st.iLevel >= 0, "iLevel below 0");
    expect(st.iLossVar <= 6, "more lives than a game can give"); // 4 and two bonus lives
    expect(st.iLossVar >= 0 || st.GameOver, "iLossVar below 0 and the game goes on");
    expect(st.MInterval >= 0 && st.MInterval <= 3, "MInterval outside 0..3");
    expect(st.Motion >= 0 && st.Motion <= 2, "Motion outside 0..2");
    expect(st.PToggle == 0 || st.PToggle == 1, "PToggle outside 0..1");
    static const std::map<std::string, int> intervals{{"0", 30}, {"1", 40}, {"2", 45}, {"U", 35}};
    expect(intervals.contains(speed) && st.TDel == intervals.at(speed),
           "TDel is not the speed's interval");
    expect(el.Timer1.Interval == 0 || el.Timer1.Interval == st.TDel,
           "the timer runs at an interval other than TDel");
    expect(st.iScore >= 0 && st.iTopScore >= st.iScore, "score below 0 or above the top score");
    expect(st.iERes2 == st.iERes1, "iERes2 differs from iERes1");
    for (std::size_t k = 0; k < kEnemies; ++k) {
        expect(st.iDD[k] > 0, "iDD[" + std::to_string(k + 1) + "] not above 0");
        expect(std::ranges::find(st.iGo, st.iGG[k]) != st.iGo.end(), "an iGG that is no iGo");
    }
    if (w.started) {
        constexpr int kMaxLevel = 32767;
        expect(st.iLevel == w.level || st.iLevel == std::min(w.level + 1, kMaxLevel),
               "iLevel moved by more than one");
        expect(st.iScore >= w.score, "the score went down");
        // At the top level a level change keeps the number, so only there the count may refill.
        expect(st.iLevel != w.level || st.iLevel == kMaxLevel || st.iEnmyLeft <= w.enmyLeft,
               "iEnmyLeft rose within a level");
    }
    w = {true, st.iLevel, st.iEnmyLeft, st.iScore};
    return failure;
}

} // namespace kelvar
