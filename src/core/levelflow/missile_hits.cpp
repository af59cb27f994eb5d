#include "core/base/numbers.hpp"
#include "core/base/picture_ids.hpp"
#include "core/enemies/hit_tests.hpp"
#include "core/levelflow/levelflow.hpp"
#include "core/levels/challenge.hpp"

namespace kelvar {

namespace {
constexpr std::int32_t kFrameMs = 20;
constexpr float kParkedTop = -2500, kParkedTopEmySpot5 = -1200, kParkedTopChallenge = -8999;

void explode(Game& g, std::size_t k) {
    Sprite& e = g.el.EmySpot[k];
    e.Picture = pic::ExplosionDense;
    playSound(g, sound::EnemyHit, SND_ASYNC);
    doEvents(g);
    tickDelay(g, kFrameMs);
    e.Picture = pic::ExplosionThin;
    doEvents(g);
    tickDelay(g, kFrameMs);
    e.Picture = pic::ExplosionDebris;
    g.el.PMissl.Visible = false;
    g.st.Rocket = false;
    doEvents(g);
    tickDelay(g, kFrameMs);
    doEvents(g);
}

void park(Game& g, std::size_t k) {
    Sprite& e = g.el.EmySpot[k];
    e.Top = k == 4 ? kParkedTopEmySpot5 : kParkedTop;
    if (isChallengeStage(g.st.iLevel)) e.Top = kParkedTopChallenge;
    e.Picture = g.st.iERes1;
    // Only the height: the explosion took the missile out of play, and a Space pressed during it
    // may have launched the next one.
    g.el.PMissl.Top = kMissileParked;
}

void score(Game& g) {
    g.st.iScore = saturate32(std::int64_t{g.st.iScore} + 10 * g.st.iLevel);
    g.el.ScoreLbl.Caption = digits(g.st.iScore);
    if (g.st.iScore >= g.st.iTopScore) {
        g.st.iTopScore = g.st.iScore;
        g.el.TopScoreLbl.Caption = g.el.ScoreLbl.Caption;
    }
    g.st.iEnmyLeft = static_cast<std::int16_t>(g.st.iEnmyLeft - 1);
    g.el.EnmyLbl.Caption = digits(g.st.iEnmyLeft);
}
} // namespace

void missileHits(Game& g) {
    for (std::size_t k = 0; k < kEnemies; ++k) {
        if (!missileHits(g.el.EmySpot[k], g.el.PMissl)) continue;
        explode(g, k);
        park(g, k);
        score(g);
    }
}

} // namespace kelvar
