#include <array>

#include "enemies/enemies.hpp"
#include "levelflow/levelflow.hpp"
#include "levels/levels.hpp"
#include "platform/saturate.hpp"
#include "resources/picture_ids.hpp"

namespace kelvar {

namespace {
constexpr int kBlastSound = 20, kLevelClearSound = 25, kGetReadySound = 19;
constexpr int kBlastFlashes = 2;
constexpr std::int32_t kBlastBlueMs = 50, kBlastBlackMs = 40, kBlastFrameMs = 75;
constexpr float kBlastEnemyTop = -1200;
constexpr std::array<float, kBombs> kBlastBombTop{-3000, -4000, -5000, -6000};
constexpr std::int16_t kBlastCount = 10;

constexpr std::int32_t kBeforeChangeMs = 200, kFlightStepMs = 35, kAfterFlightMs = 400,
                       kAfterGetReadyMs = 450;
constexpr float kFlightStep = 250, kFlightEnd = -1500;

void blastFlashes(Game& g) {
    playSound(g, kBlastSound, SND_ASYNC);
    for (int i = 0; i < kBlastFlashes; ++i) {
        g.el.BackColor = colour::Blue;
        tickDelay(g, kBlastBlueMs);
        doEvents(g);
        g.el.BackColor = colour::Black;
        tickDelay(g, kBlastBlackMs);
        doEvents(g);
    }
}

void flyShipOff(Game& g) {
    for (float t = g.el.PlrShip.Top; t >= kFlightEnd; t -= kFlightStep) {
        g.el.PlrShip.Top = t;
        tickDelay(g, kFlightStepMs);
    }
}

// Levels 4 and 8 follow the challenge stages and bring a bonus life.
void bonusLife(Game& g) {
    if (g.st.iLevel == 4 || g.st.iLevel == 8) {
        g.st.iLossVar = static_cast<std::int16_t>(g.st.iLossVar + 1);
        g.el.LossesLbl.Caption = digits(g.st.iLossVar);
    }
}

void levelChange(Game& g) {
    tickDelay(g, kBeforeChangeMs);
    setTimerInterval(g, 0);
    g.el.GShotLbl.Caption = "LEVEL CLEAR";
    g.el.GShotLbl.Visible = true;
    playSound(g, kLevelClearSound, SND_SYNC);
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
    playSound(g, kGetReadySound, SND_SYNC);
    tickDelay(g, kAfterGetReadyMs);
    g.el.GShotLbl.Visible = false;
    setTimerInterval(g, g.st.TDel);
}
} // namespace

void AllEnemiesDead(Game& g) {
    g.el.LifeBar.BackColor = colour::LightGreen;
    if (g.st.iEnmyLeft > 0) blastFlashes(g);
    doEvents(g);
    for (auto& e : g.el.EmySpot) e.Picture = pic::ExplosionThin;
    doEvents(g);
    tickDelay(g, kBlastFrameMs);
    for (auto& e : g.el.EmySpot) e.Top = kBlastEnemyTop;
    for (std::size_t b = 0; b < kBombs; ++b) g.el.Bomb[b].Top = kBlastBombTop[b];
    RestoreEnmyImages(g);
    g.st.iEnmyLeft = static_cast<std::int16_t>(g.st.iEnmyLeft - kBlastCount);
    if (g.st.iEnmyLeft < 0) g.st.iEnmyLeft = 0;
    g.el.EnmyLbl.Caption = digits(g.st.iEnmyLeft);
}

void levelEnd(Game& g) {
    if (g.st.iEnmyLeft < 1) levelChange(g);
}

} // namespace kelvar
