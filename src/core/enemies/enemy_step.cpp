#include <array>

#include "core/enemies/enemies.hpp"
#include "core/enemies/hit_tests.hpp"

namespace kelvar {

namespace {
constexpr float kLeftWall = -200, kLeftBounceTo = -199;
constexpr float kRightWall = 4390, kRightBounceTo = 4389;
constexpr float kWarningLine = 6400;
constexpr float kPlanetLine = 6700;

// The speed pair of each enemy: iGo index taken at the left wall and at the right wall.
constexpr std::array<std::size_t, kEnemies> kLeftWallGo{0, 1, 2, 2, 1, 0, 6, 6, 8, 8};
constexpr std::array<std::size_t, kEnemies> kRightWallGo{5, 4, 3, 3, 4, 5, 7, 7, 9, 9};

void moveEnemy(Game& g, std::size_t k) {
    Sprite& e = g.el.EmySpot[k];
    if (planetAlive(g)) e.Top = e.Top + g.st.iDD[k];
    e.Left = e.Left + g.st.iGG[k];
    if (e.Left < kLeftWall) {
        e.Left = kLeftBounceTo;
        g.st.iGG[k] = g.st.iGo[kLeftWallGo[k]];
    }
    if (e.Left > kRightWall) {
        e.Left = kRightBounceTo;
        g.st.iGG[k] = g.st.iGo[kRightWallGo[k]];
    }
    if (e.Top > kWarningLine) g.el.LifeBar.BackColor = colour::LightRed;
    if (e.Top > kPlanetLine) ELands(g, e, loss::Planet);
    if (enemyRamsShip(g.el.PlrShip, e)) ELands(g, e, loss::Rammed);
}
} // namespace

void enemyStep(Game& g) {
    for (std::size_t k = 0; k < kEnemies; ++k) moveEnemy(g, k);
}

} // namespace kelvar
