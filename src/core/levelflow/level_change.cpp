#include "core/base/numbers.hpp"
#include "core/enemies/enemies.hpp"
#include "core/levelflow/levelflow.hpp"
#include "core/levels/challenge.hpp"
#include "core/levels/levels.hpp"

namespace kelvar {

namespace {
constexpr std::int32_t kBeforeChangeMs = 200, kFlightStepMs = 35, kAfterFlightMs = 400,
                       kAfterGetReadyMs = 450;
constexpr float kFlightStep = 250, kFlightEnd = -1500;

void flyShipOff(Game& g) {
    for (float t = g.el.PlrShip.Top; t >= kFlightEnd; t -= kFlightStep) {
        g.el.PlrShip.Top = t;
        tickDelay(g, kFlightStepMs);
    }
}

// The levels that follow the challenge stages bring a bonus life.
void bonusLife(Game& g) {
    if (isChallengeStage(g.st.iLevel - 1)) {
        g.st.iLossVar = static_cast<std::int16_t>(g.st.iLossVar + 1);
        g.el.LossesLbl.Caption = digits(g.st.iLossVar);
    }
}

void levelChange(Game& g) {
    tickDelay(g, kBeforeChangeMs);
    setTimerInterval(g, 0);
    g.el.GShotLbl.Caption = "LEVEL CLEAR";
    g.el.GShotLbl.Visible = true;
    playSound(g, sound::LevelClear, SND_SYNC);
    g.st.iEnmyLeft = 0;
    g.el.EnmyLbl.Caption = "0";
    AllEnemiesDead(g);
    flyShipOff(g);
    tickDelay(g, kAfterFlightMs);
    g.st.iLevel = saturate16(g.st.iLevel + 1);
    g.el.LevelLbl.Caption = digits(g.st.iLevel);
    bonusLife(g);
    PrepNewLevel(g);
    g.el.GShotLbl.Caption = "GET READY";
    playSound(g, sound::GetReady, SND_SYNC);
    tickDelay(g, kAfterGetReadyMs);
    g.el.GShotLbl.Visible = false;
    setTimerInterval(g, g.st.TDel);
}
} // namespace

void levelEnd(Game& g) {
    if (g.st.iEnmyLeft < 1) levelChange(g);
}

} // namespace kelvar
