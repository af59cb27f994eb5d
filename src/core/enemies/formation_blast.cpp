#include <array>

#include "core/base/picture_ids.hpp"
#include "core/enemies/enemies.hpp"
#include "core/levels/levels.hpp"

namespace kelvar {

namespace {
constexpr int kBlastFlashes = 2;
constexpr std::int32_t kBlastBlueMs = 50, kBlastBlackMs = 40, kBlastFrameMs = 75;
constexpr float kBlastEnemyTop = -1200;
constexpr std::array<float, kBombs> kBlastBombTop{-3000, -4000, -5000, -6000};
constexpr std::int16_t kBlastCount = 10;

void blastFlashes(Game& g) {
    playSound(g, sound::Blast, SND_ASYNC);
    for (int i = 0; i < kBlastFlashes; ++i) {
        g.el.BackColor = colour::Blue;
        tickDelay(g, kBlastBlueMs);
        doEvents(g);
        g.el.BackColor = colour::Black;
        tickDelay(g, kBlastBlackMs);
        doEvents(g);
    }
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

} // namespace kelvar
