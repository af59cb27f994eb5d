#include <array>

#include "core/enemies/enemies.hpp"
#include "core/enemies/hit_tests.hpp"
#include "core/levels/challenge.hpp"

namespace kelvar {

namespace {
// Fall per tick: base + 3 x iLevel, slow bases up to level 4, fast ones from level 5.
constexpr std::array<int, kBombs> kSlowBase{31, 38, 24, 45};
constexpr std::array<int, kBombs> kFastBase{80, 95, 85, 75};
constexpr std::array<float, kBombs> kRestartTop{-1750, -2500, -3250, -4000};
constexpr float kBottom = 6800;

void fall(Game& g) {
    const int level = g.st.iLevel;
    if (isChallengeStage(level)) return; // the bombs hang still
    const std::array<int, kBombs>& base = level < 5 ? kSlowBase : kFastBase;
    for (std::size_t b = 0; b < kBombs; ++b)
        g.el.Bomb[b].Top = g.el.Bomb[b].Top + static_cast<float>(base[b] + 3 * level);
}

void fallOut(Game& g) {
    for (std::size_t b = 0; b < kBombs; ++b) {
        Sprite& bomb = g.el.Bomb[b];
        if (bomb.Top > kBottom) {
            bomb.Left = static_cast<float>(50 + 4250 * g.rng.next());
            bomb.Top = kRestartTop[b];
        }
    }
}

void shipHits(Game& g) {
    for (std::size_t b = 0; b < kBombs; ++b)
        if (bombHitsShip(g.el.PlrShip, g.el.Bomb[b]))
            ELands(g, g.el.EmySpot[8], loss::Bomb1 + static_cast<int>(b));
}

void missileStops(Game& g) {
    for (std::size_t b = 0; b < kBombs; ++b) {
        if (bombsStopMissiles(g.st.iLevel) && bombStopsMissile(g.el.PMissl, g.el.Bomb[b]))
            parkMissile(g);
    }
}
} // namespace

void bombStep(Game& g) {
    if (g.st.iLevel == 0) return;
    fall(g);
    fallOut(g);
    shipHits(g);
    missileStops(g);
}

} // namespace kelvar
