#include <cmath>

#include "core/base/numbers.hpp"
#include "core/levels/challenge.hpp"
#include "core/levels/level_tables.hpp"
#include "core/levels/levels.hpp"

namespace kelvar {

namespace {
constexpr float kShipStartLeft = 2160, kShipStartTop = 5800;
constexpr float kPowerWaitLeft = -600, kPowerWaitTop = 1000;
constexpr std::int32_t kFullStrength = 1216;
constexpr float kPlanetStartTop = 5200;

void placeFormation(Game& g, const levels::Formation& f) {
    for (std::size_t k = 0; k < kEnemies; ++k) {
        g.el.EmySpot[k].Top = f[k].top;
        g.el.EmySpot[k].Left = f[k].left;
    }
}

void setFallingSteps(Game& g, const levels::LevelRow& row) {
    for (std::size_t k = 0; k < kEnemies; ++k) {
        const int level = g.st.iLevel;
        const int dd =
            row.falls == &levels::kChallengeFalls ? 6 * level + 30 : level + (*row.falls)[k];
        g.st.iDD[k] = saturate16(dd);
    }
}

void placeBombs(Game& g) {
    for (std::size_t b = 0; b < kBombs; ++b)
        g.el.Bomb[b].Left = static_cast<float>(std::floor(g.rng.next() * 4250 + 50));
    for (std::size_t b = 0; b < kBombs; ++b) g.el.Bomb[b].Top = levels::kBombStartTop[b];
}

void showMeterOrChallenge(Game& g) {
    const bool challenge = isChallengeStage(g.st.iLevel);
    g.el.LifeBar.Visible = !challenge;
    g.el.LossesText.Visible = !challenge;
    g.el.Line2.Visible = !challenge;
    g.el.CHL.Visible = challenge;
    if (challenge) g.st.PowerCame = true;
}
} // namespace

void SetVertOnly(Game& g) {
    g.st.iGo.fill(0);
}

void PrepNewLevel(Game& g) {
    const levels::LevelRow& row = levels::levelRow(g.st.iLevel);
    Elements& el = g.el;

    el.PlrShip.Left = kShipStartLeft;
    el.PlrShip.Top = kShipStartTop;
    el.PlrShip.Visible = true;
    g.st.PowerCame = false;
    g.st.SendIt = false;
    el.Power.Visible = false;
    el.Power.Left = kPowerWaitLeft;
    el.Power.Top = kPowerWaitTop;
    g.st.MInterval = 0;
    el.LifeBar.Width = kFullStrength;
    el.PMissl.Top = kMissileParked;
    el.Shape1.Top = kPlanetStartTop;
    el.LifeBar.BackColor = colour::LightGreen;

    placeFormation(g, *row.formation);
    if (row.steps == &levels::kVertOnly)
        SetVertOnly(g);
    else
        g.st.iGo = *row.steps;
    g.st.iGG = g.st.iGo;

    g.st.iERes1 = row.picture;
    g.st.iERes2 = row.picture;
    g.st.iEnmyTl = row.enemies;
    g.st.iEnmyLeft = row.enemies;
    el.EnmyLbl.Caption = digits(g.st.iEnmyLeft);
    setFallingSteps(g, row);

    RestoreEnmyImages(g);
    el.EnmyLbl.Caption = digits(g.st.iEnmyLeft);

    for (std::size_t i = 0; i < kStars; ++i) el.Star[i].Left = levels::kStarLeft[i];
    for (std::size_t i = 0; i < kStars; ++i) el.Star[i].Top = levels::kStarTop[i];

    placeBombs(g);
    el.Image3.Picture = g.st.iERes1;
    showMeterOrChallenge(g);
}

} // namespace kelvar
