#include "core/enemies/enemies.hpp"
#include "core/enemies/hit_tests.hpp"
#include "core/levelflow/levelflow.hpp"

namespace kelvar {

namespace {
constexpr float kEntryLeft = -100, kEntryTop = 2000;
constexpr float kDriftRightBelow = 4300, kDriftRight = 25, kDriftUp = 15;
constexpr float kEscapedAbove = -350, kEscapedLeft = -100, kEscapedTop = -3999;
constexpr float kHitLeft = -600, kHitTop = -2500;
constexpr std::int32_t kBoostBelow = 1020, kBoost = 200;
} // namespace

void powerEmergence(Game& g) {
    if (g.st.PowerCame) return;
    if (static_cast<double>(g.st.iEnmyLeft) != g.st.iEnmyTl / 2.0) return;
    g.el.Power.Visible = true;
    g.st.SendIt = true;
    g.el.Power.Left = kEntryLeft;
    g.el.Power.Top = kEntryTop;
    g.st.PowerCame = true;
}

void powerFlight(Game& g) {
    if (!g.st.SendIt) return;
    Sprite& p = g.el.Power;
    if (p.Left < kDriftRightBelow) p.Left += kDriftRight;
    p.Top -= kDriftUp;
    if (p.Top < kEscapedAbove) {
        p.Visible = false;
        p.Left = kEscapedLeft;
        p.Top = kEscapedTop;
        g.st.SendIt = false;
    }
}

void powerHit(Game& g) {
    if (!missileHits(g.el.Power, g.el.PMissl)) return;
    AllEnemiesDead(g);
    g.el.Power.Visible = false;
    g.st.SendIt = false;
    g.el.Power.Left = kHitLeft;
    g.el.Power.Top = kHitTop;
    g.st.PowerCame = true;
    parkMissile(g);
    if (g.el.LifeBar.Width < kBoostBelow) g.el.LifeBar.Width += kBoost;
}

} // namespace kelvar
