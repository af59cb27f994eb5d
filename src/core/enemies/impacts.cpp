#include "core/base/picture_ids.hpp"
#include "core/enemies/enemies.hpp"
#include "core/levels/challenge.hpp"
#include "core/levels/levels.hpp"

namespace kelvar {

namespace {
constexpr float kStruckEnemyTop = -1200;
constexpr float kStruckBombTop = -2000;
constexpr std::int32_t kStrikeLoss = 200;
constexpr std::int32_t kLastStrength = 20;
constexpr int kFlashes = 3, kShipFlashes = 5;
constexpr std::int32_t kFlashMs = 60, kAfterShipFlashesMs = 100;

void flashField(Game& g, int colourIndex) {
    for (int i = 0; i < kFlashes; ++i) {
        g.el.BackColor = colourIndex;
        doEvents(g);
        tickDelay(g, kFlashMs);
        g.el.BackColor = colour::Black;
        doEvents(g);
        tickDelay(g, kFlashMs);
    }
}

// A blow in a challenge stage ends the stage; the level change gives the life back.
void endChallengeStage(Game& g) {
    playSound(g, sound::Impact, SND_ASYNC);
    flashField(g, colour::Magenta);
    g.st.iEnmyLeft = 0;
    g.el.EnmyLbl.Caption = "0";
    AllEnemiesDead(g);
    g.st.iLossVar = static_cast<std::int16_t>(g.st.iLossVar - 1);
    g.st.iEnmyLeft = 0;
}

void strikePlanet(Game& g) {
    playSound(g, sound::Impact, SND_ASYNC);
    flashField(g, colour::Red);
    if (g.el.LifeBar.Width > kLastStrength) {
        g.el.LifeBar.Width -= kStrikeLoss;
    } else {
        g.el.LifeBar.Width = 0;
        g.el.LossesLbl.Caption = "0";
    }
}

void hitShip(Game& g, int lossType) {
    for (int i = 0; i < kShipFlashes; ++i) {
        playSound(g, sound::Impact, SND_ASYNC);
        g.el.PlrShip.Picture = pic::ShipHit;
        doEvents(g);
        tickDelay(g, kFlashMs);
        g.el.PlrShip.Picture = pic::Ship;
        doEvents(g);
        tickDelay(g, kFlashMs);
    }
    tickDelay(g, kAfterShipFlashesMs);
    g.st.iLossVar = static_cast<std::int16_t>(g.st.iLossVar - 1);
    g.el.LossesLbl.Caption = digits(g.st.iLossVar);
    if (lossType >= loss::Bomb1 && lossType < loss::Bomb1 + kBombs)
        g.el.Bomb[static_cast<std::size_t>(lossType - loss::Bomb1)].Top = kStruckBombTop;
}
} // namespace

void ELands(Game& g, Sprite& eObj, int lossType) {
    g.el.LifeBar.BackColor = colour::LightGreen;
    eObj.Picture = pic::ExplosionThin;
    doEvents(g);
    eObj.Top = kStruckEnemyTop;
    RestoreEnmyImages(g);
    if (isChallengeStage(g.st.iLevel)) {
        endChallengeStage(g);
        return;
    }
    if (lossType == loss::Planet) strikePlanet(g);
    doEvents(g);
    if (lossType > loss::Planet) hitShip(g, lossType);
    if (g.el.LifeBar.Width < kLastStrength || g.st.iLossVar == 0) {
        g.el.LifeBar.Width = 0;
        g.el.LossesLbl.Caption = "0";
        g.st.GameOver = true;
    }
}

} // namespace kelvar
